// A shell command on a new pseudo-terminal, typed at as an operator would.
#ifndef VDCSIM_TEST_TERMINAL_H
#define VDCSIM_TEST_TERMINAL_H

#include <sys/types.h>

#include <string>

namespace sim_test {

class terminal {
 public:
  explicit terminal(const std::string &command);
  ~terminal();
  terminal(const terminal &) = delete;
  terminal &operator=(const terminal &) = delete;

  void type(const std::string &keys);
  // Reads until `text` has appeared after what earlier waits consumed.
  bool wait_for(const std::string &text, int timeout_ms = 10000);
  // Waits up to ten seconds for the command to end, then ends it; its exit status.
  int finish();
  const std::string &output() const { return output_; }
  pid_t pid() const { return pid_; }

 private:
  bool read_some(int timeout_ms);
  int master_ = -1;
  pid_t pid_ = -1;
  bool finished_ = false;
  std::string output_;
  size_t seen_ = 0;
};

}  // namespace sim_test

#endif  // VDCSIM_TEST_TERMINAL_H
