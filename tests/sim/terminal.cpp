#include "terminal.h"

#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>

namespace sim_test {

terminal::terminal(const std::string &command) {
  struct winsize size = {40, 200, 0, 0};
  pid_ = forkpty(&master_, nullptr, nullptr, &size);
  if (pid_ == 0) {
    setenv("TERM", "dumb", 1);
    setenv("TZ", "UTC", 1);
    setenv("INPUTRC", "/dev/null", 1);
    setenv("PS1", "$ ", 1);
    unsetenv("VDCSIM_STATE");
    execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char *>(nullptr));
    _exit(126);
  }
}

terminal::~terminal() {
  if (pid_ > 0 && !finished_) {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
  if (master_ >= 0) close(master_);
}

void terminal::type(const std::string &keys) {
  if (write(master_, keys.data(), keys.size()) != static_cast<ssize_t>(keys.size())) abort();
}

bool terminal::wait_for(const std::string &text, int timeout_ms) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
  while (output_.find(text, seen_) == std::string::npos) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                    deadline - std::chrono::steady_clock::now())
                    .count();
    if (left <= 0 || !read_some(static_cast<int>(left))) return false;
  }
  seen_ = output_.find(text, seen_) + text.size();
  return true;
}

int terminal::finish() {
  int status = 0;
  for (int tries = 0; waitpid(pid_, &status, WNOHANG) == 0; ++tries) {
    if (tries == 100) {
      kill(pid_, SIGKILL);
      waitpid(pid_, &status, 0);
      break;
    }
    read_some(100);
  }
  while (read_some(100)) {
  }
  finished_ = true;
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

bool terminal::read_some(int timeout_ms) {
  struct pollfd p = {master_, POLLIN, 0};
  if (poll(&p, 1, timeout_ms) <= 0) return false;
  char buf[4096];
  ssize_t n = read(master_, buf, sizeof buf);
  if (n <= 0) return false;
  output_.append(buf, static_cast<size_t>(n));
  return true;
}

}  // namespace sim_test
