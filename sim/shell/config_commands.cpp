// Switching and the configuration commands.
#include <signal.h>
#include <unistd.h>

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

// Runs a change of the manager's as one change of the lab.
bool done_or_refused(session &s, const std::function<std::string()> &edit) {
  std::string why = s.change(edit);
  return why.empty() || refuse(why);
}

uint32_t environment_vdc() {
  const char *id = std::getenv(VDC_ID_VARIABLE);
  return id ? static_cast<uint32_t>(std::strtoul(id, nullptr, 10)) : 1;
}

void set_environment_vdc(uint32_t vdc) {
  setenv(VDC_ID_VARIABLE, std::to_string(vdc).c_str(), 1);
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
// foreground; they work on the same lab. Afterwards this shell is back in its own VDC,
// whatever the library left behind, and reads what the nested shell handed back.
bool switch_vdc(session &s, std::span<const param_value> args) {
  if (s.lab_path.empty()) return refuse("Cannot switch VDC: " + s.lab_error);
  if (nesting_depth() >= max_nesting)
    return refuse("Cannot switch VDC: " + std::to_string(max_nesting) +
                  " nested shells are the most there may be.");
  uint32_t target = args[0].number;
  uint32_t before = s.mgr.current();
  cmd_ctx cmd = s.mgr.switch_to(target);
  bool refused = has(cmd, VDC_ATTR_ERR_NO_VDC) || has(cmd, VDC_ATTR_ERR_NOT_AUTHORIZED);
  std::string why = refused ? "" : s.change([&] {
    s.mgr.record_switch(target);
    return std::string();
  });
  if (!why.empty()) return refuse("Cannot switch VDC: " + why);
  s.mgr.sync_platform(target);
  set_environment_vdc(before);
  setenv(line_variable, std::to_string(s.script_line).c_str(), 1);
  without_terminal_stops([&] { s.lib.vdc_mgr_set_cli_mode(&cmd); });
  output::flush();
  bool entered = environment_vdc() == target || target == before;
  int failures = 0;
  if (s.db.take_back(getpid(), failures, s.script_line)) s.failures += failures;
  s.refresh();
  s.mgr.set_current(before);
  set_environment_vdc(before);
  standin::platform().current_vdc = before;
  return !refused && entered;
}

bool create_vdc(session &s, std::span<const param_value> args) {
  uint32_t id = 0;
  return done_or_refused(s, [&] { return s.mgr.create_vdc(args[0].text, id); });
}

bool delete_vdc(session &s, std::span<const param_value> args) {
  return done_or_refused(s, [&] { return s.mgr.delete_vdc(args[0].number); });
}

// The ports by their place in the chassis, which holds while the model is read again.
bool allocate_interfaces(session &s, std::span<const param_value> args) {
  std::vector<size_t> places;
  for (interface *port : args[0].ports)
    places.push_back(static_cast<size_t>(port - s.model.interfaces.data()));
  return done_or_refused(s, [&] {
    std::vector<interface *> ports;
    for (size_t place : places)
      ports.push_back(&s.model.interfaces[place]);
    return s.mgr.allocate(ports, args[1].number);
  });
}

bool allow_feature_set(session &s, std::span<const param_value> args) {
  return done_or_refused(s, [&] { return s.mgr.allow_feature_set(args[0].number, true); });
}

bool disallow_feature_set(session &s, std::span<const param_value> args) {
  return done_or_refused(s, [&] { return s.mgr.allow_feature_set(args[0].number, false); });
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
  return done_or_refused(s, [&] { return s.mgr.limit_module_types(types); });
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
