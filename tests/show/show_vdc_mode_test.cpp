// The current VDC line.
#include <gtest/gtest.h>

#include "show_helpers.h"

namespace {

using standin::attribute;
using standin::bytes;
using standin::text;
using standin::word;

struct mode_case {
  const char *label;
  std::vector<attribute> response;
  std::string expected;
};

class show_vdc_mode_test : public testing::TestWithParam<mode_case> {};

TEST_P(show_vdc_mode_test, prints_the_current_vdc) {
  auto cmd = zms_test::command(GetParam().response);
  auto [result, out] = zms_test::run_captured([&] { return show_vdc_mode(&cmd); });
  EXPECT_EQ(out, GetParam().expected);
  EXPECT_EQ(result, '\n');
}

INSTANTIATE_TEST_SUITE_P(
    responses, show_vdc_mode_test,
    testing::Values(
        mode_case{"id_and_name",
                  {word(VDC_ATTR_CUR_ID, 1), text(VDC_ATTR_CUR_NAME, "core")},
                  "Current vdc is 1 - core\n"},
        mode_case{"empty", {}, "Current vdc is \n"},
        mode_case{"second_id_on_the_same_line",
                  {word(VDC_ATTR_CUR_ID, 1), word(VDC_ATTR_CUR_ID, 2)},
                  "Current vdc is 12\n"},
        mode_case{"id_low_half_only", {word(VDC_ATTR_CUR_ID, 0xffff0010)}, "Current vdc is 16\n"},
        mode_case{"other_ids_and_malformed_passed_over",
                  {word(VDC_ATTR_ID, 3), text(VDC_ATTR_NAME, "x"), word(0x111a0026, 4),
                   bytes(VDC_ATTR_CUR_ID, {5}), attribute{VDC_ATTR_CUR_NAME, {}, true},
                   bytes(VDC_ATTR_CUR_NAME, {'a', 'b'})},
                  "Current vdc is  - ab\n"}),
    show_test::row_name<mode_case>);

}  // namespace
