// Handing the model between a shell and the nested programs it starts.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "chassis/chassis_file.h"
#include "switch/programs.h"
#include "switch/session_files.h"

namespace vdcsim {
namespace {

std::string hand_back_file(const std::string &state) {
  return state + ".back";
}

void report(const std::string &error) {
  std::fprintf(stderr, "vdcsim: %s\n", error.c_str());
}

// Whether the model differs from the state file as last read or written, the clock
// aside: the clock goes back on its own.
bool changed_since_read(session &s) {
  int64_t now = s.model.clock;
  s.model.clock = s.state_clock;
  bool changed = chassis_to_yaml(s.model) != s.state_text;
  s.model.clock = now;
  return changed;
}

// The first shell leaves the chassis it began with beside the state file before its
// first switch, for `show running-config` in the nested shells.
void save_start(session &s) {
  if (s.start_saved) return;
  s.start_saved = true;
  std::string error, path = start_file_beside(s.state_file);
  if (access(path.c_str(), F_OK) != 0 && !save_chassis(path, s.start, error)) report(error);
}

}  // namespace

bool save_state(session &s) {
  if (s.state_file.empty()) return true;
  save_start(s);
  std::string error;
  s.state_text = chassis_to_yaml(s.model);
  s.state_clock = s.model.clock;
  if (replace_file(s.state_file, s.state_text, error)) return true;
  report(error);
  return false;
}

void reload_state(session &s) {
  if (s.state_file.empty()) return;
  std::string error, back, text;
  int failures = 0;
  long long clock = -1;
  long line = -1;
  if (read_bounded(hand_back_file(s.state_file), 64, false, back, error))
    std::sscanf(back.c_str(), "%d %lld %ld", &failures, &clock, &line);
  unlink(hand_back_file(s.state_file).c_str());
  s.failures += failures;
  if (!read_bounded(s.state_file, max_chassis_bytes, true, text, error)) return report(error);
  if (text != s.state_text) {
    chassis loaded;
    if (!parse_chassis(text, s.state_file, loaded, error)) return report(error);
    s.model = std::move(loaded);
    s.mgr.changed();
    s.state_text = std::move(text);
    s.state_clock = s.model.clock;
  }
  if (clock >= 0) s.model.clock = clock;
  if (line >= 0) s.script_line = line;
}

void hand_back(session &s) {
  if (s.state_file.empty()) return;
  if (s.state_text.empty() || changed_since_read(s)) save_state(s);
  std::string error, back = std::to_string(s.failures) + " " + std::to_string(s.model.clock) + " " +
                            std::to_string(s.script_line) + "\n";
  if (!replace_file(hand_back_file(s.state_file), back, error)) report(error);
}

}  // namespace vdcsim
