// The C library's process, terminal and environment calls that the switch handler makes,
// as this test program sees them: its own definitions take the place of the C library's
// for the library under test (the executable's definitions win at load). Each call is
// recorded in the stand-in's call log; system and getpgrp answer with scripted results.
#ifndef ZMS_TEST_SHELL_SEAM_H
#define ZMS_TEST_SHELL_SEAM_H

#include <sys/types.h>

#include <vector>

namespace seam {

// The process group that getpgrp reports for the shell.
constexpr pid_t shell_group = 4242;

// The wait status of a program that exited with `code`.
constexpr int exited(int code) {
  return code << 8;
}

// Statuses that the next system calls return, in order; 0 once they run out.
void script_system(std::vector<int> statuses);

}  // namespace seam

#endif  // ZMS_TEST_SHELL_SEAM_H
