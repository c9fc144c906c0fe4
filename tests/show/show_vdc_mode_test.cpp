// The current VDC line.
#include <gtest/gtest.h>

#include "show_helpers.h"

namespace {

using show_test::text_case;
using standin::attribute;
using standin::bytes;
using standin::text;
using standin::word;

class show_vdc_mode_test : public testing::TestWithParam<text_case> {};

TEST_P(show_vdc_mode_test, prints_the_current_vdc) {
  show_test::expect_prints(show_vdc_mode, GetParam(), '\n');
}

INSTANTIATE_TEST_SUITE_P(
    responses, show_vdc_mode_test,
    testing::Values(
        text_case{"id_and_name",
                  {word(VDC_ATTR_CUR_ID, 1), text(VDC_ATTR_CUR_NAME, "core")},
                  "Current vdc is 1 - core\n"},
        text_case{"empty", {}, "Current vdc is \n"},
        text_case{"second_id_on_the_same_line",
                  {word(VDC_ATTR_CUR_ID, 1), word(VDC_ATTR_CUR_ID, 2)},
                  "Current vdc is 12\n"},
        text_case{"id_low_half_only", {word(VDC_ATTR_CUR_ID, 0xffff0010)}, "Current vdc is 16\n"},
        text_case{"other_ids_and_malformed_passed_over",
                  {word(VDC_ATTR_ID, 3), text(VDC_ATTR_NAME, "x"), word(0x111a0026, 4),
                   bytes(VDC_ATTR_CUR_ID, {5}), attribute{VDC_ATTR_CUR_NAME, {}, true},
                   bytes(VDC_ATTR_CUR_NAME, {'a', 'b'})},
                  "Current vdc is  - ab\n"}),
    show_test::row_name<text_case>);

}  // namespace
