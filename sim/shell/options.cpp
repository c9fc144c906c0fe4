#include "shell/options.h"

#include <cstring>

namespace vdcsim {
namespace {

// Options that take a value, and where the value goes.
struct valued {
  const char *name;
  std::string options::*text;
  std::optional<std::string> options::*maybe;
};

constexpr valued valued_options[] = {
    {"--library", &options::library, nullptr},
    {"--chassis", &options::chassis, nullptr},
    {"--user", nullptr, &options::user},
    {"--role", nullptr, &options::role},
    {"--replay", &options::replay, nullptr},
};

}  // namespace

const char *usage() {
  return "usage: vdcsim [--chassis FILE] [--library PATH] [--user NAME] [--role ROLE]\n"
         "              [-c COMMAND]... | [--tour] | [--replay FILE]\n"
         "  With -c, runs each command and prints a transcript. Without it, reads commands\n"
         "  from standard input: interactively on a terminal, as a script otherwise.\n"
         "  --replay renders a captured response file (tests/show/cases/ has examples).\n"
         "  --tour shows every display of the library. The exit status is 1 when a\n"
         "  command was unknown or refused, 2 when the shell could not start.\n";
}

bool parse_options(int argc, char **argv, options &out, std::string &error) {
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "--run") {
      if (i + 1 >= argc) return error = "--run needs a program name", false;
      out.program = argv[++i];
      out.program_args.assign(argv + i + 1, argv + argc);
      return true;
    }
    if (arg == "-h" || arg == "--help") {
      out.help = true;
      continue;
    }
    if (arg == "--tour") {
      out.tour = true;
      continue;
    }
    if (arg == "-c") {
      if (i + 1 >= argc) return error = "-c needs a command", false;
      out.commands.push_back(argv[++i]);
      continue;
    }
    bool known = false;
    for (auto &v : valued_options) {
      if (arg != v.name) continue;
      if (i + 1 >= argc) return error = arg + " needs a value", false;
      if (v.text != nullptr) out.*v.text = argv[++i];
      if (v.maybe != nullptr) out.*v.maybe = argv[++i];
      known = true;
    }
    if (!known) return error = "unknown argument '" + arg + "'", false;
  }
  if (out.tour && !out.commands.empty()) return error = "--tour and -c exclude each other", false;
  if (out.user && out.user->empty()) return error = "--user needs a name", false;
  return true;
}

}  // namespace vdcsim
