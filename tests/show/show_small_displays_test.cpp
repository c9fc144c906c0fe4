// The small displays: allowed feature sets, MAC addresses, dirty-bit sections, current VDC,
// the storage VDC with its reserved VLAN ranges, and the internal closing text.
#include <cstring>

#include "show_helpers.h"

namespace {

using namespace show_test;

// A VDC id word whose first 16-bit unit, in host order, is `number`; the rest is `rest`.
attribute vdc(uint16_t number, uint16_t rest = 0) {
  std::vector<uint8_t> value(4);
  std::memcpy(value.data(), &number, 2);
  std::memcpy(value.data() + 2, &rest, 2);
  return bytes(VDC_ATTR_ID, value);
}
const attribute marker = vdc(999);

// A range list: word 0, the count, then the bounds.
attribute vlans(uint32_t count, std::vector<uint32_t> bounds) {
  bounds.insert(bounds.begin(), {0xdeadbeef, count});
  return standin::words(VDC_ATTR_RESERVED_VLANS, bounds);
}

attribute no_value(uint32_t id) {
  return attribute{id, {}, true};
}

struct display_case {
  const char *label;
  int32_t (*show)(cmd_handle);
  int32_t result;
  attrs response;
  std::string expected;
};

class small_display_test : public testing::TestWithParam<display_case> {};

TEST_P(small_display_test, prints_each_line_where_its_attribute_stands) {
  const auto &c = GetParam();
  expect_prints(c.show, c.response, c.expected, c.result);
}

const int32_t nl = '\n', end = -1;  // a final putchar's result; the walk's end mark

const display_case displays[] = {
    // label, display, result, response, text
    {"fs_empty", show_vdc_fs, nl, attrs{}, "\n"},
    {"fs_two_vdcs", show_vdc_fs, nl,
     attrs{word(VDC_ATTR_ID, 1), text(VDC_ATTR_NAME, "core"),
           text(VDC_ATTR_FEATURE_SET, "fabricpath"), text(VDC_ATTR_FEATURE_SET, "fex"),
           text(VDC_ATTR_NAME, "edge"), text(VDC_ATTR_FEATURE_SET, "mpls")},
     "\nvdc core allowed feature-sets:\n\tfabricpath\n\tfex\n\nvdc edge allowed "
     "feature-sets:\n\tmpls\n\n"},
    {"fs_names_in_a_row", show_vdc_fs, nl,
     attrs{text(VDC_ATTR_NAME, "a"), text(VDC_ATTR_NAME, "b")},
     "\nvdc a allowed feature-sets:\n\nvdc b allowed feature-sets:\n\n"},
    {"fs_set_before_any_name", show_vdc_fs, nl, attrs{text(VDC_ATTR_FEATURE_SET, "fex")},
     "\tfex\n\n"},
    {"fs_malformed_passed_over", show_vdc_fs, nl,
     attrs{text(0x141a0011, "x"), text(0x301a0021, "y"), no_value(VDC_ATTR_FEATURE_SET),
           bytes(VDC_ATTR_FEATURE_SET, {'f'})},
     "\tf\n\n"},
    {"mac_empty", show_vdc_mac, end, attrs{}, ""},
    {"mac_two_vdcs", show_vdc_mac, end,
     attrs{word(VDC_ATTR_ID, 1), text(VDC_ATTR_MAC, "00:00:00:00:00:01"),
           text(VDC_ATTR_NAME, "core"), text(VDC_ATTR_MAC, "00:00:00:00:00:02")},
     "00:00:00:00:00:01\n00:00:00:00:00:02\n"},
    {"mac_malformed_passed_over", show_vdc_mac, end,
     attrs{text(0x141a0013, "x"), no_value(VDC_ATTR_MAC), bytes(VDC_ATTR_MAC, {'0', '1'}),
           text(VDC_ATTR_MAC, "")},
     "01\n\n"},
    {"mode_id_and_name", show_vdc_mode, nl,
     attrs{word(VDC_ATTR_CUR_ID, 1), text(VDC_ATTR_CUR_NAME, "core")}, "Current vdc is 1 - core\n"},
    {"mode_empty", show_vdc_mode, nl, attrs{}, "Current vdc is \n"},
    {"mode_second_id_same_line", show_vdc_mode, nl,
     attrs{word(VDC_ATTR_CUR_ID, 1), word(VDC_ATTR_CUR_ID, 2)}, "Current vdc is 12\n"},
    {"mode_id_low_half_only", show_vdc_mode, nl, attrs{word(VDC_ATTR_CUR_ID, 0xffff0010)},
     "Current vdc is 16\n"},
    {"mode_malformed_passed_over", show_vdc_mode, nl,
     attrs{word(VDC_ATTR_ID, 3), text(VDC_ATTR_NAME, "x"), word(0x111a0026, 4),
           bytes(VDC_ATTR_CUR_ID, {5}), no_value(VDC_ATTR_CUR_NAME),
           bytes(VDC_ATTR_CUR_NAME, {'a', 'b'})},
     "Current vdc is  - ab\n"},
    {"dirty_empty", show_vdc_dirtybit, end, attrs{}, ""},
    {"dirty_no_marker", show_vdc_dirtybit, end, attrs{vdc(1), vdc(2)},
     "Vdc 1 dirty\nVdc 2 dirty\n"},
    {"dirty_three_sections", show_vdc_dirtybit, end,
     attrs{vdc(1), marker, vdc(2), vdc(3), marker, vdc(4)},
     "Vdc 1 dirty\nVdc 2 active\nVdc 3 active\nVdc 4 active or pending\n"},
    {"dirty_marker_first", show_vdc_dirtybit, end, attrs{marker, vdc(5)}, "Vdc 5 active\n"},
    {"dirty_markers_in_a_row", show_vdc_dirtybit, end, attrs{marker, marker, vdc(6)},
     "Vdc 6 active or pending\n"},
    {"dirty_third_marker_active_again", show_vdc_dirtybit, end,
     attrs{marker, marker, marker, vdc(7), marker, vdc(8)},
     "Vdc 7 active\nVdc 8 active or pending\n"},
    {"dirty_marker_other_half_set", show_vdc_dirtybit, end, attrs{vdc(999, 0xabcd), vdc(9)},
     "Vdc 9 active\n"},
    {"dirty_first_unit_only", show_vdc_dirtybit, end,
     attrs{vdc(0), vdc(65535, 999), vdc(3, 7), bytes(VDC_ATTR_ID, {0, 0})},
     "Vdc 0 dirty\nVdc 65535 dirty\nVdc 3 dirty\nVdc 0 dirty\n"},
    {"dirty_malformed_passed_over", show_vdc_dirtybit, end,
     attrs{word(VDC_ATTR_CUR_ID, 999), word(0x301a0010, 999), bytes(VDC_ATTR_ID, {1}),
           no_value(VDC_ATTR_ID), vdc(2)},
     "Vdc 2 dirty\n"},
    {"fcoe_example", show_fcoe, end,
     attrs{word(VDC_ATTR_STORAGE_VDC, 2), word(VDC_ATTR_SHARING_ETH_VDC, 3),
           vlans(3, {3, 3, 10, 20, 30, 30})},
     "Storage VDC: 2\nSharing Ethernet VDC: 3\nReserved Vlans: 3, 10-20, 30\n"},
    {"fcoe_empty", show_fcoe, end, attrs{}, ""},
    {"fcoe_count_1_first_pair_only", show_fcoe, end, attrs{vlans(1, {5, 6, 7, 8})},
     "Reserved Vlans: 5-6\n"},
    {"fcoe_count_0_still_first_pair", show_fcoe, end, attrs{vlans(0, {5, 5, 7, 8})},
     "Reserved Vlans: 5\n"},
    {"fcoe_reversed_bounds_as_given", show_fcoe, end, attrs{vlans(2, {20, 10, 1, 1})},
     "Reserved Vlans: 20-10, 1\n"},
    {"fcoe_signed_numbers", show_fcoe, end,
     attrs{vlans(1, {0xffffffff, 4}), word(VDC_ATTR_STORAGE_VDC, 0xfffffffe)},
     "Reserved Vlans: -1-4\nStorage VDC: -2\n"},
    {"fcoe_two_lists_two_lines", show_fcoe, end, attrs{vlans(1, {1, 1}), vlans(1, {2, 2})},
     "Reserved Vlans: 1\nReserved Vlans: 2\n"},
    {"fcoe_count_beyond_the_value", show_fcoe, end,
     attrs{vlans(3, {3, 3, 10, 20}), vlans(0xffffffff, {4, 4}), vlans(2, {3, 3, 9})},
     "Reserved Vlans: 3, 10-20\nReserved Vlans: 4\nReserved Vlans: 3\n"},
    {"fcoe_no_first_pair", show_fcoe, end,
     attrs{vlans(1, {3}), standin::words(VDC_ATTR_RESERVED_VLANS, {}),
           no_value(VDC_ATTR_RESERVED_VLANS)},
     "Reserved Vlans: \nReserved Vlans: \nReserved Vlans: \n"},
    {"fcoe_malformed_passed_over", show_fcoe, end,
     attrs{word(0x111a0002, 1), word(0x131a0004, 2), bytes(VDC_ATTR_STORAGE_VDC, {1}),
           no_value(VDC_ATTR_SHARING_ETH_VDC)},
     ""},
};

INSTANTIATE_TEST_SUITE_P(responses, small_display_test, testing::ValuesIn(displays),
                         zms_test::by_label<display_case>);

TEST(show_vdc_internal_test, prints_the_text_without_reading_the_response) {
  auto cmd = command({text(VDC_ATTR_NAME, "core")});
  for (cmd_handle handle : {&cmd, static_cast<cmd_ctx *>(nullptr)}) {
    auto [result, out] = run_captured([&] { return show_vdc_internal(handle); });
    EXPECT_EQ(out, "\n backend printing done");
    EXPECT_EQ(result, 0);
  }
  EXPECT_EQ(cmd.getnext_calls, 0u);
  EXPECT_TRUE(standin::calls().empty());
}

}  // namespace
