// The shell's user and terminal services, the program runner and the event-history header.
#include <signal.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cstdarg>
#include <cstdio>

#include "standin.h"

namespace {

using standin::log_call;
using standin::platform;

// The settings of standard input when it is a terminal, as last saved.
struct termios saved_terminal;
bool terminal_saved = false;

}  // namespace

namespace standin {

// As system() does, the caller ignores SIGINT and SIGQUIT and blocks SIGCHLD while the
// program runs: Ctrl-C reaches the program, not the shell waiting for it.
class waiting_as_system {
 public:
  waiting_as_system() {
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigaction(SIGINT, &ignore, &saved_int_);
    sigaction(SIGQUIT, &ignore, &saved_quit_);
    sigset_t chld;
    sigemptyset(&chld);
    sigaddset(&chld, SIGCHLD);
    sigprocmask(SIG_BLOCK, &chld, &saved_mask_);
  }
  ~waiting_as_system() { restore(); }
  waiting_as_system(const waiting_as_system &) = delete;
  waiting_as_system &operator=(const waiting_as_system &) = delete;
  void restore() {
    sigaction(SIGINT, &saved_int_, nullptr);
    sigaction(SIGQUIT, &saved_quit_, nullptr);
    sigprocmask(SIG_SETMASK, &saved_mask_, nullptr);
  }

 private:
  struct sigaction saved_int_ {};
  struct sigaction saved_quit_ {};
  sigset_t saved_mask_{};
};

int32_t run_program(const program_run &run) {
  std::vector<char *> argv;
  argv.push_back(const_cast<char *>(run.path.c_str()));
  for (auto &arg : run.args)
    argv.push_back(const_cast<char *>(arg.c_str()));
  argv.push_back(nullptr);
  fflush(nullptr);
  waiting_as_system waiting;
  pid_t pid = fork();
  if (pid < 0) return -1;
  if (pid == 0) {
    waiting.restore();
    execv(argv[0], argv.data());
    _exit(127);
  }
  int status = 0;
  while (waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return -1;
  }
  return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? 0 : (status ? status : -1);
}

}  // namespace standin

extern "C" {

char *vsh_get_username(void) {
  log_call("vsh_get_username()");
  if (platform().username_null) return nullptr;
  return platform().username.data();
}

int32_t vsh_set_vdc_environment(void) {
  log_call("vsh_set_vdc_environment()");
  return platform().vdc_environment;
}

int32_t cli_save_terminal_settings(void) {
  log_call("cli_save_terminal_settings()");
  ++platform().terminal_saves;
  terminal_saved = isatty(STDIN_FILENO) && tcgetattr(STDIN_FILENO, &saved_terminal) == 0;
  return 0;
}

// Cooked input for a child program: line editing, echo and signals on; output
// processing stays as it was.
int32_t cli_set_default_terminal_settings(void) {
  log_call("cli_set_default_terminal_settings()");
  if (!terminal_saved) return 0;
  struct termios cooked = saved_terminal;
  cooked.c_iflag |= ICRNL;
  cooked.c_lflag |= ICANON | ECHO | ECHOE | ECHOK | ISIG | IEXTEN;
  return tcsetattr(STDIN_FILENO, TCSADRAIN, &cooked) == 0 ? 0 : -1;
}

int32_t cli_restore_terminal_settings(void) {
  log_call("cli_restore_terminal_settings()");
  if (!terminal_saved) return 0;
  return tcsetattr(STDIN_FILENO, TCSADRAIN, &saved_terminal) == 0 ? 0 : -1;
}

int32_t execute_program_and_wait(const char *path, ...) {
  standin::program_run run{path ? path : "", {}};
  va_list args;
  va_start(args, path);
  while (const char *arg = va_arg(args, const char *))
    run.args.emplace_back(arg);
  va_end(args);
  std::string line = "execute_program_and_wait(\"" + run.path + "\"";
  for (auto &arg : run.args)
    line += ", \"" + arg + "\"";
  log_call(line + ")");
  platform().programs_run.push_back(run);
  if (platform().program_runner) return platform().program_runner(run);
  return standin::run_program(run);
}

int32_t sdwrap_hist_print_event_header(uintptr_t arg5, const char *type_name, uintptr_t arg2,
                                       uint32_t *pair) {
  log_call("sdwrap_hist_print_event_header(" + std::to_string(arg5) + ", " +
           (type_name ? std::string("\"") + type_name + "\"" : std::string("NULL")) + ", " +
           std::to_string(arg2) + ", [" + std::to_string(pair[0]) + ", " + std::to_string(pair[1]) +
           "])");
  printf("%u.%06u Event:%s\n", pair[0], pair[1], type_name ? type_name : "(unknown)");
  return 0;
}

}  // extern "C"
