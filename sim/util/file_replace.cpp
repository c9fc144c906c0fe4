#include "util/file_replace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace vdcsim {
namespace {

replace_outcome fault(std::string place, int error) {
  return {false, std::move(place), std::strerror(error), 0};
}

// What stands at `path` now: nothing, or a regular file described in `old`.
bool may_replace(const std::string &path, struct stat &old, bool &exists, replace_outcome &out) {
  exists = lstat(path.c_str(), &old) == 0;
  if (!exists && errno != ENOENT) return out = fault(path, errno), false;
  if (!exists || S_ISREG(old.st_mode)) return true;
  out = S_ISDIR(old.st_mode) ? fault(path, EISDIR)
                             : replace_outcome{false, path, "not a regular file", 0};
  return false;
}

// The new file as the old one was: its mode, and its owner when this process may give it.
bool take_over(int fd, const struct stat &old) {
  if ((old.st_uid != geteuid() || old.st_gid != getegid()) &&
      fchown(fd, old.st_uid, old.st_gid) != 0) {
    // Only its owner or root may give a file away; the new file stays this user's.
  }
  return fchmod(fd, old.st_mode & 07777) == 0;
}

}  // namespace

bool write_all(int fd, const std::string &text) {
  size_t done = 0;
  while (done < text.size()) {
    ssize_t n = write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n == 0) errno = ENOSPC;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

std::string directory_of(const std::string &path) {
  size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

replace_outcome replace_file_as(const std::string &path, const std::string &text, mode_t mode) {
  struct stat old {};
  bool exists = false;
  replace_outcome out;
  if (!may_replace(path, old, exists, out)) return out;
  std::string temporary = path + ".XXXXXX";
  int fd = mkstemp(temporary.data());
  if (fd < 0) return fault("in " + directory_of(path), errno);
  bool written = (exists ? take_over(fd, old) : fchmod(fd, mode) == 0) && write_all(fd, text) &&
                 fsync(fd) == 0;
  int error = errno;
  if (close(fd) != 0 && written) written = false, error = errno;
  if (written && rename(temporary.c_str(), path.c_str()) != 0) written = false, error = errno;
  if (!written) {
    unlink(temporary.c_str());
    return fault(path, error);
  }
  out.replaced = true;
  out.other_links = exists ? old.st_nlink - 1 : 0;
  return out;
}

}  // namespace vdcsim
