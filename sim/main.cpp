// vdcsim: a VDC shell that loads the library as the switch shell does and runs every
// display, callback and switch on a simulated chassis.
#include <limits.h>
#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "chassis/chassis_file.h"
#include "shell/options.h"
#include "shell/shell.h"
#include "shell/signals.h"
#include "switch/programs.h"
#include "switch/replay.h"
#include "switch/session_files.h"
#include "util/output.h"

namespace {

using namespace vdcsim;

std::string program_path(const char *argv0) {
  char path[PATH_MAX];
  ssize_t len = readlink("/proc/self/exe", path, sizeof path - 1);
  if (len <= 0) return argv0;
  path[len] = '\0';
  return path;
}

// A switch program reads the model its caller left, keeping the text to tell later
// whether it changed the model; everything else starts from the chassis file or the
// built-in chassis.
bool load_model(const options &o, chassis &model, std::string &state_text, std::string &error) {
  const char *state = std::getenv(state_variable);
  if (!o.program.empty() && state != nullptr)
    return read_bounded(state, max_chassis_bytes, true, state_text, error) &&
           parse_chassis(state_text, state, model, error);
  if (!o.chassis.empty()) return load_chassis(o.chassis, model, error);
  model = default_chassis();
  return true;
}

void apply_operator(const options &o, chassis &model) {
  if (o.user) model.op.user = *o.user;
  if (o.role) model.op.role = *o.role;
  if (model.op.role.empty())
    unsetenv("VSH_ROLES");
  else
    setenv("VSH_ROLES", model.op.role.c_str(), 1);
}

// The capability list must be in place before the library loads: its initializer
// builds the linecard table from it.
void set_capabilities(const chassis &model) {
  std::vector<standin::capability> caps;
  for (auto &t : model.linecard_types)
    caps.push_back({t.value, t.name, t.ethernet, t.fcoe});
  standin::set_capabilities(caps);
}

std::string indented(const std::string &lines) {
  std::string out = "  ";
  for (char c : lines)
    out += c == '\n' ? std::string("\n  ") : std::string(1, c);
  return out;
}

// Without a state file the shell still runs, but refuses to switch and says why.
std::string make_state_file(session &s) {
  std::string dir = make_session_dir(s.state_error);
  if (dir.empty()) return dir;
  s.state_file = state_file_in(dir);
  setenv(state_variable, s.state_file.c_str(), 1);
  return dir;
}

int run_top_level(session &s, const options &o) {
  setenv("SYSMGR_VDC_ID", "1", 1);
  unsetenv(depth_variable);
  unsetenv(line_variable);
  std::string dir = make_state_file(s);
  if (o.tour) {
    run_tour(s);
    s.failures = 0;
  } else if (!o.commands.empty()) {
    run_commands(s, o.commands);
  } else {
    run_shell(s);
  }
  remove_session_dir(dir);
  if (signals::ending() != 0) signals::end_as(signals::ending());
  return s.failures == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char **argv) {
  // Past a limit on file size a write fails with EFBIG, which each writer reports.
  signal(SIGXFSZ, SIG_IGN);
  options o;
  std::string error;
  if (!parse_options(argc, argv, o, error)) {
    if (!error.empty()) std::fprintf(stderr, "vdcsim: %s\n", error.c_str());
    std::fputs("Try 'vdcsim --help' for more information.\n", stderr);
    return 2;
  }
  if (o.help) {
    std::fputs(help_text(), stdout);
    return output::finish(0);
  }
  set_self_path(program_path(argv[0]));
  signals::install();
  chassis model;
  std::string state_text;
  if (!load_model(o, model, state_text, error)) {
    std::fprintf(stderr, "vdcsim: %s\n", error.c_str());
    return 2;
  }
  apply_operator(o, model);
  set_capabilities(model);
  std::string path = o.library.empty() ? default_library_path() : o.library;
  library lib;
  if (!load_library(path, lib, error)) {
    std::fprintf(stderr, "vdcsim: cannot use the library %s:\n%s\n", path.c_str(),
                 indented(error).c_str());
    return 2;
  }
  if (o.version) {
    std::printf("vdcsim %s\nlibzudoru_mgr_show %s\n", VDCSIM_VERSION,
                library_version(path).c_str());
    return output::finish(0);
  }
  if (!o.replay.empty()) return output::finish(replay_response(lib, o.replay));
  standin::platform().program_runner = run_mapped;
  session s(lib, std::move(model), 1);
  if (!o.program.empty()) {
    const char *state = std::getenv(state_variable);
    s.state_file = state ? state : "";
    s.state_error = std::string(state_variable) + " names no state file";
    s.state_text = std::move(state_text);
    s.state_clock = s.model.clock;
    return output::finish(run_switch_program(s, o.program, o.program_args));
  }
  return output::finish(run_top_level(s, o));
}
