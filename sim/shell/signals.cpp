#include "shell/signals.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <initializer_list>

namespace vdcsim::signals {
namespace {

volatile sig_atomic_t end_signal = 0;
volatile sig_atomic_t typing = 0;
volatile sig_atomic_t noted[NSIG];
int wake_pipe[2] = {-1, -1};  // a byte per signal wakes wait_for_input

void note(int signal) {
  int saved = errno;
  if (wake_pipe[1] >= 0) {
    ssize_t written = write(wake_pipe[1], "", 1);  // a full pipe wakes the waiter as well
    (void)written;
  }
  errno = saved;
  if (signal == SIGINT && !typing) {
    end_signal = SIGINT;
  } else if (signal == SIGINT || signal == SIGTSTP || signal == SIGCONT) {
    noted[signal] = 1;
  } else if (end_signal == 0) {
    end_signal = signal;
  }
}

void handle(int signal, void (*handler)(int)) {
  struct sigaction action {};
  action.sa_handler = handler;
  sigemptyset(&action.sa_mask);
  action.sa_flags = 0;  // no SA_RESTART: a waiting read returns, so the loop can see it
  sigaction(signal, &action, nullptr);
}

}  // namespace

// A signal ignored when the shell started, as INT and QUIT are for a background job
// of a shell without job control, stays ignored.
void install() {
  if (wake_pipe[0] < 0 && pipe2(wake_pipe, O_CLOEXEC | O_NONBLOCK) != 0) wake_pipe[0] = -1;
  for (int signal : {SIGTERM, SIGHUP, SIGINT, SIGPIPE}) {
    struct sigaction current {};
    sigaction(signal, nullptr, &current);
    if (current.sa_handler != SIG_IGN) handle(signal, note);
  }
}

bool wait_for_input(int fd) {
  struct pollfd waits[2] = {{fd, POLLIN, 0}, {wake_pipe[0], POLLIN, 0}};
  if (poll(waits, 2, -1) < 0) return false;
  if (waits[1].revents != 0) {
    char drained[64];
    while (read(wake_pipe[0], drained, sizeof drained) > 0) {
    }
    return false;
  }
  return true;
}

int ending() {
  return end_signal;
}

void set_interactive(bool interactive) {
  typing = interactive;
}

bool take(int signal) {
  if (!noted[signal]) return false;
  noted[signal] = 0;
  return true;
}

void catch_stop(bool caught) {
  handle(SIGTSTP, caught ? note : SIG_DFL);
  handle(SIGCONT, caught ? note : SIG_DFL);
  noted[SIGTSTP] = 0;
  noted[SIGCONT] = 0;
}

void end_as(int signal) {
  handle(signal, SIG_DFL);
  sigset_t set;
  sigemptyset(&set);
  sigaddset(&set, signal);
  sigprocmask(SIG_UNBLOCK, &set, nullptr);
  raise(signal);
  _exit(128 + signal);
}

}  // namespace vdcsim::signals
