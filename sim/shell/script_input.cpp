#include "shell/script_input.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "shell/signals.h"

namespace vdcsim {
namespace {

constexpr size_t block = 16384;

bool is_pipe(int fd) {
  struct stat st {};
  return fstat(fd, &st) == 0 && S_ISFIFO(st.st_mode);
}

}  // namespace

script_input::script_input(int fd) : fd_(fd), kind_(kind::other) {
  if (isatty(fd))
    kind_ = kind::terminal;
  else if (lseek(fd, 0, SEEK_CUR) >= 0)
    kind_ = kind::seekable;
  else if (is_pipe(fd) && pipe2(peek_, O_CLOEXEC | O_NONBLOCK) == 0)
    kind_ = kind::pipe;
}

script_input::~script_input() {
  for (int end : peek_)
    if (end >= 0) close(end);
}

// Up to `size` bytes of what comes next; whether they are taken is for take() to say.
ssize_t script_input::look(char *buffer, size_t size) {
  switch (kind_) {
    case kind::seekable:
    case kind::terminal:
      return read(fd_, buffer, size);
    case kind::pipe: {
      ssize_t n = tee(fd_, peek_[1], size, SPLICE_F_NONBLOCK);
      if (n <= 0) return n;  // 0 at the end of input
      return read(peek_[0], buffer, static_cast<size_t>(n));
    }
    case kind::other:
      break;
  }
  return read(fd_, buffer, 1);
}

// Takes the first `used` of the `looked` bytes from the descriptor.
bool script_input::take(size_t looked, size_t used) {
  if (kind_ == kind::seekable && used < looked)
    return lseek(fd_, -static_cast<off_t>(looked - used), SEEK_CUR) >= 0;
  if (kind_ != kind::pipe) return true;
  char discard[block];
  for (size_t done = 0; done < used;) {
    ssize_t n = read(fd_, discard, used - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

script_input::got script_input::next(std::string &line) {
  line.clear();
  bool too_long = false, any = false;
  char buffer[block];
  for (;;) {
    if (signals::ending() != 0) return got::end;
    if (!signals::wait_for_input(fd_)) continue;
    ssize_t n = look(buffer, sizeof buffer);
    if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
    if (n <= 0) break;
    auto looked = static_cast<size_t>(n);
    const void *newline = std::memchr(buffer, '\n', looked);
    size_t used =
        newline ? static_cast<size_t>(static_cast<const char *>(newline) - buffer) : looked;
    if (!take(looked, newline ? used + 1 : used)) break;
    any = true;
    too_long = too_long || line.size() + used > max_script_line;
    if (!too_long) line.append(buffer, used);
    if (newline) break;
  }
  if (too_long) line.clear();
  if (!line.empty() && line.back() == '\r') line.pop_back();
  if (too_long) return got::too_long;
  return any ? got::line : got::end;
}

}  // namespace vdcsim
