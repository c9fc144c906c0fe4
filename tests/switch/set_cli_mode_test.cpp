// Switching the shell to another VDC: the text printed, the platform and C library calls
// in their order, SYSMGR_VDC_ID and the current VDC afterwards, and whether the terminal
// is handed back.
#include <cstdlib>
#include <deque>
#include <optional>

#include "capture.h"
#include "libc_seam.h"

namespace {

using standin::attribute;
using standin::mark;
using standin::word;
using zms_test::strings;
using zms_test::operator+;
using attrs = std::vector<attribute>;
using ints = std::vector<int>;

// What every call does first: the shell's process group, the two lookups, the request's
// script-mode flag.
const strings prologue = {"getpgrp()", "cmd_rsp_attr_get(0x141a0040)",
                          "cmd_rsp_attr_get(0x80000007)", "cmd_req_script_mode_get()"};
const strings hand_back = {"tcsetpgrp(1, 4242)"};

strings set_vdc_id(const std::string &value) {
  return {"setenv(\"SYSMGR_VDC_ID\", \"" + value + "\", 1)"};
}

// Entering a target: SYSMGR_VDC_ID holds at most three characters of it.
strings enter(uint32_t target) {
  std::string number = std::to_string(static_cast<int32_t>(target));
  return set_vdc_id(number.substr(0, 3)) + strings{"cmd_vdc_set(" + std::to_string(target) + ")",
                                                   "vsh_set_vdc_environment()",
                                                   "vsh_get_username()"};
}

strings in_default_terminal(const std::string &run) {
  return {"cli_save_terminal_settings()", "cli_set_default_terminal_settings()", run,
          "cli_restore_terminal_settings()"};
}

strings first_setup(uint32_t target) {
  return {"system(\"/velt/bin/first-setup.core " + std::to_string(target) + "\\n\")"};
}

strings login(const std::string &user = "alice", const std::string &vdc_argument = "5") {
  return in_default_terminal("execute_program_and_wait(\"/velt/bin/vdclogin\", \"" + user +
                             "\", \"" + vdc_argument + "\")");
}

// The nested-shell path and the login path into a target.
strings nested(uint32_t target) {
  return enter(target) +
         in_default_terminal("system(\"/velt/bin/vsh -i " + std::to_string(target) + "\")");
}
strings logs_in(uint32_t target, const std::string &user = "alice", const std::string &arg = "5") {
  return enter(target) + first_setup(target) + login(user, arg);
}

attribute target(uint32_t vdc) {
  return word(VDC_ATTR_SWITCH_TARGET, vdc);
}

// The shell and the platform before the call.
struct shell {
  std::optional<std::string> vdc_id = "2";
  std::optional<std::string> roles = "network-operator";
  int32_t script_mode = 0;  // the request's flag
  int32_t environment = 5;  // what vsh_set_vdc_environment returns
  std::optional<std::string> user = "alice";
};
const shell op{}, admin{"2", "NETWORK_ADMIN", 1};

struct switch_case {
  const char *label;
  shell before;
  attrs response;
  ints results;  // of the programs run (system, then the login program), in order; then 0
  std::string printed;
  strings calls;      // after the prologue
  size_t walk_reads;  // cmd_rsp_attr_getnext calls, the end mark's included
};

void set_variable(const char *name, const std::optional<std::string> &value) {
  if (value)
    setenv(name, value->c_str(), 1);
  else
    unsetenv(name);
}

// The last argument that the expected calls give `call`, if they make it.
std::optional<std::string> last_argument(const strings &calls, const std::string &call) {
  std::optional<std::string> found;
  for (const auto &c : calls)
    if (c.rfind(call, 0) == 0)
      found = c.substr(call.size(), c.find_first_of("\")", call.size()) - call.size());
  return found;
}

class switch_test : public testing::TestWithParam<switch_case> {};

TEST_P(switch_test, prints_runs_and_leaves_the_shell_as_expected) {
  const switch_case &c = GetParam();
  set_variable("SYSMGR_VDC_ID", c.before.vdc_id);
  set_variable("VSH_ROLES", c.before.roles);
  auto cmd = zms_test::command(c.response);  // also clears the call log
  cmd.script_mode = c.before.script_mode;
  auto &platform = standin::platform();
  platform.vdc_environment = c.before.environment;
  platform.username = c.before.user.value_or("");
  platform.username_null = !c.before.user;
  seam::reset();
  auto &results = seam::now().program_results;
  results.assign(c.results.begin(), c.results.end());
  platform.program_runner = [&](const standin::program_run &) {
    int32_t result = results.empty() ? 0 : results.front();
    if (!results.empty()) results.pop_front();
    return result;
  };

  auto [result, out] = zms_test::run_captured([&] { return vdc_mgr_set_cli_mode(&cmd); });

  EXPECT_EQ(result, 0);
  EXPECT_EQ(out, c.printed);
  EXPECT_EQ(standin::calls(), prologue + c.calls);
  EXPECT_EQ(cmd.getnext_calls, c.walk_reads);
  // The shell keeps what the last setenv and cmd_vdc_set gave it.
  auto vdc_id = last_argument(c.calls, "setenv(\"SYSMGR_VDC_ID\", \"");
  const char *now = getenv("SYSMGR_VDC_ID");
  EXPECT_EQ(now ? std::optional<std::string>(now) : std::nullopt,
            vdc_id ? vdc_id : c.before.vdc_id);
  EXPECT_EQ(std::to_string(platform.current_vdc),
            last_argument(c.calls, "cmd_vdc_set(").value_or("1"));
}

const std::string no_vdc = " VDC does not exist\n ",
                  not_authorized = " Not authorized to change VDC\n ";
const std::string spawn_failed = "vsh spawning failed /velt/bin/vsh -i ";
const std::string setup_failed = "First-setup failure detected. Reverting to default vdc\n";
const std::string login_failed = " Failed to switch to vdc 3 \n";
const ints none;

const switch_case outcomes[] = {
    // label, shell, response, program results, text, calls, walk reads
    {"no_such_vdc", op, attrs{mark(VDC_ATTR_ERR_NO_VDC)}, none, no_vdc, hand_back, 2},
    {"not_authorized", op, attrs{mark(VDC_ATTR_ERR_NOT_AUTHORIZED)}, none, not_authorized,
     hand_back, 2},
    {"target_one_ends_at_once", op, attrs{target(1), mark(VDC_ATTR_ERR_NO_VDC)}, none, "",
     strings{}, 1},
    {"target_one_variable_unset", shell{std::nullopt}, attrs{target(1)}, none, "", strings{}, 1},
    {"roles_unset_ends_in_the_target", shell{"2", std::nullopt},
     attrs{target(3), mark(VDC_ATTR_ERR_NO_VDC)}, none, "", enter(3), 1},
    {"nested_shell_succeeds", admin, attrs{target(3)}, none, "", nested(3) + hand_back, 2},
    {"nested_shell_exits_non_zero", admin, attrs{target(3)}, ints{seam::exited(1)},
     spawn_failed + "3\n", nested(3) + set_vdc_id("2") + hand_back, 2},
    {"nested_shell_killed_by_a_signal", admin, attrs{target(3)}, ints{9}, spawn_failed + "3\n",
     nested(3) + set_vdc_id("2") + hand_back, 2},
    {"first_setup_exits_2", op, attrs{target(3), mark(VDC_ATTR_ERR_NO_VDC)}, ints{seam::exited(2)},
     setup_failed, enter(3) + first_setup(3) + set_vdc_id("2") + hand_back, 1},
    {"login_succeeds", op, attrs{target(3)}, none, "", logs_in(3) + hand_back, 2},
    {"login_fails", op, attrs{target(3)}, ints{0, 1}, login_failed,
     logs_in(3) + set_vdc_id("2") + hand_back, 2},
    {"no_walk_attribute", op,
     attrs{word(VDC_ATTR_ID, 3), standin::text(VDC_ATTR_NAME, "core"),
           mark(VDC_ATTR_SKIP_FIRST_SETUP), word(VDC_ATTR_SCRIPT_MODE, 1)},
     none, "", hand_back, 5},
    // The number the shell falls back to, and how much of a number the variable holds.
    {"unset_counts_as_the_default_vdc", shell{std::nullopt}, attrs{target(3)}, ints{0, 1},
     login_failed, logs_in(3) + set_vdc_id("1") + hand_back, 2},
    {"text_without_a_number_counts_as_0", shell{"abc"}, attrs{target(3)}, ints{0, 1}, login_failed,
     logs_in(3) + set_vdc_id("0") + hand_back, 2},
    {"leading_blanks_and_sign_are_read", shell{"  +7x", "NETWORK_ADMIN", 1}, attrs{target(3)},
     ints{seam::exited(1)}, spawn_failed + "3\n", nested(3) + set_vdc_id("7") + hand_back, 2},
    {"negative_number", shell{"-4"}, attrs{target(3)}, ints{0, 1}, login_failed,
     logs_in(3) + set_vdc_id("-4") + hand_back, 2},
    {"number_beyond_32_bits_saturates", shell{"99999999999"}, attrs{target(3)}, ints{0, 1},
     login_failed, logs_in(3) + set_vdc_id("214") + hand_back, 2},
    {"target_1000_keeps_three_characters", op, attrs{target(1000)}, none, "",
     logs_in(1000) + hand_back, 2},
    {"target_1000_nested_shell_command_in_full", admin, attrs{target(1000)}, ints{seam::exited(1)},
     spawn_failed + "1000\n", nested(1000) + set_vdc_id("2") + hand_back, 2},
    {"target_1000_login_failure_in_full", op, attrs{target(1000)}, ints{0, 1},
     " Failed to switch to vdc 1000 \n", logs_in(1000) + set_vdc_id("2") + hand_back, 2},
    {"target_0_is_an_ordinary_target", op, attrs{target(0)}, none, "", logs_in(0) + hand_back, 2},
    {"target_is_the_whole_word", op, attrs{target(0x00010001)}, none, "",
     logs_in(0x00010001) + hand_back, 2},
    // The login program's arguments.
    {"root_logs_in_as_admin", shell{"2", "network-operator", 0, 5, "root"}, attrs{target(3)}, none,
     "", logs_in(3, "admin") + hand_back, 2},
    {"only_the_exact_root_becomes_admin", shell{"2", "network-operator", 0, 5, "Root"},
     attrs{target(3)}, none, "", logs_in(3, "Root") + hand_back, 2},
    {"long_user_name_is_cut_to_127", shell{"2", "network-operator", 0, 5, std::string(200, 'u')},
     attrs{target(3)}, none, "", logs_in(3, std::string(127, 'u')) + hand_back, 2},
    {"no_user_name_logs_in_with_an_empty_one", shell{"2", "network-operator", 0, 5, std::nullopt},
     attrs{target(3)}, none, "", logs_in(3, "") + hand_back, 2},
    {"negative_environment_result_as_text", shell{"2", "network-operator", 0, -3}, attrs{target(3)},
     none, "", logs_in(3, "alice", "-3") + hand_back, 2},
    // The nested shell needs all three: a non-zero environment, the exact role, script mode.
    {"role_in_lower_case_logs_in", shell{"2", "network_admin", 1}, attrs{target(3)}, none, "",
     logs_in(3) + hand_back, 2},
    {"role_with_more_text_logs_in", shell{"2", "NETWORK_ADMIN ", 1}, attrs{target(3)}, none, "",
     logs_in(3) + hand_back, 2},
    {"zero_script_flag_logs_in", shell{"2", "NETWORK_ADMIN", 0}, attrs{target(3)}, none, "",
     logs_in(3) + hand_back, 2},
    {"zero_environment_logs_in_with_argument_0", shell{"2", "NETWORK_ADMIN", 1, 0},
     attrs{target(3)}, none, "", logs_in(3, "alice", "0") + hand_back, 2},
    {"script_attribute_0_overrides_the_request", admin,
     attrs{word(VDC_ATTR_SCRIPT_MODE, 0), target(3)}, none, "", logs_in(3) + hand_back, 3},
    {"script_attribute_1_overrides_the_request", shell{"2", "NETWORK_ADMIN", 0},
     attrs{target(3), word(VDC_ATTR_SCRIPT_MODE, 1)}, none, "", nested(3) + hand_back, 3},
    {"short_script_attribute_leaves_the_flag", admin,
     attrs{standin::bytes(VDC_ATTR_SCRIPT_MODE, {0, 0}), target(3)}, none, "",
     nested(3) + hand_back, 3},
    {"null_script_attribute_leaves_the_flag", shell{"2", "NETWORK_ADMIN", 0},
     attrs{attribute{VDC_ATTR_SCRIPT_MODE, {1, 0, 0, 0}, true}, target(3)}, none, "",
     logs_in(3) + hand_back, 3},
    // The first-setup check: only an exit status of 2 stops the switch.
    {"first_setup_skipped_when_told", op, attrs{target(3), mark(VDC_ATTR_SKIP_FIRST_SETUP)}, none,
     "", enter(3) + login() + hand_back, 3},
    {"first_setup_never_before_a_nested_shell", admin, attrs{target(3)}, ints{0, seam::exited(2)},
     "", nested(3) + hand_back, 2},
    {"first_setup_exit_1_goes_on", op, attrs{target(3)}, ints{seam::exited(1)}, "",
     logs_in(3) + hand_back, 2},
    {"first_setup_exit_3_goes_on", op, attrs{target(3)}, ints{seam::exited(3)}, "",
     logs_in(3) + hand_back, 2},
    {"first_setup_not_found_goes_on", op, attrs{target(3)}, ints{seam::exited(127)}, "",
     logs_in(3) + hand_back, 2},
    {"first_setup_killed_by_signal_2_goes_on", op, attrs{target(3)}, ints{2}, "",
     logs_in(3) + hand_back, 2},
    {"first_setup_failure_after_a_refusal", op,
     attrs{mark(VDC_ATTR_ERR_NO_VDC), target(3), mark(VDC_ATTR_ERR_NOT_AUTHORIZED)},
     ints{seam::exited(2)}, no_vdc + setup_failed,
     enter(3) + first_setup(3) + set_vdc_id("2") + hand_back, 2},
    // Several walk attributes, and targets too short to name a VDC.
    {"refusal_then_target_switches", op, attrs{mark(VDC_ATTR_ERR_NOT_AUTHORIZED), target(3)}, none,
     not_authorized, logs_in(3) + hand_back, 3},
    {"both_refusals_in_order", op,
     attrs{mark(VDC_ATTR_ERR_NOT_AUTHORIZED), mark(VDC_ATTR_ERR_NO_VDC)}, none,
     not_authorized + no_vdc, hand_back, 3},
    {"failed_login_then_second_target", op, attrs{target(3), target(4)}, ints{0, 7}, login_failed,
     logs_in(3) + set_vdc_id("2") + logs_in(4) + hand_back, 3},
    {"second_target_reverts_to_the_first", admin, attrs{target(3), target(4)},
     ints{0, seam::exited(1)}, spawn_failed + "4\n",
     nested(3) + nested(4) + set_vdc_id("3") + hand_back, 3},
    {"target_one_after_a_switch_ends_at_once", op, attrs{target(3), target(1)}, none, "",
     logs_in(3), 2},
    {"short_target_is_skipped", op,
     attrs{standin::bytes(VDC_ATTR_SWITCH_TARGET, {3, 0, 0}), target(4)}, none, "",
     logs_in(4) + hand_back, 3},
    {"null_target_is_skipped", op, attrs{attribute{VDC_ATTR_SWITCH_TARGET, {3, 0, 0, 0}, true}},
     none, "", hand_back, 2},
    {"longer_target_reads_its_first_word", op,
     attrs{standin::words(VDC_ATTR_SWITCH_TARGET, {3, 9})}, none, "", logs_in(3) + hand_back, 2},
};

INSTANTIATE_TEST_SUITE_P(outcomes, switch_test, testing::ValuesIn(outcomes),
                         zms_test::by_label<switch_case>);

}  // namespace
