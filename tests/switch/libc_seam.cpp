#include "libc_seam.h"

#include <dlfcn.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <stdio_ext.h>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "standin.h"

#if defined(__SANITIZE_ADDRESS__)
#define ZMS_TEST_OWN_MALLOC 0
#else
#define ZMS_TEST_OWN_MALLOC 1
#endif

namespace {

seam::state current;

bool sigchld_blocked() {
  sigset_t mask;
  sigprocmask(SIG_BLOCK, nullptr, &mask);
  return sigismember(&mask, SIGCHLD) == 1;
}

int signals_blocked() {
  sigset_t mask;
  sigprocmask(SIG_BLOCK, nullptr, &mask);
  int count = 0;
  for (int sig = 1; sig < NSIG; ++sig)
    count += sigismember(&mask, sig) == 1;
  return count;
}

template <typename Fn>
Fn real(const char *name) {
  return reinterpret_cast<Fn>(dlsym(RTLD_NEXT, name));
}

// Command texts are logged with their newlines written as \n.
std::string quoted(const char *text) {
  if (text == nullptr) return "NULL";
  std::string out = "\"";
  for (const char *c = text; *c != '\0'; ++c)
    out += *c == '\n' ? std::string("\\n") : std::string(1, *c);
  return out + "\"";
}

}  // namespace

namespace seam {

state &now() {
  return current;
}
void reset() {
  current = state{};
}
bool can_fail_malloc() {
  return ZMS_TEST_OWN_MALLOC;
}

}  // namespace seam

extern "C" {

// A program would print after whatever the caller left unflushed in stdout's buffer.
int system(const char *command) {
  bool unflushed = __fpending(stdout) > 0;
  standin::log_call("system(" + quoted(command) + ")" + (unflushed ? " before the output" : ""));
  auto &runner = standin::platform().program_runner;
  return runner ? runner({command ? command : "", {}}) : 0;
}

pid_t getpgrp(void) noexcept {
  standin::log_call("getpgrp()");
  return seam::shell_group;
}

int tcsetpgrp(int fd, pid_t group) noexcept {
  standin::log_call("tcsetpgrp(" + std::to_string(fd) + ", " + std::to_string(group) + ")");
  return 0;
}

// Recorded, then really set: the tests read the variable afterwards.
int setenv(const char *name, const char *value, int overwrite) noexcept {
  static auto real_setenv = real<int (*)(const char *, const char *, int)>("setenv");
  standin::log_call("setenv(" + quoted(name) + ", " + quoted(value) + ", " +
                    std::to_string(overwrite) + ")");
  return real_setenv(name, value, overwrite);
}

pid_t fork(void) noexcept {
  ++current.forks;
  current.sigchld_blocked_at_fork = sigchld_blocked();
  if (current.fork_error != 0) {
    errno = current.fork_error;
    current.fork_error = 0;
    return -1;
  }
  static auto real_fork = real<pid_t (*)()>("fork");
  return real_fork();
}

pid_t waitpid(pid_t child, int *status, int options) {
  ++current.waits;
  current.sigchld_blocked_in_wait = sigchld_blocked();
  current.signals_blocked_in_wait = signals_blocked();
  if (current.interrupted_waits > 0) {
    --current.interrupted_waits;
    errno = EINTR;
    return -1;
  }
  static auto real_waitpid = real<pid_t (*)(pid_t, int *, int)>("waitpid");
  return real_waitpid(child, status, options);
}

#if ZMS_TEST_OWN_MALLOC
void *__libc_malloc(size_t size);

void *malloc(size_t size) noexcept {
  if (current.fail_malloc) {
    current.fail_malloc = false;
    errno = ENOMEM;
    return nullptr;
  }
  return __libc_malloc(size);
}
#endif

}  // extern "C"
