#include "switch/programs.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "chassis/chassis_file.h"
#include "shell/shell.h"

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

uint32_t number_or(const std::vector<std::string> &args, size_t i, uint32_t fallback) {
  if (i >= args.size()) return fallback;
  char *end = nullptr;
  unsigned long n = std::strtoul(args[i].c_str(), &end, 10);
  return end != args[i].c_str() && *end == '\0' ? static_cast<uint32_t>(n) : fallback;
}

int enter_shell(session &s, uint32_t vdc) {
  if (s.model.find_vdc(vdc) == nullptr) {
    std::fprintf(stderr, "vdcsim: no VDC %u to enter\n", vdc);
    return 1;
  }
  s.mgr.set_current(vdc);
  setenv("SYSMGR_VDC_ID", std::to_string(vdc).c_str(), 1);
  setenv(depth_variable, std::to_string(nesting_depth() + 1).c_str(), 1);
  if (const char *line = std::getenv(line_variable)) s.script_line = std::atol(line);
  run_shell(s);
  hand_back(s);
  return 0;
}

int first_setup(session &s, uint32_t id) {
  vdc *v = s.model.find_vdc(id);
  if (v == nullptr) {
    std::printf("first-setup: no VDC %u\n", id);
    return 1;
  }
  if (v->setup_fails) {
    std::printf("first-setup: the first-time setup of vdc %s failed\n", v->name.c_str());
    return 2;
  }
  v->setup_done = true;
  std::printf("first-setup: vdc %s is set up\n", v->name.c_str());
  save_state(s);
  return 0;
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

int run_switch_program(session &s, const std::string &name, const std::vector<std::string> &args) {
  if (name == "vsh") {
    uint32_t vdc = args.size() == 2 && args[0] == "-i" ? number_or(args, 1, 0) : 0;
    return enter_shell(s, vdc);
  }
  if (name == "vdclogin") {
    uint32_t vdc = number_or(args, 1, 0);
    std::string user = args.empty() ? "" : args[0];
    std::printf("vdclogin: %s logged in to vdc %u\n", user.c_str(), vdc);
    return enter_shell(s, vdc);
  }
  if (name == "first-setup.core") return first_setup(s, number_or(args, 0, 0));
  std::fprintf(stderr, "vdcsim: no switch program '%s'\n", name.c_str());
  return 127;
}

}  // namespace vdcsim
