// Helpers shared by the show display tests.
#ifndef ZMS_SHOW_HELPERS_H
#define ZMS_SHOW_HELPERS_H

#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "capture.h"

namespace show_test {

inline std::vector<standin::attribute> concat(std::vector<standin::attribute> a,
                                              const std::vector<standin::attribute> &b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

inline std::string pad(const std::string &s, size_t width) {
  return s.size() >= width ? s : s + std::string(width - s.size(), ' ');
}

// A response and the exact text that a display prints for it.
struct text_case {
  const char *label;
  std::vector<standin::attribute> response;
  std::string expected;
};

// A failing row is named by its label.
inline void PrintTo(const text_case &row, std::ostream *os) {
  *os << row.label;
}

// Runs `show` on the row's response; checks the text and the result.
inline void expect_prints(int32_t (*show)(cmd_handle), const text_case &row, int32_t result) {
  auto cmd = zms_test::command(row.response);
  auto [got_result, out] = zms_test::run_captured([&] { return show(&cmd); });
  EXPECT_EQ(out, row.expected);
  EXPECT_EQ(got_result, result);
  EXPECT_EQ(cmd.getnext_calls, row.response.size() + 1) << "one walk to the end";
}

// A table row's label as a test name.
template <typename Row>
std::string row_name(const testing::TestParamInfo<Row> &info) {
  return info.param.label;
}

}  // namespace show_test

#endif  // ZMS_SHOW_HELPERS_H
