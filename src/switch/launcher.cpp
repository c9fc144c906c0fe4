// execute_program_new_session_and_wait: runs a program as a child in a session of its own,
// detached from the caller's terminal, and returns the child's raw wait status.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>

#include "vdc_platform.h"

namespace {

// Keeps errno as the failing call left it while a guard cleans up.
class errno_kept {
 public:
  errno_kept() : saved_(errno) {}
  ~errno_kept() { errno = saved_; }
  errno_kept(const errno_kept &) = delete;
  errno_kept &operator=(const errno_kept &) = delete;

 private:
  int saved_;
};

// The path, the caller's strings in order and a null pointer. The strings stay the
// caller's; only the array is allocated.
char **build_argv(const char *path, va_list args) {
  va_list counting;
  va_copy(counting, args);
  size_t count = 0;
  while (va_arg(counting, char *) != nullptr)
    ++count;
  va_end(counting);
  auto **argv = static_cast<char **>(malloc((count + 2) * sizeof(char *)));
  if (argv == nullptr) return nullptr;
  argv[0] = const_cast<char *>(path);
  for (size_t i = 1; i <= count + 1; ++i)
    argv[i] = va_arg(args, char *);
  return argv;
}

class argv_block {
 public:
  explicit argv_block(char **argv) : argv_(argv) {}
  ~argv_block() {
    errno_kept keep;
    free(argv_);
  }
  argv_block(const argv_block &) = delete;
  argv_block &operator=(const argv_block &) = delete;
  char **get() const { return argv_; }

 private:
  char **argv_;
};

// SIGCHLD stays blocked while the child runs; the caller's mask comes back on every path.
class sigchld_blocked {
 public:
  sigchld_blocked() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGCHLD);
    sigprocmask(SIG_BLOCK, &set, &saved_);
  }
  ~sigchld_blocked() {
    errno_kept keep;
    sigprocmask(SIG_SETMASK, &saved_, nullptr);
  }
  sigchld_blocked(const sigchld_blocked &) = delete;
  sigchld_blocked &operator=(const sigchld_blocked &) = delete;

 private:
  sigset_t saved_;
};

[[noreturn]] void run_in_new_session(char **argv) {
  setsid();
  execv(argv[0], argv);
  _exit(127);
}

int wait_for(pid_t child) {
  int status = 0;
  while (waitpid(child, &status, 0) < 0) {
    if (errno != EINTR) return -1;
  }
  return status;
}

}  // namespace

extern "C" int execute_program_new_session_and_wait(const char *path, ...) {
  if (path == nullptr || path[0] != '/') {
    errno = EINVAL;
    return -1;
  }
  va_list args;
  va_start(args, path);
  argv_block argv(build_argv(path, args));
  va_end(args);
  if (argv.get() == nullptr) return -1;
  sigchld_blocked blocked;
  fflush(nullptr);  // what the caller printed comes before what the program prints
  pid_t child = fork();
  if (child < 0) return -1;
  if (child == 0) run_in_new_session(argv.get());
  return wait_for(child);
}
