#include "shell/shell.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "shell/actions.h"
#include "shell/commands.h"
#include "shell/line_editor.h"
#include "shell/signals.h"

namespace vdcsim {
namespace {

bool is_comment(const std::string &line) {
  size_t first = line.find_first_not_of(" \t");
  return first == std::string::npos || line[first] == '#' || line[first] == '!';
}

// A signal that ends the session ends the script too, the line unread.
bool read_line(int fd, std::string &line) {
  line.clear();
  char c = 0;
  ssize_t n = -1;
  for (;;) {
    if (signals::ending() != 0) return false;
    if (!signals::wait_for_input(fd)) continue;
    n = read(fd, &c, 1);
    if (n < 0 && errno == EINTR) continue;
    if (n != 1 || c == '\n') break;
    line += c;
  }
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return n == 1 || !line.empty();
}

constexpr const char *tour_lines[] = {
    "show vdc",
    "show vdc detail",
    "show vdc membership",
    "show vdc membership status",
    "show vdc feature-set",
    "show vdc current-vdc",
    "show vdc mac",
    "show vdc dirty-bit",
    "show vdc storage",
    "show vdc internal",
    "switchto vdc ?",
    "vdc ?",
    "vdc -edge",
    "vdc edge",
    "allocate interface Ethernet4/5,Ethernet4/6 vdc edge",
    "allow feature-set ?",
    "limit-resource module-type ?",
    "show vdc membership",
    "show vdc event-history",
};

}  // namespace

void run_transcribed(session &s, const std::string &line, const std::string &place) {
  s.refresh();
  std::string prompt = s.prompt();
  std::string shown = line;
  for (size_t at = shown.find('\0'); at != std::string::npos; at = shown.find('\0', at))
    shown.replace(at, 1, "^@");
  std::printf("%s%s\n", prompt.c_str(), shown.c_str());
  fflush(stdout);
  bool failed = false;
  if (shown.size() != line.size()) {
    failed = !refuse("The line holds a NUL character (^@) and is not run.");
  } else if (!line.empty() && line.back() == '?') {
    print_help(s, line.substr(0, line.size() - 1), prompt.size());
  } else {
    failed = !run_line(s, line, prompt.size());
  }
  s.tick();
  fflush(stdout);
  if (failed) {
    ++s.failures;
    if (!place.empty())
      std::fprintf(stderr, "vdcsim: %s: command failed: %s\n", place.c_str(), shown.c_str());
  }
}

void run_commands(session &s, const std::vector<std::string> &lines) {
  for (size_t i = 0; i < lines.size(); ++i) {
    if (s.done || signals::ending() != 0) break;
    run_transcribed(s, lines[i], "-c:" + std::to_string(i + 1));
  }
}

void run_script(session &s, int fd) {
  std::string line;
  while (!s.done && signals::ending() == 0 && read_line(fd, line)) {
    ++s.script_line;
    if (!is_comment(line))
      run_transcribed(s, line, "standard input:" + std::to_string(s.script_line));
  }
}

void run_shell(session &s) {
  if (isatty(STDIN_FILENO)) {
    run_interactive(s);
  } else {
    run_script(s, STDIN_FILENO);
  }
}

void run_tour(session &s) {
  for (const char *line : tour_lines)
    run_transcribed(s, line, "");
}

}  // namespace vdcsim
