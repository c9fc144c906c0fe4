// Switching and the configuration commands.
#include <signal.h>

#include <cstdio>
#include <cstdlib>

#include "shell/actions.h"
#include "shell/commands.h"
#include "switch/programs.h"
#include "util/output.h"

namespace vdcsim {
namespace {

bool has(const cmd_ctx &cmd, uint32_t id) {
  for (auto &a : cmd.response)
    if (a.id == id) return true;
  return false;
}

bool done_or_refused(const std::string &why) {
  return why.empty() || refuse(why);
}

uint32_t environment_vdc() {
  const char *id = std::getenv("SYSMGR_VDC_ID");
  return id ? static_cast<uint32_t>(std::strtoul(id, nullptr, 10)) : 1;
}

void set_environment_vdc(uint32_t vdc) {
  setenv("SYSMGR_VDC_ID", std::to_string(vdc).c_str(), 1);
}

// The library hands the terminal back to this shell's process group; started in the
// background, the shell would stop there, so SIGTTOU is ignored as job-control shells
// ignore it around tcsetpgrp.
template <typename Fn>
void without_terminal_stops(Fn fn) {
  struct sigaction ignore {};
  struct sigaction saved {};
  ignore.sa_handler = SIG_IGN;
  sigaction(SIGTTOU, &ignore, &saved);
  fn();
  sigaction(SIGTTOU, &saved, nullptr);
}

}  // namespace

bool refuse(const std::string &reason) {
  std::printf("%% %s\n", reason.c_str());
  return false;
}

// The library runs the nested shell, or the first-setup and login programs, in the
// foreground; they read and write the model through the state file. Afterwards this
// shell is back in its own VDC, whatever the library left behind.
bool switch_vdc(session &s, std::span<const param_value> args) {
  if (s.state_file.empty()) return refuse("Cannot switch VDC: " + s.state_error);
  if (nesting_depth() >= max_nesting)
    return refuse("Cannot switch VDC: " + std::to_string(max_nesting) +
                  " nested shells are the most there may be.");
  uint32_t target = args[0].number;
  uint32_t before = s.mgr.current();
  cmd_ctx cmd = s.mgr.switch_to(target);
  bool refused = has(cmd, VDC_ATTR_ERR_NO_VDC) || has(cmd, VDC_ATTR_ERR_NOT_AUTHORIZED);
  if (!refused) s.mgr.record_switch(target);
  if (!save_state(s)) return refuse("Cannot switch VDC: the state file cannot be written.");
  s.mgr.sync_platform(target);
  set_environment_vdc(before);
  setenv(line_variable, std::to_string(s.script_line).c_str(), 1);
  without_terminal_stops([&] { s.lib.vdc_mgr_set_cli_mode(&cmd); });
  output::flush();
  bool entered = environment_vdc() == target || target == before;
  reload_state(s);
  s.mgr.set_current(before);
  set_environment_vdc(before);
  standin::platform().current_vdc = before;
  return !refused && entered;
}

bool create_vdc(session &s, std::span<const param_value> args) {
  uint32_t id = 0;
  return done_or_refused(s.mgr.create_vdc(args[0].text, id));
}

bool delete_vdc(session &s, std::span<const param_value> args) {
  return done_or_refused(s.mgr.delete_vdc(args[0].number));
}

bool allocate_interfaces(session &s, std::span<const param_value> args) {
  return done_or_refused(s.mgr.allocate(args[0].ports, args[1].number));
}

bool allow_feature_set(session &s, std::span<const param_value> args) {
  return done_or_refused(s.mgr.allow_feature_set(args[0].number, true));
}

bool disallow_feature_set(session &s, std::span<const param_value> args) {
  return done_or_refused(s.mgr.allow_feature_set(args[0].number, false));
}

bool limit_module_types(session &s, std::span<const param_value> args) {
  std::vector<std::string> types;
  for (auto &arg : args) {
    for (auto &t : s.model.linecard_types) {
      if (t.value != arg.number) continue;
      bool seen = false;
      for (auto &name : types)
        seen = seen || name == t.name;
      if (!seen) types.push_back(t.name);
    }
  }
  return done_or_refused(s.mgr.limit_module_types(types));
}

bool list_commands(session &, std::span<const param_value>) {
  print_command_list();
  return true;
}

bool leave(session &s, std::span<const param_value>) {
  s.done = true;
  return true;
}

}  // namespace vdcsim
