#include "switch/session_files.h"

#include <dirent.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace vdcsim {
namespace {

bool fail(std::string &error, const std::string &path, const char *what) {
  error = path + ": " + what + ": " + std::strerror(errno);
  return false;
}

}  // namespace

std::string make_session_dir(std::string &error) {
  const char *variable = std::getenv("TMPDIR");
  std::string base = variable && *variable ? variable : "/tmp";
  std::string dir = base + "/vdcsim-XXXXXX";
  if (mkdtemp(dir.data()) == nullptr) {
    fail(error, base, "cannot make the session directory");
    return "";
  }
  return dir;
}

void remove_session_dir(const std::string &dir) {
  if (dir.empty()) return;
  if (DIR *d = opendir(dir.c_str())) {
    while (dirent *entry = readdir(d)) {
      std::string name = entry->d_name;
      if (name != "." && name != "..") unlink((dir + "/" + name).c_str());
    }
    closedir(d);
  }
  rmdir(dir.c_str());
}

}  // namespace vdcsim
