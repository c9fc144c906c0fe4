// Helpers shared by the show display tests.
#ifndef ZMS_SHOW_HELPERS_H
#define ZMS_SHOW_HELPERS_H

#include <string>
#include <vector>

#include "capture.h"

namespace show_test {

using standin::attribute;
using standin::bytes;
using standin::mark;
using standin::text;
using standin::word;
using zms_test::command;
using zms_test::pad;
using zms_test::run_captured;
using zms_test::strings;
using zms_test::operator+;
using attrs = std::vector<attribute>;

// A response and the exact text that a display prints for it.
struct text_case {
  const char *label;
  attrs response;
  std::string expected;
};

// Runs `show` on the response; checks the text, the result and that the walk went once to
// its end.
inline void expect_prints(int32_t (*show)(cmd_handle), const attrs &response,
                          const std::string &expected, int32_t result) {
  auto cmd = command(response);
  auto [got, out] = run_captured([&] { return show(&cmd); });
  EXPECT_EQ(out, expected);
  EXPECT_EQ(got, result);
  EXPECT_EQ(cmd.getnext_calls, response.size() + 1) << "one walk to the end";
}

}  // namespace show_test

#endif  // ZMS_SHOW_HELPERS_H
