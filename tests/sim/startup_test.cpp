// vdcsim's command line: what is accepted, and each refusal by name. The runs that show
// the refusals' effect are data/runs/refused_*.
#include <gtest/gtest.h>

#include "capture.h"
#include "options.h"
#include "sim_support.h"

namespace {

struct argv_case {
  const char *name;
  std::vector<std::string> args;
  std::string error;  // empty: accepted
};

ZMS_PRINTS_AS(argv_case, name)

class command_lines : public testing::TestWithParam<argv_case> {};

TEST_P(command_lines, are_accepted_or_refused_by_name) {
  std::vector<std::string> args = {"vdcsim"};
  args.insert(args.end(), GetParam().args.begin(), GetParam().args.end());
  std::vector<char *> argv;
  for (auto &a : args)
    argv.push_back(a.data());
  vdcsim::options o;
  std::string error;
  bool ok = vdcsim::parse_options(static_cast<int>(argv.size()), argv.data(), o, error);
  EXPECT_EQ(ok, GetParam().error.empty());
  EXPECT_EQ(error, GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(
    all, command_lines,
    testing::Values(argv_case{"nothing", {}, ""},
                    argv_case{"everything",
                              {"--chassis", "f", "--library", "l", "--user", "u", "--role", "",
                               "-c", "show vdc", "-c", "help"},
                              ""},
                    argv_case{"tour", {"--tour"}, ""},
                    argv_case{"run", {"--run", "vsh", "-i", "2", "--tour"}, ""},
                    argv_case{"unknown", {"--verbose"}, "unknown argument '--verbose'"},
                    argv_case{"c_without_command", {"-c"}, "-c needs a command"},
                    argv_case{"chassis_without_file", {"--chassis"}, "--chassis needs a value"},
                    argv_case{"run_without_name", {"--run"}, "--run needs a program name"},
                    argv_case{"tour_and_commands",
                              {"--tour", "-c", "help"},
                              "--tour and -c exclude each other"}),
    [](const auto &row) { return std::string(row.param.name); });

}  // namespace
