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
#include "standin.h"
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

std::string absolute(const std::string &path) {
  char cwd[PATH_MAX];
  if (path.empty() || path[0] == '/' || getcwd(cwd, sizeof cwd) == nullptr) return path;
  return std::string(cwd) + "/" + path;
}

// A switch program works on the lab of the shell that started it, --lab on the lab it
// names once there is one; otherwise the model comes from the chassis file or the
// built-in chassis and a new lab is made of it later. True in `opened` for a lab.
bool open_or_load(const options &o, session &s, bool &opened, std::string &error) {
  const char *state = o.program.empty() ? nullptr : std::getenv(state_variable);
  std::string path = state ? state : o.lab, why;
  lab::found found = path.empty() ? lab::found::nothing : lab::probe(path, why);
  opened = found == lab::found::lab;
  if (found == lab::found::other || (state && !opened))
    return error = "cannot use the lab " + path + ": " + (why.empty() ? "none there" : why), false;
  if (opened && !o.chassis.empty())
    return error = "--chassis: the lab " + path + " keeps the chassis it was made from; " +
                   "leave out --chassis, or name a new lab",
           false;
  if (opened) {
    s.lab_path = absolute(path);
    return s.db.open(path, s.model, error);
  }
  if (!o.chassis.empty()) return load_chassis(o.chassis, s.model, error);
  s.model = default_chassis();
  return true;
}

// The new lab: the file --lab names, or a private one in the session's directory (the
// directory is returned). Without a directory the lab is in memory: the shell runs, but
// refuses to switch and says why.
bool make_lab(const options &o, session &s, std::string &dir, std::string &error) {
  if (!o.lab.empty()) {
    std::string why;  // another shell may have made it since it was looked at
    bool made = s.db.create(o.lab, s.model, error) ||
                (o.chassis.empty() && lab::probe(o.lab, why) == lab::found::lab &&
                 s.db.open(o.lab, s.model, error));
    if (!made) return false;
    s.lab_path = absolute(o.lab);
  } else {
    dir = make_session_dir(s.lab_error);
    std::string path = dir.empty() ? ":memory:" : dir + "/lab.db";
    if (s.db.create(path, s.model, dir.empty() ? error : s.lab_error))
      s.lab_path = dir.empty() ? "" : path;
    else if (dir.empty() || !s.db.create(":memory:", s.model, error))
      return false;
  }
  return true;
}

// The operator is this shell's, not the lab's: --user and --role, else what the shell
// that started this one had, else the chassis's. Nested shells inherit VSH_ROLES.
void apply_operator(const options &o, session &s) {
  const char *inherited = o.program.empty() ? nullptr : std::getenv(user_variable);
  std::string user = o.user ? *o.user : inherited ? inherited : s.model.op.user;
  s.mgr.set_user(user);
  setenv(user_variable, user.c_str(), 1);
  if (inherited) return;
  std::string role = o.role ? *o.role : s.model.op.role;
  if (role.empty())
    unsetenv(VDC_ROLES_VARIABLE);
  else
    setenv(VDC_ROLES_VARIABLE, role.c_str(), 1);
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

int run_top_level(session &s, const options &o, const std::string &dir) {
  setenv(VDC_ID_VARIABLE, std::to_string(VDC_DEFAULT_ID).c_str(), 1);
  unsetenv(depth_variable);
  unsetenv(line_variable);
  if (o.tour) {
    run_tour(s);
    s.failures = 0;
  } else if (!o.commands.empty()) {
    run_commands(s, o.commands);
  } else {
    run_shell(s);
  }
  s.db.close();
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
  session s(1);
  bool opened = false;
  if (!open_or_load(o, s, opened, error)) {
    std::fprintf(stderr, "vdcsim: %s\n", error.c_str());
    return 2;
  }
  apply_operator(o, s);
  set_capabilities(s.model);
  std::string path = o.library.empty() ? default_library_path() : o.library;
  if (!load_library(path, s.lib, error)) {
    std::fprintf(stderr, "vdcsim: cannot use the library %s:\n%s\n", path.c_str(),
                 indented(error).c_str());
    return 2;
  }
  if (o.version) {
    std::printf("vdcsim %s\nlibzudoru_mgr_show %s\n", VDCSIM_VERSION,
                library_version(path).c_str());
    return output::finish(0);
  }
  if (!o.replay.empty()) return output::finish(replay_response(s.lib, o.replay));
  standin::set_call_log(false);
  standin::platform().program_runner = run_mapped;
  std::string dir;
  if (!opened && !make_lab(o, s, dir, error)) {
    std::fprintf(stderr, "vdcsim: %s\n", error.c_str());
    remove_session_dir(dir);
    return 2;
  }
  if (!s.lab_path.empty()) setenv(state_variable, s.lab_path.c_str(), 1);
  if (o.program.empty()) return output::finish(run_top_level(s, o, dir));
  int status = run_switch_program(s, o.program, o.program_args);
  s.db.close();
  remove_session_dir(dir);
  return output::finish(status);
}
