// The MAC addresses: one line each, nothing else.
#include <gtest/gtest.h>

#include "show_helpers.h"

namespace {

using show_test::text_case;
using standin::attribute;
using standin::bytes;
using standin::text;
using standin::word;

class show_vdc_mac_test : public testing::TestWithParam<text_case> {};

TEST_P(show_vdc_mac_test, prints_one_line_per_mac) {
  show_test::expect_prints(show_vdc_mac, GetParam(), -1);
}

INSTANTIATE_TEST_SUITE_P(
    responses, show_vdc_mac_test,
    testing::Values(text_case{"empty", {}, ""},
                    text_case{
                        "two_vdcs",
                        {word(VDC_ATTR_ID, 1), text(VDC_ATTR_MAC, "00:00:00:00:00:01"),
                         text(VDC_ATTR_NAME, "core"), text(VDC_ATTR_MAC, "00:00:00:00:00:02")},
                        "00:00:00:00:00:01\n00:00:00:00:00:02\n"},
                    text_case{"unknown_and_malformed_passed_over",
                              {text(0x141a0013, "x"), attribute{VDC_ATTR_MAC, {}, true},
                               bytes(VDC_ATTR_MAC, {'0', '1'}), text(VDC_ATTR_MAC, "")},
                              "01\n\n"}),
    show_test::row_name<text_case>);

}  // namespace
