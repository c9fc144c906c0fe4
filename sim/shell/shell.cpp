#include "shell/shell.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "shell/actions.h"
#include "shell/commands.h"
#include "shell/line_editor.h"
#include "shell/script_input.h"
#include "shell/signals.h"
#include "util/output.h"

namespace vdcsim {
namespace {

bool is_comment(const std::string &line) {
  size_t first = line.find_first_not_of(" \t");
  return first == std::string::npos || line[first] == '#' || line[first] == '!';
}

// A line too long to hold is not run; the script reads on after it.
void refuse_long_line(session &s, const std::string &place) {
  refuse("Line " + std::to_string(s.script_line) + " is longer than " +
         std::to_string(max_script_line) + " bytes and is not run.");
  output::flush();
  ++s.failures;
  std::fprintf(stderr, "vdcsim: %s: command failed: a line longer than %zu bytes\n", place.c_str(),
               max_script_line);
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
  output::flush();
  bool failed = false;
  if (shown.size() != line.size()) {
    failed = !refuse("The line holds a NUL character (^@) and is not run.");
  } else if (!line.empty() && line.back() == '?') {
    print_help(s, line.substr(0, line.size() - 1), prompt.size());
  } else {
    failed = !run_line(s, line, prompt.size());
  }
  s.tick();
  output::flush();
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
  script_input input(fd);
  std::string line;
  while (!s.done && signals::ending() == 0) {
    script_input::got got = input.next(line);
    if (got == script_input::got::end) break;
    ++s.script_line;
    std::string place = "standard input:" + std::to_string(s.script_line);
    if (got == script_input::got::too_long)
      refuse_long_line(s, place);
    else if (!is_comment(line))
      run_transcribed(s, line, place);
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
