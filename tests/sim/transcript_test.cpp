// vdcsim run as an operator runs it, one data/runs file per case, all of it in that file:
// `#` lines saying what the case pins; `arg` lines (with $SOURCE, $INCOMPLETE, $LIBRARY,
// the built library's file, and $BIG, a file over 4 MiB), `env NAME=VALUE` lines, `stdin
// $LONG_SCRIPT` (a script whose second line is 65537 bytes), `also piped` to run it again
// with standard input through a pipe, expecting the same, a `limit` on the size of the files it
// writes (standard output too) and the exit `status`. Then sections, each up to the next:
//   --- stdin           the script on standard input; ^@ stands for a NUL byte
//   --- stdout          the whole output
//   --- stdout begins   the output's beginning
//   --- stdout holds    blocks of lines the output holds whole and in this order, any
//                       lines between them; a "..." line ends each block
//   --- stderr          the whole of standard error; in "standard input:#: command failed:
//                       TEXT" (or "-c:#:") the # stands for the number of the script line
//                       (or -c command) whose text is TEXT
#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
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

std::vector<std::string> lines_of(const std::string &text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);)
    lines.push_back(line);
  return lines;
}

struct run_case {
  std::vector<std::string> args, env, commands;
  std::string input, out, err;
  std::string out_kind = "--- stdout";
  bool also_piped = false;
  int status = -1;
  rlim_t limit = RLIM_INFINITY;
};

run_case read_case(const std::string &name) {
  run_case c;
  std::string *section = nullptr;
  const std::vector<std::string> headers = {"--- stdout", "--- stdout begins", "--- stdout holds"};
  for (auto &line : lines_of(expanded(sim_test::read_file(sim_test::test_path(name))))) {
    std::string keyword = line.substr(0, line.find(' '));
    std::string rest = line.size() > keyword.size() ? line.substr(keyword.size() + 1) : "";
    // clang-format off
    if (line == "--- stdin") section = &c.input;
    else if (line == "--- stderr") section = &c.err;
    else if (std::ranges::find(headers, line) != headers.end()) section = &c.out, c.out_kind = line;
    else if (section != nullptr) *section += line + "\n";
    else if (keyword == "arg") c.args.push_back(rest);
    else if (keyword == "env") c.env.push_back(rest);
    else if (keyword == "stdin") c.input = sim_test::read_file(rest);
    else if (line == "also piped") c.also_piped = true;
    else if (keyword == "status") c.status = std::stoi(rest);
    else if (keyword == "limit") c.limit = std::stoull(rest);
    // clang-format on
  }
  for (size_t i = 0; i + 1 < c.args.size(); ++i)
    if (c.args[i] == "-c") c.commands.push_back(c.args[i + 1]);
  return c;
}

// Standard error with each line number that names a line of the given text replaced by #.
std::string numbers_checked(const std::string &err, const run_case &c) {
  static const std::regex failed("^vdcsim: (standard input|-c):([0-9]+): command failed: (.*)$");
  std::vector<std::string> script = lines_of(c.input);
  std::string checked;
  for (auto &line : lines_of(err)) {
    std::smatch m;
    if (std::regex_match(line, m, failed)) {
      auto &named = m[1] == "-c" ? c.commands : script;
      size_t number = std::stoul(m[2]);
      if (number >= 1 && number <= named.size() && named[number - 1] == m[3])
        line = "vdcsim: " + m[1].str() + ":#: command failed: " + m[3].str();
    }
    checked += line + "\n";
  }
  return checked;
}

// The blocks of `expected` (split at "..." lines) that `out` does not hold whole, from the
// start of a line, in their order.
std::string blocks_missing(const std::string &out, const std::string &expected) {
  std::string text = "\n" + out, missing, block;
  size_t at = 0;
  for (auto &line : lines_of(expected + "...\n")) {
    if (line != "...") {
      block += line + "\n";
      continue;
    }
    size_t found = text.find("\n" + block, at);
    if (found == std::string::npos)
      missing += block + "...\n";
    else
      at = found + block.size();
    block.clear();
  }
  return missing;
}

class runs : public testing::TestWithParam<std::string> {};

void expect_as_written(const run_case &c, bool piped) {
  SCOPED_TRACE(piped ? "through a pipe" : "from a file");
  std::string input = c.input;
  for (size_t at; (at = input.find("^@")) != std::string::npos;)
    input.replace(at, 2, std::string(1, '\0'));
  auto result = sim_test::run_vdcsim(c.args, input, c.env, c.limit, piped);
  if (c.out_kind == "--- stdout holds")
    EXPECT_EQ(blocks_missing(result.out, c.out), "");
  else if (c.out_kind == "--- stdout begins")
    EXPECT_EQ(result.out.substr(0, c.out.size()), c.out);
  else
    EXPECT_EQ(result.out, c.out);
  EXPECT_EQ(numbers_checked(result.err, c), c.err);
  EXPECT_EQ(result.exit_status, c.status);
}

TEST_P(runs, print_and_exit_as_written) {
  run_case c = read_case("data/runs/" + GetParam() + ".txt");
  expect_as_written(c, false);
  if (c.also_piped) expect_as_written(c, true);
}

INSTANTIATE_TEST_SUITE_P(data, runs, testing::ValuesIn(sim_test::case_names("data/runs")),
                         [](const testing::TestParamInfo<std::string> &row) { return row.param; });

}  // namespace
