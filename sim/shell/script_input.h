// A script's lines, read from a descriptor the shell shares with the nested shells its
// commands start: each line is taken from the descriptor and nothing after it, so that a
// nested shell reads the lines that follow. Input is read in blocks all the same: a
// seekable file gives back what was read past the line, a pipe is looked at with tee(2)
// before the line is taken, a terminal hands over one line per read. A line longer than
// `max_line` is not held: the rest of it is skipped.
#ifndef VDCSIM_SCRIPT_INPUT_H
#define VDCSIM_SCRIPT_INPUT_H

#include <string>

namespace vdcsim {

constexpr size_t max_script_line = size_t{64} << 10;

class script_input {
 public:
  enum class got { line, too_long, end };

  explicit script_input(int fd);
  ~script_input();
  script_input(const script_input &) = delete;
  script_input &operator=(const script_input &) = delete;

  // The next line without its LF (or CRLF); `end` at the end of input or when a signal
  // asks the session to end.
  got next(std::string &line);

 private:
  enum class kind { seekable, pipe, terminal, other };
  ssize_t look(char *buffer, size_t size);
  bool take(size_t looked, size_t used);

  int fd_;
  kind kind_;
  int peek_[2] = {-1, -1};  // the pipe tee(2) copies a look into
};

}  // namespace vdcsim

#endif  // VDCSIM_SCRIPT_INPUT_H
