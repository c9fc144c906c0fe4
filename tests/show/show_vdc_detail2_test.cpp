// The detail listing: labelled lines in arrival order, restart time and reason gated.
#include "show_helpers.h"

namespace {

using namespace show_test;

const std::string epoch = "Thu Jan  1 00:00:00 1970\n";

attrs example_vdc(uint32_t restart_count) {
  return {text(VDC_ATTR_SWITCHWIDE_MODE, "mode-a"),
          word(VDC_ATTR_ID, 1),
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
         "vdc supported linecards: m1\n";
}

const attribute restart_time = word(VDC_ATTR_RESTART_TIME, 0);
const attribute restart_reason = text(VDC_ATTR_RESTART_REASON, "r");
const attribute vdc_2 = word(VDC_ATTR_ID, 2);
attribute restarts(uint32_t count) {
  return word(VDC_ATTR_RESTART_COUNT, count);
}
const std::string restart_lines = "vdc restart time: " + epoch + "vdc restart reason: r\n";

class show_vdc_detail2_test : public testing::TestWithParam<text_case> {};

TEST_P(show_vdc_detail2_test, prints_each_line_where_it_arrives) {
  // Every listing ends with one empty line.
  expect_prints(show_vdc_detail2, GetParam().response, GetParam().expected + "\n", '\n');
  EXPECT_EQ(standin::calls(), strings{"cmd_rsp_attr_get(0x301a000e)"});
}

const text_case listings[] = {
    // label, response, text before the closing newline
    {"example", example_vdc(0), example_text("vdc restart count: 0\n")},
    {"example_restarted", example_vdc(2),
     example_text("vdc restart count: 2\nvdc restart time: " + epoch +
                  "vdc restart reason: reason-a\n")},
    {"empty", attrs{}, ""},
    {"restart_before_any_count", attrs{restart_time, restart_reason}, restart_lines},
    {"zero_count_hides", attrs{restarts(0), restart_time, restart_reason},
     "vdc restart count: 0\n"},
    {"count_carries_to_next_vdc",
     attrs{word(VDC_ATTR_ID, 1), restarts(0), vdc_2, restart_time, restart_reason},
     "\nvdc id: 1\nvdc restart count: 0\n\nvdc id: 2\n"},
    {"own_count_reopens", attrs{restarts(0), vdc_2, restarts(7), restart_time, restart_reason},
     "vdc restart count: 0\n\nvdc id: 2\nvdc restart count: 7\n" + restart_lines},
    {"id_low_half_only", attrs{word(VDC_ATTR_ID, 0x00050007)}, "\nvdc id: 7\n"},
    {"signed_words", attrs{word(VDC_ATTR_CPU_SHARE, 0xffffffff), word(VDC_ATTR_RELOAD_COUNT, 3)},
     "CPU Share: -1\nvdc reload count: 3\n"},
    {"time_is_signed_32_bit",
     attrs{word(VDC_ATTR_CREATE_TIME, 0xffffffff), word(VDC_ATTR_CREATE_TIME, 365 * 86400)},
     "vdc create time: Wed Dec 31 23:59:59 1969\nvdc create time: Fri Jan  1 00:00:00 1971\n"},
    {"repeats_in_arrival_order",
     attrs{text(VDC_ATTR_TYPE, "t"), text(VDC_ATTR_TYPE, "t"), word(VDC_ATTR_ID, 3)},
     "vdc type: t\nvdc type: t\n\nvdc id: 3\n"},
    {"unknown_and_looked_up_ids_passed_over",
     attrs{text(0x141a0011, "x"), word(0x301a0010, 1), text(VDC_ATTR_SWITCHWIDE_MODE, "m"),
           word(VDC_ATTR_NAME_WIDTH, 40)},
     "\nSwitchwide mode is m\n"},
    {"short_values_read_as_absent",
     attrs{bytes(VDC_ATTR_ID, {1, 0}), bytes(VDC_ATTR_BOOT_ORDER, {1, 2, 3}),
           bytes(VDC_ATTR_CREATE_TIME, {0, 0}), attribute{VDC_ATTR_NAME, {}, true},
           bytes(VDC_ATTR_UPTIME, {'u', 'p'})},
     "vdc uptime: up\n"},
    {"short_count_leaves_the_flag",
     attrs{restarts(0), bytes(VDC_ATTR_RESTART_COUNT, {5}), restart_reason},
     "vdc restart count: 0\n"},
};

INSTANTIATE_TEST_SUITE_P(responses, show_vdc_detail2_test, testing::ValuesIn(listings),
                         zms_test::by_label<text_case>);

}  // namespace
