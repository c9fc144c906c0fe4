// The C library's process, terminal, environment and allocation calls that the switch
// handler and the launcher make, as the switch tests see them: this program's definitions
// take the place of the C library's for the library under test (the executable's
// definitions win at load). system, getpgrp, tcsetpgrp and setenv are recorded in the
// stand-in's call log; system answers through the stand-in's program runner, getpgrp with
// a fixed group. fork, waitpid and malloc pass through to the real functions unless a
// failure is asked for, and note the signal mask in force when the launcher forks and
// waits.
#ifndef ZMS_TEST_LIBC_SEAM_H
#define ZMS_TEST_LIBC_SEAM_H

#include <sys/types.h>

namespace seam {

// The process group that getpgrp reports for the shell.
constexpr pid_t shell_group = 4242;

// The wait status of a program that exited with `code`.
constexpr int exited(int code) {
  return code << 8;
}

struct state {
  int fork_error = 0;         // the next fork fails with this errno
  int interrupted_waits = 0;  // waitpid calls that fail with EINTR before the real one
  bool fail_malloc = false;   // the next malloc fails with ENOMEM
  int forks = 0, waits = 0;
  bool sigchld_blocked_at_fork = false, sigchld_blocked_in_wait = false;
  int signals_blocked_in_wait = 0;  // how many, counted in the last waitpid
};

state &now();
void reset();
// False where a sanitizer owns the allocator and malloc cannot be replaced.
bool can_fail_malloc();

}  // namespace seam

#endif  // ZMS_TEST_LIBC_SEAM_H
