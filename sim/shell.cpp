#include "shell.h"

#include <unistd.h>

#include <cstdio>

#include "commands.h"
#include "line_editor.h"

namespace vdcsim {
namespace {

bool is_comment(const std::string &line) {
  size_t first = line.find_first_not_of(" \t");
  return first == std::string::npos || line[first] == '#' || line[first] == '!';
}

bool read_line(int fd, std::string &line) {
  line.clear();
  char c = 0;
  ssize_t n = 0;
  while ((n = read(fd, &c, 1)) == 1 && c != '\n')
    line += c;
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

void run_transcribed(session &s, const std::string &line) {
  std::string prompt = s.prompt();
  std::printf("%s%s\n", prompt.c_str(), line.c_str());
  fflush(stdout);
  if (!line.empty() && line.back() == '?') {
    print_help(s, line.substr(0, line.size() - 1));
  } else if (!run_line(s, line, prompt.size())) {
    ++s.failures;
  }
  s.mgr.tick();
  fflush(stdout);
}

void run_commands(session &s, const std::vector<std::string> &lines) {
  for (auto &line : lines) {
    if (s.done) break;
    run_transcribed(s, line);
  }
}

void run_script(session &s, int fd) {
  std::string line;
  while (!s.done && read_line(fd, line)) {
    if (!is_comment(line)) run_transcribed(s, line);
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
    run_transcribed(s, line);
}

}  // namespace vdcsim
