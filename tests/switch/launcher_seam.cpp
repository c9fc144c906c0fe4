#include "launcher_seam.h"

#include <dlfcn.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#if defined(__SANITIZE_ADDRESS__)
#define ZMS_TEST_OWN_MALLOC 0
#else
#define ZMS_TEST_OWN_MALLOC 1
#endif

namespace {

launcher_seam::observed seen_so_far;
int fork_error = 0;
int interruptions = 0;
bool malloc_fails = false;

bool sigchld_blocked() {
  sigset_t mask;
  sigprocmask(SIG_BLOCK, nullptr, &mask);
  return sigismember(&mask, SIGCHLD) == 1;
}

template <typename Fn>
Fn real(const char *name) {
  return reinterpret_cast<Fn>(dlsym(RTLD_NEXT, name));
}

}  // namespace

namespace launcher_seam {

const observed &seen() {
  return seen_so_far;
}

void reset() {
  seen_so_far = observed{};
  fork_error = 0;
  interruptions = 0;
  malloc_fails = false;
}

void fail_next_fork(int error) {
  fork_error = error;
}
void interrupt_waits(int count) {
  interruptions = count;
}
bool can_fail_malloc() {
  return ZMS_TEST_OWN_MALLOC;
}
void fail_next_malloc() {
  malloc_fails = true;
}
bool malloc_failure_pending() {
  return malloc_fails;
}

}  // namespace launcher_seam

extern "C" {

pid_t fork(void) noexcept {
  ++seen_so_far.forks;
  seen_so_far.sigchld_blocked_at_fork = sigchld_blocked();
  if (fork_error != 0) {
    errno = fork_error;
    fork_error = 0;
    return -1;
  }
  static auto real_fork = real<pid_t (*)()>("fork");
  return real_fork();
}

pid_t waitpid(pid_t child, int *status, int options) {
  ++seen_so_far.waits;
  seen_so_far.sigchld_blocked_in_wait = sigchld_blocked();
  if (interruptions > 0) {
    --interruptions;
    errno = EINTR;
    return -1;
  }
  static auto real_waitpid = real<pid_t (*)(pid_t, int *, int)>("waitpid");
  return real_waitpid(child, status, options);
}

#if ZMS_TEST_OWN_MALLOC
void *__libc_malloc(size_t size);

void *malloc(size_t size) noexcept {
  if (malloc_fails) {
    malloc_fails = false;
    errno = ENOMEM;
    return nullptr;
  }
  return __libc_malloc(size);
}
#endif

}  // extern "C"
