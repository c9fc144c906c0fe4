// Transcripts: a script in, the exact text out, for every command of the shell.
#include <gtest/gtest.h>

#include "capture.h"
#include "sim_support.h"

namespace {

struct transcript {
  const char *name;  // golden/<name>.txt
  std::vector<std::string> args;
  const char *script;  // scripts/<script>.txt on standard input, or none
  int exit_status;
};

ZMS_PRINTS_AS(transcript, name)

class transcripts : public testing::TestWithParam<transcript> {};

TEST_P(transcripts, print_exactly_the_golden_text) {
  std::string input;
  if (GetParam().script != nullptr)
    input = sim_test::read_file(
        sim_test::test_path(std::string("scripts/") + GetParam().script + ".txt"));
  auto result = sim_test::run_vdcsim(GetParam().args, input);
  EXPECT_EQ(result.out, sim_test::golden(std::string(GetParam().name) + ".txt", result.out));
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(result.exit_status, GetParam().exit_status);
}

const std::string small_chassis = std::string(VDCSIM_SOURCE_DIR) + "/examples/small.json";
const std::string large_chassis = std::string(VDCSIM_SOURCE_DIR) + "/examples/large.json";

INSTANTIATE_TEST_SUITE_P(
    all, transcripts,
    testing::Values(
        transcript{"summary", {"-c", "show vdc"}, nullptr, 0},
        transcript{"summary_abbreviated", {"-c", "sh vd"}, nullptr, 0},
        transcript{"summary_small", {"--chassis", small_chassis, "-c", "show vdc"}, nullptr, 0},
        transcript{"summary_wide", {"--chassis", large_chassis, "-c", "show vdc"}, nullptr, 0},
        transcript{"event_history", {"-c", "show vdc event-history"}, nullptr, 0},
        transcript{"help", {"-c", "help"}, nullptr, 0},
        transcript{"keyword_help", {}, "keyword_help", 0}, transcript{"errors", {}, "errors", 1},
        transcript{"exit_ends_the_script", {}, "exit", 0},
        transcript{"displays", {}, "displays", 0},
        transcript{"displays_small", {"--chassis", small_chassis}, "displays", 0},
        transcript{"membership_large",
                   {"--chassis", large_chassis, "-c", "show vdc membership"},
                   nullptr,
                   0},
        transcript{"parameter_help", {}, "parameter_help", 0},
        transcript{"configuration", {}, "configuration", 1},
        transcript{"switch_nested", {}, "switch_nested", 1},
        transcript{"switch_login", {"--role", "vdc-admin", "--user", "root"}, "switch_login", 1},
        transcript{"switch_without_role", {"--role", ""}, "switch_without_role", 0},
        transcript{"tour", {"--tour"}, nullptr, 0}),
    [](const auto &row) { return std::string(row.param.name); });

}  // namespace
