// fork, waitpid and malloc as the launcher tests see them: this program's definitions take
// the place of the C library's for the library under test. They pass every call through
// to the real function unless a test asks for a failure, and note the signal mask in
// force when the launcher forks and waits.
#ifndef ZMS_TEST_LAUNCHER_SEAM_H
#define ZMS_TEST_LAUNCHER_SEAM_H

#include <sys/types.h>

namespace launcher_seam {

struct observed {
  int forks = 0;
  int waits = 0;
  bool sigchld_blocked_at_fork = false;
  bool sigchld_blocked_in_wait = false;
};

// What the seam has seen since the last reset; reset() also drops pending failures.
const observed &seen();
void reset();

// The next fork fails with `error`.
void fail_next_fork(int error);
// The next `count` waitpid calls fail with EINTR before the real one runs.
void interrupt_waits(int count);

// False where a sanitizer owns the allocator and malloc cannot be replaced.
bool can_fail_malloc();
// The next malloc fails with ENOMEM.
void fail_next_malloc();
bool malloc_failure_pending();

}  // namespace launcher_seam

#endif  // ZMS_TEST_LAUNCHER_SEAM_H
