#include "shell/options.h"

#include <getopt.h>

namespace vdcsim {
namespace {

enum long_only {
  library_option = 256,
  chassis_option,
  lab_option,
  user_option,
  role_option,
  replay_option,
  tour_option,
  version_option,
  run_option
};

constexpr struct option long_options[] = {
    {"library", required_argument, nullptr, library_option},
    {"chassis", required_argument, nullptr, chassis_option},
    {"lab", required_argument, nullptr, lab_option},
    {"user", required_argument, nullptr, user_option},
    {"role", required_argument, nullptr, role_option},
    {"replay", required_argument, nullptr, replay_option},
    {"tour", no_argument, nullptr, tour_option},
    {"help", no_argument, nullptr, 'h'},
    {"version", no_argument, nullptr, version_option},
    {"run", required_argument, nullptr, run_option},
    {nullptr, 0, nullptr, 0},
};

// A file option's value; an empty one would read as the default, so it is refused.
bool take_file(const char *option, const char *value, std::string &into, std::string &error) {
  if (*value == '\0') return error = std::string(option) + " needs a file", false;
  into = value;
  return true;
}

// Stores the option `code` took; false for a fault, in `error` unless getopt reported it.
bool take(int code, const char *value, options &out, std::string &error) {
  switch (code) {
    case 'c':
      out.commands.push_back(value);
      return true;
    case 'h':
      out.help = true;
      return true;
    case library_option:
      return take_file("--library", value, out.library, error);
    case chassis_option:
      return take_file("--chassis", value, out.chassis, error);
    case lab_option:
      return take_file("--lab", value, out.lab, error);
    case user_option:
      out.user = value;
      return true;
    case role_option:
      out.role = value;
      return true;
    case replay_option:
      return take_file("--replay", value, out.replay, error);
    case tour_option:
      out.tour = true;
      return true;
    case version_option:
      out.version = true;
      return true;
    default:
      return false;
  }
}

bool check(const options &out, std::string &error) {
  if (out.tour && !out.commands.empty()) return error = "--tour and -c exclude each other", false;
  if (!out.replay.empty() && !out.commands.empty())
    return error = "--replay and -c exclude each other", false;
  if (!out.replay.empty() && out.tour)
    return error = "--replay and --tour exclude each other", false;
  if (out.user && out.user->empty()) return error = "--user needs a name", false;
  return true;
}

}  // namespace

const char *help_text() {
  return "Usage: vdcsim [OPTION]...\n"
         "A VDC shell on a simulated chassis: it loads the library as the switch's shell\n"
         "does. With -c it runs each command and prints a transcript; without, it reads\n"
         "commands from standard input: interactively on a terminal, else as a script.\n"
         "\n"
         "  -c COMMAND             run COMMAND; repeated, the commands run in order\n"
         "      --chassis=FILE     simulate the chassis FILE describes (default: built in)\n"
         "      --lab=FILE         keep the switch in the lab FILE across runs and share it\n"
         "                         with shells in other terminals; the first run makes\n"
         "                         it from --chassis (default: private to the session)\n"
         "      --library=PATH     load the library at PATH (default: beside vdcsim)\n"
         "      --user=NAME        the operator's user name (default: the chassis's)\n"
         "      --role=ROLE        the operator's role, \"\" for none (default: chassis's)\n"
         "      --tour             show every display of the library, then exit\n"
         "      --replay=FILE      render a captured response file, then exit\n"
         "  -h, --help             print this help, then exit\n"
         "      --version          print vdcsim's and the library's versions, then exit\n"
         "      --run NAME [ARG]...\n"
         "                         internal: play the switch program NAME (shell,\n"
         "                         first-setup, login) as the library starts it; the\n"
         "                         words after NAME are the program's arguments\n"
         "\n"
         "Files and environment:\n"
         "  $XDG_STATE_HOME/vdcsim/history (without XDG_STATE_HOME,\n"
         "  ~/.local/state/vdcsim/history) keeps the last 1000 lines typed at a terminal.\n"
         "  TMPDIR holds each session's private directory and lab. VDCSIM_STATE,\n"
         "  VDCSIM_DEPTH, VDCSIM_LINE and VDCSIM_USER are internal: they name the lab\n"
         "  and the operator to nested shells.\n"
         "\n"
         "Exit status: 0 when every command ran, 1 when a command was unknown or refused,\n"
         "2 when the shell could not start.\n"
         "\n"
         "The manual page tells the rest: man vdcsim\n";
}

// '+': the first word that is no option ends them, so that --run leaves the program's
// arguments alone. getopt names the program after argv[0]; its messages say "vdcsim".
bool parse_options(int argc, char **argv, options &out, std::string &error) {
  char *invoked_as = argv[0];
  argv[0] = const_cast<char *>("vdcsim");
  int code = 0;
  bool ok = true;
  while (ok && (code = getopt_long(argc, argv, "+c:h", long_options, nullptr)) != -1) {
    if (code == run_option) {
      out.program = optarg;
      out.program_args.assign(argv + optind, argv + argc);
      optind = argc;
      break;
    }
    ok = take(code, optarg, out, error);
  }
  if (ok && optind < argc) error = std::string("unexpected argument '") + argv[optind] + "'";
  argv[0] = invoked_as;
  return ok && error.empty() && check(out, error);
}

}  // namespace vdcsim
