// The MAC addresses: one line each, nothing else.
#include <gtest/gtest.h>

#include "show_helpers.h"

namespace {

using standin::attribute;
using standin::bytes;
using standin::text;
using standin::word;

struct mac_case {
  const char *label;
  std::vector<attribute> response;
  std::string expected;
};

class show_vdc_mac_test : public testing::TestWithParam<mac_case> {};

TEST_P(show_vdc_mac_test, prints_one_line_per_mac) {
  auto cmd = zms_test::command(GetParam().response);
  auto [result, out] = zms_test::run_captured([&] { return show_vdc_mac(&cmd); });
  EXPECT_EQ(out, GetParam().expected);
  EXPECT_EQ(result, -1);
  EXPECT_EQ(cmd.getnext_calls, GetParam().response.size() + 1);
}

INSTANTIATE_TEST_SUITE_P(
    responses, show_vdc_mac_test,
    testing::Values(mac_case{"empty", {}, ""},
                    mac_case{"two_vdcs",
                             {word(VDC_ATTR_ID, 1), text(VDC_ATTR_MAC, "00:00:00:00:00:01"),
                              text(VDC_ATTR_NAME, "core"), text(VDC_ATTR_MAC, "00:00:00:00:00:02")},
                             "00:00:00:00:00:01\n00:00:00:00:00:02\n"},
                    mac_case{"unknown_and_malformed_passed_over",
                             {text(0x141a0013, "x"), attribute{VDC_ATTR_MAC, {}, true},
                              bytes(VDC_ATTR_MAC, {'0', '1'}), text(VDC_ATTR_MAC, "")},
                             "01\n\n"}),
    show_test::row_name<mac_case>);

}  // namespace
