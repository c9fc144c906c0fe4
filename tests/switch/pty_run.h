// Runs a function in a child process that leads a new session on a fresh pseudo-terminal,
// the terminal in raw mode so that what the child writes arrives unchanged.
#ifndef ZMS_TEST_PTY_RUN_H
#define ZMS_TEST_PTY_RUN_H

#include <functional>
#include <string>

namespace zms_test {

struct pty_result {
  std::string output;  // everything written to the terminal
  int status = -1;     // the child's wait status
  bool timed_out = false;
};

// `body` runs in the child; its result is the child's exit code.
pty_result run_on_terminal(const std::function<int()> &body);

// Reads a whole file; false when it cannot be opened.
bool read_file(const std::string &path, std::string &content);

}  // namespace zms_test

#endif  // ZMS_TEST_PTY_RUN_H
