#include "shell/pager.h"

#include <signal.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "shell/actions.h"
#include "shell/signals.h"
#include "util/output.h"

namespace vdcsim {
namespace {

int page_length = -1;
constexpr const char more[] = "--More--";
constexpr int unknown_rows = 24;

winsize window() {
  winsize size{};
  if (ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) != 0) size = winsize{};
  return size;
}

enum class key_meaning { page, line, stop, suspend, none };

key_meaning meaning(unsigned char key) {
  switch (key) {
    case ' ':
      return key_meaning::page;
    case '\r':
    case '\n':
      return key_meaning::line;
    case 'q':
    case 'Q':
    case 0x03:  // Ctrl-C: the terminal hands it over as a key while it is raw
      return key_meaning::stop;
    case 0x1a:  // Ctrl-Z, likewise
      return key_meaning::suspend;
    default:
      return key_meaning::none;
  }
}

// Waits for a key that means something. A signal that ends the session, or INT sent
// from elsewhere, stops the output as q does; so does the end of input.
key_meaning next_key() {
  for (;;) {
    if (signals::ending() != 0 || signals::take(SIGINT)) return key_meaning::stop;
    if (!signals::wait_for_input(STDIN_FILENO)) continue;
    unsigned char key = 0;
    ssize_t n = read(STDIN_FILENO, &key, 1);
    if (n < 0 && errno == EINTR) continue;
    if (n != 1) return key_meaning::stop;
    if (key_meaning m = meaning(key); m != key_meaning::none) return m;
  }
}

// Shows `prompt` and reads one key, with the terminal raw: no echo, no line editing, and
// Ctrl-C and Ctrl-Z keys rather than signals from the moment the prompt can be seen. The
// settings come back before it returns, whatever the key.
key_meaning read_key(const char *prompt) {
  termios saved{};
  bool raw = tcgetattr(STDIN_FILENO, &saved) == 0;
  if (raw) {
    termios keys = saved;
    keys.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO | ISIG);
    keys.c_cc[VMIN] = 1;
    keys.c_cc[VTIME] = 0;
    tcsetattr(STDIN_FILENO, TCSANOW, &keys);
  }
  std::fputs(prompt, stdout);
  output::flush();
  key_meaning m = next_key();
  if (raw) tcsetattr(STDIN_FILENO, TCSANOW, &saved);
  return m;
}

void erase_more() {
  std::printf("\r%*s\r", static_cast<int>(sizeof more - 1), "");
  output::flush();
}

}  // namespace

void set_page_length(int lines) {
  page_length = lines;
}

// The keys come from standard input, so output is paged only for an operator at a
// terminal: with standard input or output elsewhere (a script, a pipe, a file) it
// flows unpaged, as scripts expect.
int page_lines() {
  if (!isatty(STDIN_FILENO) || !isatty(STDOUT_FILENO)) return 0;
  if (page_length >= 0) return page_length;
  int rows = window().ws_row;
  return (rows > 1 ? rows : unknown_rows) - 1;
}

pager::pager(int lines) : lines_(lines) {
  if (lines_ > 0) columns_ = window().ws_col;
}

bool pager::put(const std::string &line) {
  if (lines_ > 0 && shown_ >= lines_) {
    switch (ask()) {
      case answer::page:
        shown_ = 0;
        break;
      case answer::line:
        shown_ = lines_ - 1;
        break;
      case answer::stop:
        return false;
    }
  }
  std::fwrite(line.data(), 1, line.size(), stdout);
  shown_ += rows_taken(line);
  return true;
}

// Ctrl-Z: the shell stops as it does at the prompt, the terminal as it was before the key
// was asked for; once it continues, it asks again.
pager::answer pager::ask() {
  key_meaning m = key_meaning::none;
  do {
    m = read_key(more);
    erase_more();
    if (m == key_meaning::suspend) raise(SIGTSTP);
  } while (m == key_meaning::suspend);
  if (m == key_meaning::page) return answer::page;
  return m == key_meaning::line ? answer::line : answer::stop;
}

// A line wider than the terminal wraps onto more rows.
int pager::rows_taken(const std::string &line) const {
  size_t width = line.ends_with('\n') ? line.size() - 1 : line.size();
  if (columns_ <= 0 || width == 0) return 1;
  return static_cast<int>((width + static_cast<size_t>(columns_) - 1) /
                          static_cast<size_t>(columns_));
}

bool set_terminal_length(session &, std::span<const param_value> args) {
  set_page_length(static_cast<int>(args[0].number));
  return true;
}

}  // namespace vdcsim
