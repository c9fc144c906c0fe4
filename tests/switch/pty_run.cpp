#include "pty_run.h"

#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace zms_test {
namespace {

constexpr int patience_ms = 60000;  // qemu-user is slow; a hung child must not hang the test

void read_all(int master, pty_result &result) {
  char buf[4096];
  for (;;) {
    pollfd fd{master, POLLIN, 0};
    int ready = poll(&fd, 1, patience_ms);
    if (ready == 0) {
      result.timed_out = true;
      return;
    }
    if (ready < 0) continue;
    ssize_t n = read(master, buf, sizeof buf);
    if (n <= 0) return;  // EIO once every holder of the terminal has closed it
    result.output.append(buf, static_cast<size_t>(n));
  }
}

}  // namespace

pty_result run_on_terminal(const std::function<int()> &body) {
  termios raw{};
  cfmakeraw(&raw);
  fflush(nullptr);
  int master = -1;
  pid_t child = forkpty(&master, nullptr, &raw, nullptr);
  if (child < 0) throw std::runtime_error("forkpty failed");
  if (child == 0) {
    int code = body();
    fflush(nullptr);
    _exit(code);
  }
  pty_result result;
  read_all(master, result);
  if (result.timed_out) kill(child, SIGKILL);
  waitpid(child, &result.status, 0);
  close(master);
  return result;
}

bool read_file(const std::string &path, std::string &content) {
  std::ifstream in(path);
  if (!in) return false;
  std::ostringstream text;
  text << in.rdbuf();
  content = text.str();
  return true;
}

}  // namespace zms_test
