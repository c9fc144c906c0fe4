// vdcsim run as an operator runs it, one data/runs file per run: `arg` lines (with $SOURCE,
// $INCOMPLETE, $LIBRARY, the built library's file, and $BIG, a file over 4 MiB), `env
// NAME=VALUE` lines, standard input from `stdin FILE` ($LONG_SCRIPT: a script whose
// second line is 65537 bytes), through a pipe with `piped`, a `limit` on the size of the files
// it writes (standard output too), the exit `status`, and the expected
// output: `stdout FILE` (golden text) or the lines after `--- stdout` (`--- stdout begins` for
// a beginning only), then those after `--- stderr`.
#include <gtest/gtest.h>

#include <sstream>

#include "sim_support.h"

namespace {

std::string expanded(std::string text) {
  for (auto [name, value] :
       {std::pair{"$SOURCE", VDCSIM_SOURCE_DIR},
        std::pair{"$INCOMPLETE", VDCSIM_INCOMPLETE_LIBRARY}, std::pair{"$BIG", VDCSIM_BIG_FILE},
        std::pair{"$LIBRARY", VDCSIM_LIBRARY}, std::pair{"$LONG_SCRIPT", VDCSIM_LONG_SCRIPT}})
    for (size_t at; (at = text.find(name)) != std::string::npos;)
      text.replace(at, std::string(name).size(), value);
  return text;
}

class runs : public testing::TestWithParam<std::string> {};

TEST_P(runs, print_and_exit_as_written) {
  std::istringstream in(
      expanded(sim_test::read_file(sim_test::test_path("data/runs/" + GetParam() + ".txt"))));
  std::vector<std::string> args, env;
  std::string input, golden, out, err, line, *section = nullptr;
  int status = -1;
  rlim_t limit = RLIM_INFINITY;
  bool prefix = false, piped = false;
  while (std::getline(in, line)) {
    std::string keyword = line.substr(0, line.find(' '));
    std::string rest = line.size() > keyword.size() ? line.substr(keyword.size() + 1) : "";
    // clang-format off
    if (section != nullptr && line != "--- stderr") *section += line + "\n";
    else if (keyword == "arg") args.push_back(rest);
    else if (keyword == "env") env.push_back(rest);
    else if (keyword == "stdin") input = sim_test::read_file(rest.starts_with('/') ? rest : sim_test::test_path(rest));
    else if (keyword == "piped") piped = true;
    else if (keyword == "status") status = std::stoi(rest);
    else if (keyword == "limit") limit = std::stoull(rest);
    else if (keyword == "stdout") golden = rest;
    else if (line.rfind("--- stdout", 0) == 0) section = &out, prefix = line.ends_with("begins");
    // clang-format on
    if (line == "--- stderr") section = &err;
  }
  auto result = sim_test::run_vdcsim(args, input, env, limit, piped);
  if (!golden.empty()) out = sim_test::golden(golden, result.out);
  EXPECT_EQ(prefix ? result.out.substr(0, out.size()) : result.out, out);
  EXPECT_EQ(result.err, err);
  EXPECT_EQ(result.exit_status, status);
}

INSTANTIATE_TEST_SUITE_P(data, runs, testing::ValuesIn(sim_test::case_names("data/runs")),
                         [](const testing::TestParamInfo<std::string> &row) { return row.param; });

}  // namespace
