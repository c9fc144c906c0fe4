// The dirty-bit sections: dirty, then active, then active or pending, split by 999.
#include <gtest/gtest.h>

#include <cstring>

#include "show_helpers.h"

namespace {

using show_test::text_case;
using standin::attribute;

// A VDC id word whose first 16-bit unit, in host order, is `number`; the rest is `rest`.
attribute vdc(uint16_t number, uint16_t rest = 0) {
  std::vector<uint8_t> value(4);
  std::memcpy(value.data(), &number, 2);
  std::memcpy(value.data() + 2, &rest, 2);
  return standin::bytes(VDC_ATTR_ID, value);
}

const attribute marker = vdc(999);

class show_vdc_dirtybit_test : public testing::TestWithParam<text_case> {};

TEST_P(show_vdc_dirtybit_test, prints_each_vdc_in_its_section) {
  show_test::expect_prints(show_vdc_dirtybit, GetParam(), -1);
}

INSTANTIATE_TEST_SUITE_P(
    responses, show_vdc_dirtybit_test,
    testing::Values(
        text_case{"empty", {}, ""},
        text_case{"no_marker_all_dirty", {vdc(1), vdc(2)}, "Vdc 1 dirty\nVdc 2 dirty\n"},
        text_case{"three_sections",
                  {vdc(1), marker, vdc(2), vdc(3), marker, vdc(4)},
                  "Vdc 1 dirty\nVdc 2 active\nVdc 3 active\nVdc 4 active or pending\n"},
        text_case{"marker_first", {marker, vdc(5)}, "Vdc 5 active\n"},
        text_case{"markers_in_a_row", {marker, marker, vdc(6)}, "Vdc 6 active or pending\n"},
        text_case{"third_marker_back_to_active",
                  {marker, marker, marker, vdc(7), marker, vdc(8)},
                  "Vdc 7 active\nVdc 8 active or pending\n"},
        text_case{"marker_with_other_half_set", {vdc(999, 0xabcd), vdc(9)}, "Vdc 9 active\n"},
        text_case{"number_is_the_first_unit_only",
                  {vdc(0), vdc(65535, 999), vdc(3, 7)},
                  "Vdc 0 dirty\nVdc 65535 dirty\nVdc 3 dirty\n"},
        text_case{"other_ids_and_short_values_passed_over",
                  {standin::word(VDC_ATTR_CUR_ID, 999), standin::word(0x301a0010, 999),
                   standin::bytes(VDC_ATTR_ID, {1}), attribute{VDC_ATTR_ID, {}, true}, vdc(2)},
                  "Vdc 2 dirty\n"},
        text_case{"two_bytes_are_enough", {standin::bytes(VDC_ATTR_ID, {0, 0})}, "Vdc 0 dirty\n"}),
    show_test::row_name<text_case>);

}  // namespace
