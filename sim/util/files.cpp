#include "util/files.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace vdcsim {
namespace {

// Holds an exclusive lock on a directory for as long as it lives.
class directory_lock {
 public:
  explicit directory_lock(const std::string &dir)
      : fd_(open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
    if (fd_ >= 0) flock(fd_, LOCK_EX);
  }
  ~directory_lock() {
    if (fd_ >= 0) close(fd_);
  }
  directory_lock(const directory_lock &) = delete;
  directory_lock &operator=(const directory_lock &) = delete;

 private:
  int fd_;
};

bool write_all(int fd, const std::string &text) {
  size_t done = 0;
  while (done < text.size()) {
    ssize_t n = write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

}  // namespace

std::string directory_of(const std::string &path) {
  size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

bool replace_file_as(const std::string &path, const std::string &text, mode_t mode,
                     std::string &reason) {
  directory_lock lock(directory_of(path));
  std::string temporary = path + ".XXXXXX";
  int fd = mkstemp(temporary.data());
  if (fd < 0) {
    reason = std::strerror(errno);
    return false;
  }
  bool written = fchmod(fd, mode) == 0 && write_all(fd, text);
  if (close(fd) != 0) written = false;
  if (!written || rename(temporary.c_str(), path.c_str()) != 0) {
    reason = std::strerror(errno);
    unlink(temporary.c_str());
    return false;
  }
  return true;
}

bool replace_file(const std::string &path, const std::string &text, std::string &error) {
  std::string reason;
  if (replace_file_as(path, text, 0600, reason)) return true;
  error = path + ": cannot write the chassis state: " + reason;
  return false;
}

bool read_bounded(const std::string &path, size_t limit, bool follow, std::string &text,
                  std::string &error) {
  int flags = O_RDONLY | O_CLOEXEC | O_NONBLOCK | (follow ? 0 : O_NOFOLLOW);
  int fd = open(path.c_str(), flags);
  if (fd < 0) {
    error = path + ": cannot read the chassis file: " + std::strerror(errno);
    return false;
  }
  struct stat st {};
  bool regular = fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
  if (!regular || static_cast<unsigned long long>(st.st_size) > limit) {
    close(fd);
    error = path + ": cannot read the chassis file: " +
            (regular ? "larger than " + std::to_string(limit >> 20) + " MiB"
                     : std::string("not a regular file"));
    return false;
  }
  text.assign(static_cast<size_t>(st.st_size), '\0');
  size_t done = 0;
  while (done < text.size()) {
    ssize_t n = read(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += static_cast<size_t>(n);
  }
  close(fd);
  text.resize(done);
  return true;
}

}  // namespace vdcsim
