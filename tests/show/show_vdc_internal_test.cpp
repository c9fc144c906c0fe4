// The internal display's closing text.
#include <gtest/gtest.h>

#include "show_helpers.h"

namespace {

TEST(show_vdc_internal_test, prints_the_text_without_reading_the_response) {
  auto cmd = zms_test::command({standin::text(VDC_ATTR_NAME, "core")});
  for (cmd_handle handle : {&cmd, static_cast<cmd_ctx *>(nullptr)}) {
    auto [result, out] = zms_test::run_captured([&] { return show_vdc_internal(handle); });
    EXPECT_EQ(out, "\n backend printing done");
    EXPECT_EQ(result, 0);
  }
  EXPECT_EQ(cmd.getnext_calls, 0u);
  EXPECT_TRUE(standin::calls().empty());
}

}  // namespace
