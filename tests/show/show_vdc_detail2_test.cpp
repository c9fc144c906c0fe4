// The detail listing: labelled lines in arrival order, restart time and reason gated.
#include <gtest/gtest.h>

#include "show_helpers.h"

namespace {

using show_test::concat;
using show_test::text_case;
using standin::attribute;
using standin::bytes;
using standin::text;
using standin::word;
using zms_test::command;
using zms_test::run_captured;

const std::string epoch = "Thu Jan  1 00:00:00 1970\n";

std::vector<attribute> example_vdc(uint32_t restart_count) {
  return {word(VDC_ATTR_ID, 1),
          text(VDC_ATTR_NAME, "core"),
          text(VDC_ATTR_STATE, "active"),
          text(VDC_ATTR_MAC, "00:00:00:00:00:01"),
          text(VDC_ATTR_HA_POLICY, "p1"),
          text(VDC_ATTR_DUAL_SUP_HA_POLICY, "p2"),
          word(VDC_ATTR_BOOT_ORDER, 1),
          word(VDC_ATTR_CPU_SHARE, 5),
          word(VDC_ATTR_CPU_SHARE_PCT, 25),
          word(VDC_ATTR_CREATE_TIME, 0),
          word(VDC_ATTR_RELOAD_COUNT, 0),
          text(VDC_ATTR_UPTIME, "u1"),
          word(VDC_ATTR_RESTART_COUNT, restart_count),
          word(VDC_ATTR_RESTART_TIME, 0),
          text(VDC_ATTR_RESTART_REASON, "reason-a"),
          text(VDC_ATTR_TYPE, "Ethernet"),
          text(VDC_ATTR_SUPPORTED_LC, "m1")};
}

std::string example_text(const std::string &restart_lines) {
  return "\n"
         "Switchwide mode is mode-a\n"
         "\n"
         "vdc id: 1\n"
         "vdc name: core\n"
         "vdc state: active\n"
         "vdc mac address: 00:00:00:00:00:01\n"
         "vdc ha policy: p1\n"
         "vdc dual-sup ha policy: p2\n"
         "vdc boot Order: 1\n"
         "CPU Share: 5\n"
         "CPU Share Percentage: 25%\n"
         "vdc create time: Thu Jan  1 00:00:00 1970\n"
         "vdc reload count: 0\n"
         "vdc uptime: u1\n" +
         restart_lines +
         "vdc type: Ethernet\n"
         "vdc supported linecards: m1\n"
         "\n";
}

TEST(show_vdc_detail2_test, prints_the_example_byte_for_byte) {
  auto cmd = command(concat({text(VDC_ATTR_SWITCHWIDE_MODE, "mode-a")}, example_vdc(0)));
  auto [result, out] = run_captured([&] { return show_vdc_detail2(&cmd); });
  EXPECT_EQ(out, example_text("vdc restart count: 0\n"));
  EXPECT_EQ(result, '\n');
  EXPECT_EQ(standin::calls(), std::vector<std::string>{"cmd_rsp_attr_get(0x301a000e)"});
}

TEST(show_vdc_detail2_test, a_restart_count_lets_time_and_reason_print) {
  auto cmd = command(concat({text(VDC_ATTR_SWITCHWIDE_MODE, "mode-a")}, example_vdc(2)));
  auto [result, out] = run_captured([&] { return show_vdc_detail2(&cmd); });
  EXPECT_EQ(out, example_text("vdc restart count: 2\nvdc restart time: " + epoch +
                              "vdc restart reason: reason-a\n"));
}

class detail2_listing_test : public testing::TestWithParam<text_case> {};

TEST_P(detail2_listing_test, prints_each_line_where_it_arrives) {
  auto row = GetParam();
  row.expected += "\n";  // the listing's closing newline
  show_test::expect_prints(show_vdc_detail2, row, '\n');
}

const attribute restart_time = word(VDC_ATTR_RESTART_TIME, 0);
const attribute restart_reason = text(VDC_ATTR_RESTART_REASON, "r");
const std::string restart_lines = "vdc restart time: " + epoch + "vdc restart reason: r\n";

INSTANTIATE_TEST_SUITE_P(
    responses, detail2_listing_test,
    testing::Values(
        text_case{"empty", {}, ""},
        text_case{"restart_before_any_count", {restart_time, restart_reason}, restart_lines},
        text_case{"zero_count_hides",
                  {word(VDC_ATTR_RESTART_COUNT, 0), restart_time, restart_reason},
                  "vdc restart count: 0\n"},
        text_case{"count_carries_to_next_vdc",
                  {word(VDC_ATTR_ID, 1), word(VDC_ATTR_RESTART_COUNT, 0), word(VDC_ATTR_ID, 2),
                   restart_time, restart_reason},
                  "\nvdc id: 1\nvdc restart count: 0\n\nvdc id: 2\n"},
        text_case{"own_count_reopens",
                  {word(VDC_ATTR_RESTART_COUNT, 0), word(VDC_ATTR_ID, 2),
                   word(VDC_ATTR_RESTART_COUNT, 7), restart_time, restart_reason},
                  "vdc restart count: 0\n\nvdc id: 2\nvdc restart count: 7\n" + restart_lines},
        text_case{"id_low_half_only", {word(VDC_ATTR_ID, 0x00050007)}, "\nvdc id: 7\n"},
        text_case{"signed_words",
                  {word(VDC_ATTR_CPU_SHARE, 0xffffffff), word(VDC_ATTR_RELOAD_COUNT, 3)},
                  "CPU Share: -1\nvdc reload count: 3\n"},
        text_case{"time_is_signed_32_bit",
                  {word(VDC_ATTR_CREATE_TIME, 0xffffffff), word(VDC_ATTR_CREATE_TIME, 365 * 86400)},
                  "vdc create time: Wed Dec 31 23:59:59 1969\n"
                  "vdc create time: Fri Jan  1 00:00:00 1971\n"},
        text_case{"repeats_and_arrival_order",
                  {text(VDC_ATTR_TYPE, "t"), text(VDC_ATTR_TYPE, "t"), word(VDC_ATTR_ID, 3)},
                  "vdc type: t\nvdc type: t\n\nvdc id: 3\n"},
        text_case{"unknown_ids_and_looked_up_ones",
                  {text(0x141a0011, "x"), word(0x301a0010, 1), text(VDC_ATTR_SWITCHWIDE_MODE, "m"),
                   word(VDC_ATTR_NAME_WIDTH, 40)},
                  "\nSwitchwide mode is m\n"},
        text_case{"short_values_read_as_absent",
                  {bytes(VDC_ATTR_ID, {1, 0}), bytes(VDC_ATTR_BOOT_ORDER, {1, 2, 3}),
                   bytes(VDC_ATTR_CREATE_TIME, {0, 0}), attribute{VDC_ATTR_NAME, {}, true},
                   bytes(VDC_ATTR_UPTIME, {'u', 'p'})},
                  "vdc uptime: up\n"},
        text_case{
            "short_count_leaves_the_flag",
            {word(VDC_ATTR_RESTART_COUNT, 0), bytes(VDC_ATTR_RESTART_COUNT, {5}), restart_reason},
            "vdc restart count: 0\n"}),
    show_test::row_name<text_case>);

}  // namespace
