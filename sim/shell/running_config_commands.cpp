// `show running-config` and `copy running-config FILE`: the lab's changes as commands,
// and the whole model as a chassis file.
#include <sys/stat.h>

#include <cstdio>

#include "chassis/chassis_file.h"
#include "chassis/running_config.h"
#include "shell/actions.h"
#include "util/file_replace.h"
#include "util/output.h"

namespace vdcsim {
namespace {

mode_t operator_file_mode() {
  mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

}  // namespace

bool show_running_config(session &s, std::span<const param_value>) {
  chassis start;
  std::string error;
  if (!s.db.read_start(start, error)) return refuse("Cannot tell what changed: " + error);
  std::fputs(running_config(start, s.model).c_str(), stdout);
  output::flush();
  return true;
}

// The copy holds the switch as this command leaves it: with the clock one second on.
bool copy_running_config(session &s, std::span<const param_value> args) {
  const std::string &path = args[0].text;
  int64_t now = s.model.clock;
  s.mgr.tick();
  std::string text = chassis_to_yaml(s.model);
  s.model.clock = now;
  replace_outcome outcome = replace_file_as(path, text, operator_file_mode());
  if (!outcome.replaced) return refuse("Cannot write " + outcome.place + ": " + outcome.reason);
  std::printf("Saved the running configuration to %s\n", path.c_str());
  if (outcome.other_links > 0)
    std::printf("%% %s had %ju other hard link%s: %s the old configuration.\n", path.c_str(),
                static_cast<uintmax_t>(outcome.other_links), outcome.other_links == 1 ? "" : "s",
                outcome.other_links == 1 ? "it keeps" : "they keep");
  return true;
}

}  // namespace vdcsim
