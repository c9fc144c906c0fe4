// The port membership status listing: one line per port, refused outside VDC 1.
#include "show_helpers.h"

namespace {

using namespace show_test;

const std::string opening = "Flags : b - breakout port\n---------------------------------\n";
const std::string columns = "Port        Status      \n----        ----------  \n";
const std::string unable = "ERROR:Unable to retrieve port status";

// 1: in order. 2: breakout, in order. 3: status 0x2a with a text. 4: breakout, no status
// (result 31). 5: breakout, status 0x2a. 6: no short name. 7: a 12-character name.
void add_interfaces() {
  auto &p = standin::platform();
  p.interfaces[1] = {"Ethernet1/1", "Eth1/1", 1};
  p.interfaces[2] = {"Ethernet1/2", "Eth1/2", 1, true};
  p.interfaces[3] = {"Ethernet1/3", "Eth1/3", 1, false, 0, 0x2a};
  p.interfaces[4] = {"Ethernet1/4", "Eth1/4", 1, true, 31};
  p.interfaces[5] = {"Ethernet1/5", "Eth1/5", 1, true, 0, 0x2a};
  p.interfaces[6] = {"Ethernet1/6", "", 1};
  p.interfaces[7] = {"Ethernet1/7", "Ethernet1/77", 1};
  p.error_texts[0x2a] = "Port busy";
}

attribute port(uint32_t ifindex) {
  return word(VDC_ATTR_IF_INDEX, ifindex);
}

std::pair<int32_t, std::string> run(cmd_ctx &cmd, uint32_t current_vdc = 1) {
  add_interfaces();
  standin::platform().current_vdc = current_vdc;
  return run_captured([&] { return show_vdc_membership_status(&cmd); });
}

TEST(show_vdc_membership_status_test, refuses_outside_vdc_1_without_reading_the_response) {
  auto cmd = command({word(VDC_ATTR_ID, 2), port(1)});
  auto [result, out] = run(cmd, 2);
  EXPECT_EQ(out, "Port status is only available in default vdc\n");
  EXPECT_EQ(result, static_cast<int32_t>(out.size()));
  EXPECT_EQ(cmd.getnext_calls, 0u);
  EXPECT_EQ(standin::calls(), (strings{"im_ext_sbcr_init(262, 0, \"clish\")", "cmd_vdc_get()"}));
}

class show_vdc_membership_status_test : public testing::TestWithParam<text_case> {};

TEST_P(show_vdc_membership_status_test, prints_one_line_per_port) {
  auto cmd = command(GetParam().response);
  auto [result, out] = run(cmd);
  EXPECT_EQ(out, opening + GetParam().expected + "\n\n\n");
  EXPECT_EQ(result, 3);
  EXPECT_EQ(cmd.getnext_calls, GetParam().response.size() + 1);
}

const text_case listings[] = {
    // label, response, text between the opening lines and the closing newlines
    {"empty", attrs{}, ""},
    {"vdc_without_interfaces", attrs{word(VDC_ATTR_ID, 1), text(VDC_ATTR_NAME, "core")},
     "\nvdc_id: 1 vdc_name: core interfaces:\n" + columns},
    {"every_kind_of_line", attrs{port(1), port(3), port(4), port(99)},
     "Eth1/1      OK\nEth1/3      ERROR:Port busy (0x2a)\nEth1/4(b)   " + unable + " (0x1f)\n" +
         pad("", 10) + "  " + unable + " (0x40a00005)\n"},
    {"breakout_on_every_kind", attrs{port(2), port(5), port(4)},
     "Eth1/2(b)   OK\nEth1/5(b)   ERROR:Port busy (0x2a)\nEth1/4(b)   " + unable + " (0x1f)\n"},
    {"names_the_service_cannot_give_are_empty", attrs{port(6)}, pad("", 10) + "  OK\n"},
    {"long_names_widen_their_line", attrs{port(7)}, "Ethernet1/77  OK\n"},
    {"shared_ports_under_the_same_heading",
     attrs{word(VDC_ATTR_ID, 0x00030002), text(VDC_ATTR_NAME, "b"), port(1),
           mark(VDC_ATTR_SHARED_IF_MARK), port(2)},
     "\nvdc_id: 2 vdc_name: b interfaces:\n" + columns + "Eth1/1      OK\nEth1/2(b)   OK\n"},
    {"long_vdc_name_is_cut_to_63", attrs{text(VDC_ATTR_NAME, std::string(64, 'n'))},
     "vdc_name: " + std::string(63, 'n') + " interfaces:\n" + columns},
    {"malformed_and_unknown_passed_over",
     attrs{bytes(VDC_ATTR_ID, {1}), bytes(VDC_ATTR_IF_INDEX, {1, 0, 0}),
           attribute{VDC_ATTR_NAME, {}, true}, word(0x141a0011, 1), word(0x301a0024, 1),
           bytes(VDC_ATTR_NAME, {'a'})},
     "vdc_name: a interfaces:\n" + columns},
};

INSTANTIATE_TEST_SUITE_P(responses, show_vdc_membership_status_test, testing::ValuesIn(listings),
                         zms_test::by_label<text_case>);

TEST(show_vdc_membership_status_test, asks_the_platform_in_order) {
  auto cmd = command({text(VDC_ATTR_NAME, "core"), port(1), port(5), port(4)});
  cmd_q = 9;
  run(cmd);
  const std::string suffix = "__strcat_s_to_buf(256, 256, \"(b)\")";
  EXPECT_EQ(
      standin::calls(),
      (strings{"im_ext_sbcr_init(262, 9, \"clish\")", "cmd_vdc_get()",
               "strncpy_s(64, \"core\", 63)", "snprintf_if_index_short(256, 1)",
               "vdc_is_index_broken(1)", "im_if_get_move_status(1)",
               "snprintf_if_index_short(256, 5)", "vdc_is_index_broken(5)", suffix,
               "im_if_get_move_status(5)", "syserr2str(42)", "snprintf_if_index_short(256, 4)",
               "vdc_is_index_broken(4)", suffix, "im_if_get_move_status(4)"}));
}

}  // namespace
