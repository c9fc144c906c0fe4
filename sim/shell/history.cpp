#include "shell/history.h"

#include <readline/history.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "switch/programs.h"

namespace vdcsim::history {
namespace {

bool warned = false;

// Said once, and only by the first shell: a nested shell meets the same fault.
void warn(const std::string &what, int error) {
  if (warned || nesting_depth() > 0) return;
  warned = true;
  std::fprintf(stderr, "vdcsim: the history is not kept: %s%s%s\n", what.c_str(),
               error != 0 ? ": " : "", error != 0 ? std::strerror(error) : "");
}

// XDG_STATE_HOME counts only as an absolute path.
std::string state_home() {
  const char *state = std::getenv("XDG_STATE_HOME");
  if (state != nullptr && state[0] == '/') return state;
  const char *home = std::getenv("HOME");
  if (home != nullptr && home[0] == '/') return std::string(home) + "/.local/state";
  return "";
}

// Makes each missing folder of `dir`, readable by its owner only.
bool make_folders(const std::string &dir) {
  for (size_t at = dir.find('/', 1);; at = dir.find('/', at + 1)) {
    std::string folder = dir.substr(0, at);
    if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return warn(folder, errno), false;
    if (at == std::string::npos) break;
  }
  struct stat st {};
  if (stat(dir.c_str(), &st) != 0) return warn(dir, errno), false;
  if (!S_ISDIR(st.st_mode)) return warn(dir, ENOTDIR), false;
  return true;
}

// "" when there is no place for the file.
std::string file() {
  static std::string path;
  static bool looked = false;
  if (looked) return path;
  looked = true;
  std::string home = state_home();
  if (home.empty()) return warn("neither XDG_STATE_HOME nor HOME is a full path", 0), path;
  if (make_folders(home + "/vdcsim")) path = home + "/vdcsim/history";
  return path;
}

}  // namespace

void load() {
  clear_history();
  stifle_history(kept_lines);
  if (file().empty()) return;
  int error = read_history(file().c_str());
  if (error != 0 && error != ENOENT) warn(file(), error);
  trim();
}

void remember(const std::string &line) {
  add_history(line.c_str());
  if (file().empty()) return;
  int fd = open(file().c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0600);
  std::string text = line + "\n";
  bool written = fd >= 0 && write(fd, text.data(), text.size()) == ssize_t(text.size());
  if (!written) warn(file(), errno);
  if (fd >= 0) close(fd);
}

void trim() {
  if (file().empty()) return;
  int error = history_truncate_file(file().c_str(), kept_lines);
  if (error != 0 && error != ENOENT) warn(file(), error);
}

}  // namespace vdcsim::history
