#include "util/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace vdcsim {

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
