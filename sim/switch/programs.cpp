#include "switch/programs.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace vdcsim {
namespace {

std::string self;

bool is_switch_program(const std::string &path) {
  return path.rfind(switch_programs, 0) == 0;
}

std::string quoted(const std::string &text) {
  std::string out = "'";
  for (char c : text)
    out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

}  // namespace

void set_self_path(std::string path) {
  self = std::move(path);
}
const std::string &self_path() {
  return self;
}

std::string map_command(const std::string &command) {
  if (!is_switch_program(command)) return command;
  return quoted(self) + " --run " + command.substr(std::string(switch_programs).size());
}

std::vector<std::string> map_program(const standin::program_run &run) {
  std::vector<std::string> argv;
  if (is_switch_program(run.path)) {
    argv = {self, "--run", run.path.substr(std::string(switch_programs).size())};
  } else {
    argv = {run.path};
  }
  argv.insert(argv.end(), run.args.begin(), run.args.end());
  return argv;
}

int32_t run_mapped(const standin::program_run &run) {
  std::vector<std::string> argv = map_program(run);
  return standin::run_program({argv.front(), {argv.begin() + 1, argv.end()}});
}

int nesting_depth() {
  const char *depth = std::getenv(depth_variable);
  return depth ? std::atoi(depth) : 0;
}

}  // namespace vdcsim
