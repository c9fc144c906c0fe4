// vdc_mgr_set_cli_mode: moves the operator's shell into the VDC that the response names,
// runs the nested shell or the VDC login program for it in the foreground, and gives the
// terminal back to the shell's process group afterwards.
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "show/attr_reader.h"

namespace {

constexpr char vdc_id_variable[] = VDC_ID_VARIABLE;
constexpr char roles_variable[] = VDC_ROLES_VARIABLE;
constexpr char nested_shell_role[] = "NETWORK_ADMIN";
constexpr char login_program[] = VDC_PROGRAM_DIR "vdclogin";
constexpr int default_vdc = VDC_DEFAULT_ID;
constexpr int first_setup_failure = 2;

// What holds for the whole call.
struct call_context {
  pid_t shell_group;
  bool skip_first_setup;
  bool script_mode;
};

// One switch to a target that the walk met.
struct vdc_switch {
  int previous;
  int target;
  int32_t environment;
  const char *user;
};

enum class next_step { take_next, end_call };

call_context read_context(cmd_handle handle) {
  call_context context{};
  context.shell_group = getpgrp();
  context.skip_first_setup = zms::lookup_response(handle, VDC_ATTR_SKIP_FIRST_SETUP).has_value();
  auto script_attr = zms::lookup_response(handle, VDC_ATTR_SCRIPT_MODE);
  int32_t requested = cmd_req_script_mode_get(handle);
  // A script-mode attribute too short to hold its word leaves the request's flag in force.
  auto script_word = script_attr ? zms::read_word(*script_attr) : std::nullopt;
  context.script_mode = script_word ? *script_word != 0 : requested != 0;
  return context;
}

void hand_terminal_back(const call_context &context) {
  tcsetpgrp(STDOUT_FILENO, context.shell_group);
}

// The VDC the shell works in now; unset means the default VDC.
int current_vdc_number() {
  const char *text = getenv(vdc_id_variable);
  if (text == nullptr) return default_vdc;
  long number = strtol(text, nullptr, 10);
  // A 32-bit long saturates at these bounds; a wider one is held to the same range.
  if (number > INT_MAX) return INT_MAX;
  if (number < INT_MIN) return INT_MIN;
  return static_cast<int>(number);
}

// The variable holds at most three characters: a longer number is cut.
void set_vdc_number(int number) {
  char text[4];
  snprintf(text, sizeof text, "%d", number);
  setenv(vdc_id_variable, text, 1);
}

// A shell service without a user name logs the operator in with an empty one.
const char *user_name() {
  const char *name = vsh_get_username();
  return name != nullptr ? name : "";
}

const char *login_user(const char *user) {
  return strcmp(user, "root") == 0 ? "admin" : user;
}

// Runs a program in the foreground with the terminal in its default settings, and brings
// the shell's own settings back as soon as it has ended.
template <typename Run>
int run_with_default_terminal(Run run) {
  cli_save_terminal_settings();
  cli_set_default_terminal_settings();
  fflush(stdout);
  int status = run();
  cli_restore_terminal_settings();
  return status;
}

next_step run_nested_shell(const vdc_switch &to) {
  char command[1024];
  snprintf(command, sizeof command, VDC_PROGRAM_DIR "vsh -i %d", to.target);
  int status = run_with_default_terminal([&] { return system(command); });
  if (status != 0) {
    printf("vsh spawning failed %s\n", command);
    set_vdc_number(to.previous);
  }
  return next_step::take_next;
}

// Only an exit status of 2 reports a failed first setup.
bool first_setup_failed(int target) {
  char command[128];
  snprintf(command, sizeof command, VDC_PROGRAM_DIR "first-setup.core %d\n", target);
  fflush(stdout);
  return (system(command) >> 8) == first_setup_failure;
}

next_step run_login(const vdc_switch &to, const call_context &context) {
  char program[1024];
  snprintf(program, sizeof program, "%s", login_program);
  char vdc_argument[32];
  snprintf(vdc_argument, sizeof vdc_argument, "%d", to.environment);
  char user_argument[128];
  snprintf(user_argument, sizeof user_argument, "%s", login_user(to.user));
  if (!context.skip_first_setup && first_setup_failed(to.target)) {
    puts("First-setup failure detected. Reverting to default vdc");
    set_vdc_number(to.previous);
    hand_terminal_back(context);
    return next_step::end_call;
  }
  int result = run_with_default_terminal([&] {
    return execute_program_and_wait(program, user_argument, vdc_argument,
                                    static_cast<const char *>(nullptr));
  });
  if (result != 0) {
    printf(" Failed to switch to vdc %d \n", to.target);
    set_vdc_number(to.previous);
  }
  return next_step::take_next;
}

bool nested_shell_allowed(const vdc_switch &to, const char *roles, const call_context &context) {
  return to.environment != 0 && strcmp(roles, nested_shell_role) == 0 && context.script_mode;
}

next_step switch_to(zms::attr_value value, const call_context &context) {
  auto target = zms::read_word(value);
  if (!target) return next_step::take_next;  // too short to name a VDC
  vdc_switch to{};
  to.previous = current_vdc_number();
  to.target = static_cast<int>(*target);
  if (to.target == default_vdc) return next_step::end_call;
  set_vdc_number(to.target);
  cmd_vdc_set(*target);
  to.environment = vsh_set_vdc_environment();
  to.user = user_name();
  const char *roles = getenv(roles_variable);
  if (roles == nullptr) return next_step::end_call;
  if (nested_shell_allowed(to, roles, context)) return run_nested_shell(to);
  return run_login(to, context);
}

next_step take(const zms::attr &a, const call_context &context) {
  switch (a.id) {
    case VDC_ATTR_ERR_NO_VDC:
      fputs(" VDC does not exist\n ", stdout);
      return next_step::take_next;
    case VDC_ATTR_ERR_NOT_AUTHORIZED:
      fputs(" Not authorized to change VDC\n ", stdout);
      return next_step::take_next;
    case VDC_ATTR_SWITCH_TARGET:
      return switch_to(a.value, context);
    default:
      return next_step::take_next;
  }
}

}  // namespace

extern "C" int32_t vdc_mgr_set_cli_mode(cmd_handle handle) {
  const call_context context = read_context(handle);
  zms::response_walk walk(handle);
  for (zms::attr a; walk.next(a);) {
    if (take(a, context) == next_step::end_call) return 0;
  }
  hand_terminal_back(context);
  return 0;
}
