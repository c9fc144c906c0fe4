// The storage VDC display and its reserved VLAN ranges.
#include <gtest/gtest.h>

#include "show_helpers.h"

namespace {

using show_test::text_case;
using standin::attribute;
using standin::word;
using standin::words;

// A range list: word 0, the count, then the bounds.
attribute vlans(uint32_t count, std::vector<uint32_t> bounds) {
  bounds.insert(bounds.begin(), {0xdeadbeef, count});
  return words(VDC_ATTR_RESERVED_VLANS, bounds);
}

TEST(show_fcoe_test, prints_the_example_byte_for_byte) {
  show_test::expect_prints(
      show_fcoe,
      {"example",
       {word(VDC_ATTR_STORAGE_VDC, 2), word(VDC_ATTR_SHARING_ETH_VDC, 3),
        vlans(3, {3, 3, 10, 20, 30, 30})},
       "Storage VDC: 2\nSharing Ethernet VDC: 3\nReserved Vlans: 3, 10-20, 30\n"},
      -1);
}

class show_fcoe_lines_test : public testing::TestWithParam<text_case> {};

TEST_P(show_fcoe_lines_test, prints_one_line_per_attribute) {
  show_test::expect_prints(show_fcoe, GetParam(), -1);
}

INSTANTIATE_TEST_SUITE_P(
    responses, show_fcoe_lines_test,
    testing::Values(
        text_case{"empty", {}, ""},
        text_case{"count_1_first_pair_only", {vlans(1, {5, 6, 7, 8})}, "Reserved Vlans: 5-6\n"},
        text_case{"count_0_still_first_pair", {vlans(0, {5, 5, 7, 8})}, "Reserved Vlans: 5\n"},
        text_case{
            "reversed_bounds_as_given", {vlans(2, {20, 10, 1, 1})}, "Reserved Vlans: 20-10, 1\n"},
        text_case{"signed_bounds_and_numbers",
                  {vlans(1, {0xffffffff, 4}), word(VDC_ATTR_STORAGE_VDC, 0xfffffffe)},
                  "Reserved Vlans: -1-4\nStorage VDC: -2\n"},
        text_case{"two_lists_two_lines",
                  {vlans(1, {1, 1}), vlans(1, {2, 2})},
                  "Reserved Vlans: 1\nReserved Vlans: 2\n"},
        text_case{"count_beyond_the_value_stops_at_its_end",
                  {vlans(3, {3, 3, 10, 20})},
                  "Reserved Vlans: 3, 10-20\n"},
        text_case{"huge_count_with_one_pair", {vlans(0xffffffff, {4, 4})}, "Reserved Vlans: 4\n"},
        text_case{"partial_pair_is_left_out", {vlans(2, {3, 3, 9})}, "Reserved Vlans: 3\n"},
        text_case{"no_first_pair_prints_label_and_newline",
                  {vlans(1, {3}), words(VDC_ATTR_RESERVED_VLANS, {}),
                   attribute{VDC_ATTR_RESERVED_VLANS, {}, true}},
                  "Reserved Vlans: \nReserved Vlans: \nReserved Vlans: \n"},
        text_case{
            "unknown_and_short_passed_over",
            {word(0x111a0002, 1), word(0x131a0004, 2), standin::bytes(VDC_ATTR_STORAGE_VDC, {1}),
             attribute{VDC_ATTR_SHARING_ETH_VDC, {}, true}},
            ""}),
    show_test::row_name<text_case>);

}  // namespace
