// The switch programs vdcsim plays when the library starts them: the nested shell, the
// login program and the first-time setup, each on the lab of the shell that started it.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "shell/shell.h"
#include "switch/programs.h"

namespace vdcsim {
namespace {

uint32_t number_or(const std::vector<std::string> &args, size_t i, uint32_t fallback) {
  if (i >= args.size()) return fallback;
  char *end = nullptr;
  unsigned long n = std::strtoul(args[i].c_str(), &end, 10);
  return end != args[i].c_str() && *end == '\0' ? static_cast<uint32_t>(n) : fallback;
}

// The shell that started this one reads what it hands back under its own process id.
int enter_shell(session &s, uint32_t vdc) {
  if (s.model.find_vdc(vdc) == nullptr) {
    std::fprintf(stderr, "vdcsim: no VDC %u to enter\n", vdc);
    return 1;
  }
  s.mgr.set_current(vdc);
  setenv(VDC_ID_VARIABLE, std::to_string(vdc).c_str(), 1);
  setenv(depth_variable, std::to_string(nesting_depth() + 1).c_str(), 1);
  if (const char *line = std::getenv(line_variable)) s.script_line = std::atol(line);
  run_shell(s);
  if (!s.db.hand_back(getppid(), s.failures, s.script_line))
    std::fprintf(stderr, "vdcsim: %s: %s\n", s.lab_path.c_str(), s.db.error().c_str());
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
  std::string name = v->name, why = s.change([&] {
    vdc *now = s.model.find_vdc(id);
    if (now == nullptr) return "no VDC " + std::to_string(id);
    now->setup_done = true;
    return std::string();
  });
  if (!why.empty()) {
    std::printf("first-setup: %s\n", why.c_str());
    return 1;
  }
  std::printf("first-setup: vdc %s is set up\n", name.c_str());
  return 0;
}

}  // namespace

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
