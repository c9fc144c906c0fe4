#include "shell_seam.h"

#include <dlfcn.h>
#include <unistd.h>

#include <cstdlib>
#include <deque>
#include <string>

#include "standin.h"

namespace {

std::deque<int> system_statuses;

// Command texts are logged with their newlines written as \n.
std::string quoted(const char *text) {
  if (text == nullptr) return "NULL";
  std::string out = "\"";
  for (const char *c = text; *c != '\0'; ++c)
    out += *c == '\n' ? std::string("\\n") : std::string(1, *c);
  return out + "\"";
}

}  // namespace

namespace seam {

void script_system(std::vector<int> statuses) {
  system_statuses.assign(statuses.begin(), statuses.end());
}

}  // namespace seam

extern "C" {

int system(const char *command) {
  standin::log_call("system(" + quoted(command) + ")");
  if (system_statuses.empty()) return 0;
  int status = system_statuses.front();
  system_statuses.pop_front();
  return status;
}

pid_t getpgrp(void) noexcept {
  standin::log_call("getpgrp()");
  return seam::shell_group;
}

int tcsetpgrp(int fd, pid_t group) noexcept {
  standin::log_call("tcsetpgrp(" + std::to_string(fd) + ", " + std::to_string(group) + ")");
  return 0;
}

// Recorded, then really set: the tests read the variable afterwards.
int setenv(const char *name, const char *value, int overwrite) noexcept {
  using setenv_fn = int (*)(const char *, const char *, int);
  static auto real = reinterpret_cast<setenv_fn>(dlsym(RTLD_NEXT, "setenv"));
  standin::log_call("setenv(" + quoted(name) + ", " + quoted(value) + ", " +
                    std::to_string(overwrite) + ")");
  return real(name, value, overwrite);
}

}  // extern "C"
