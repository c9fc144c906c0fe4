// What a call prints on standard output, and the small helpers every table of cases uses.
#ifndef ZMS_TEST_CAPTURE_H
#define ZMS_TEST_CAPTURE_H

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "standin.h"

namespace zms_test {

using strings = std::vector<std::string>;

std::string capture_stdout(const std::function<void()> &fn);

// A match result as text, one field group a line ("none" for no result); frees its blocks.
std::string match_text(cmd_match_result *result);

// The result of `fn` and what it printed.
template <typename Fn>
auto run_captured(Fn fn) {
  decltype(fn()) result{};
  std::string out = capture_stdout([&] { result = fn(); });
  return std::make_pair(result, out);
}

// A fresh platform and a command with these response attributes.
inline cmd_ctx command(std::vector<standin::attribute> response = {},
                       std::vector<standin::attribute> request = {}) {
  standin::reset();
  cmd_ctx cmd;
  cmd.response = std::move(response);
  cmd.request = std::move(request);
  return cmd;
}

// Prints a parameter row as its name: ctest lists it so, and no padding byte is read.
#define ZMS_PRINTS_AS(row, member)                                \
  [[maybe_unused]] void PrintTo(const row &r, std::ostream *os) { \
    *os << r.member;                                              \
  }

// Names a parameterised test after its row's label.
template <typename Row>
std::string by_label(const testing::TestParamInfo<Row> &info) {
  return info.param.label;
}

// A directory of its own under the temporary directory, removed with what it holds.
class temp_dir {
 public:
  temp_dir();
  ~temp_dir();
  temp_dir(const temp_dir &) = delete;
  temp_dir &operator=(const temp_dir &) = delete;
  const std::string &path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace zms_test

#endif  // ZMS_TEST_CAPTURE_H
