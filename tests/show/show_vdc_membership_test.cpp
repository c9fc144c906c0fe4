// The interface membership listing: cells three to a line, slot groups, marks in VDC 1.
#include "show_helpers.h"

namespace {

using namespace show_test;

const std::string opening = "Flags : b - breakout port \n---------------------------------\n";
const std::string legend =
    "* Denotes an issue with the port. Check 'show vdc membership status' for more details\n";

// Interfaces 11-19 lie on slot 1 (names A1..A9), 21-29 on slot 2 (B1..), 31-39 on slot 3.
// 40: slot 255. 41: breakout. 42: no move status. 43: move status 5. 44: breakout with
// status 5. 45: a 25-character name. 46: no name at all. Index 99 is unknown.
void add_interfaces() {
  auto &intfs = standin::platform().interfaces;
  for (uint8_t slot = 1; slot <= 3; ++slot)
    for (uint32_t i = 1; i <= 9; ++i)
      intfs[slot * 10 + i] = {std::string(1, "ABC"[slot - 1]) + std::to_string(i), "", slot};
  intfs[40] = {"X255", "", 255};
  intfs[41] = {"Brk1", "", 1, true};
  intfs[42] = {"NoStat", "", 1, false, 31};
  intfs[43] = {"Issue", "", 1, false, 0, 5};
  intfs[44] = {"BrkIssue", "", 1, true, 0, 5};
  intfs[45] = {std::string(25, 'L'), "", 1};
  intfs[46] = {"", "", 1};
}

attribute port(uint32_t ifindex) {
  return word(VDC_ATTR_IF_INDEX, ifindex);
}
std::string cell(const std::string &name) {
  return pad(name, 20) + "  ";
}
std::string marked(char mark, const std::string &name) {
  return mark + pad(name, 20) + " ";
}
std::string heading(uint32_t id, const std::string &name) {
  return "\nvdc_id: " + std::to_string(id) + " vdc_name: " + name + " interfaces:\n\t";
}
const std::string shared = "\nImplicitly shared interfaces:\n\t";
const attribute shared_mark = mark(VDC_ATTR_SHARED_IF_MARK);
const attribute vdc1 = word(VDC_ATTR_ID, 1), vdc2 = word(VDC_ATTR_ID, 2);
const attribute name_a = text(VDC_ATTR_NAME, "a"), name_b = text(VDC_ATTR_NAME, "b");

struct layout_case {
  const char *label;
  uint32_t current_vdc;
  attrs response;
  std::string expected;  // between the opening lines and the closing newlines
};

class show_vdc_membership_test : public testing::TestWithParam<layout_case> {};

TEST_P(show_vdc_membership_test, lays_out_the_cells) {
  const auto &c = GetParam();
  auto cmd = command(c.response);
  add_interfaces();
  standin::platform().current_vdc = c.current_vdc;
  auto [result, out] = run_captured([&] { return show_vdc_membership(&cmd); });
  // A marked cell brings the legend after the closing newlines.
  bool marks = c.expected.find_first_of("*!") != std::string::npos;
  EXPECT_EQ(out, opening + c.expected + "\n\n\n" + (marks ? legend : ""));
  EXPECT_EQ(result, marks ? static_cast<int32_t>(legend.size()) : 3);
  EXPECT_EQ(cmd.getnext_calls, c.response.size() + 1);
}

const layout_case layouts[] = {
    // label, current VDC, response, text
    {"example", 2,
     attrs{vdc1, text(VDC_ATTR_NAME, "N"), port(11), port(12), port(13), port(14), port(21)},
     "\nvdc_id: 1 vdc_name: N interfaces:\n"
     "\tA1                    A2                    A3                    \n"
     "\tA4                    \n"
     "\n"
     "\tB1                    "},
    {"empty", 2, attrs{}, ""},
    {"vdc_without_interfaces", 2, attrs{vdc1, name_a, vdc2, name_b},
     heading(1, "a") + heading(2, "b")},
    {"full_line_then_next_vdc", 2,
     attrs{vdc1, name_a, port(11), port(12), port(13), vdc2, name_b, port(14)},
     heading(1, "a") + cell("A1") + cell("A2") + cell("A3") + "\n\t" + heading(2, "b") +
         cell("A4")},
    {"partial_line_then_next_vdc", 2, attrs{vdc1, name_a, port(11), port(12), vdc2, name_b},
     heading(1, "a") + cell("A1") + cell("A2") + "\n" + heading(2, "b")},
    {"slot_change_after_one_cell", 2, attrs{port(11), port(21)},
     cell("A1") + "\n\n\t" + cell("B1")},
    {"slot_change_after_two_cells", 2, attrs{port(11), port(12), port(21)},
     cell("A1") + cell("A2") + "\n\n\t" + cell("B1")},
    {"slot_change_after_full_line", 2, attrs{port(11), port(12), port(13), port(21)},
     cell("A1") + cell("A2") + cell("A3") + "\n\t\n\t" + cell("B1")},
    {"count_runs_on_across_lines", 2,
     attrs{port(11), port(12), port(13), port(14), port(15), port(16), port(17)},
     cell("A1") + cell("A2") + cell("A3") + "\n\t" + cell("A4") + cell("A5") + cell("A6") + "\n\t" +
         cell("A7")},
    {"same_slot_not_adjacent_not_merged", 2, attrs{port(11), port(21), port(12)},
     cell("A1") + "\n\n\t" + cell("B1") + "\n\n\t" + cell("A2")},
    {"slot_255_starts_a_group_the_next_joins", 2, attrs{port(11), port(40), port(21), port(31)},
     cell("A1") + "\n\n\t" + cell("X255") + cell("B1") + "\n\n\t" + cell("C1")},
    {"shared_heading_keeps_the_count", 2,
     attrs{port(11), shared_mark, port(12), port(13), port(14)},
     cell("A1") + shared + cell("A2") + cell("A3") + "\n\t" + cell("A4")},
    {"shared_heading_then_slot_change", 2, attrs{port(11), shared_mark, port(21)},
     cell("A1") + shared + "\n\n\t" + cell("B1")},
    {"breakout_outside_vdc_1", 2, attrs{port(41), port(44), port(42), port(43)},
     cell("Brk1(b)") + cell("BrkIssue(b)") + cell("NoStat") + "\n\t" + cell("Issue")},
    {"marks_in_vdc_1", 1, attrs{port(41), port(44), port(42), port(43), port(11)},
     cell("Brk1(b)") + marked('*', "BrkIssue") + marked('!', "NoStat") + "\n\t" +
         marked('*', "Issue") + cell("A1")},
    {"legend_once_for_several_vdcs", 1, attrs{vdc1, name_a, port(43), vdc2, name_b, port(42)},
     heading(1, "a") + marked('*', "Issue") + "\n" + heading(2, "b") + marked('!', "NoStat")},
    {"legend_after_a_later_clean_vdc", 1, attrs{vdc1, name_a, port(43), vdc2, name_b, port(11)},
     heading(1, "a") + marked('*', "Issue") + "\n" + heading(2, "b") + cell("A1")},
    {"unknown_interface_has_no_status_in_vdc_1", 1, attrs{port(99)}, marked('!', "")},
    {"unnamed_and_unknown_ports_are_empty_cells", 2, attrs{port(46), port(99)},
     cell("") + cell("")},
    {"long_names_widen_their_cell", 2, attrs{port(45), port(11)},
     std::string(25, 'L') + "  " + cell("A1")},
    {"long_vdc_name_is_cut_to_63", 2, attrs{text(VDC_ATTR_NAME, std::string(70, 'n'))},
     "vdc_name: " + std::string(63, 'n') + " interfaces:\n\t"},
    {"id_prints_its_low_half", 2, attrs{word(VDC_ATTR_ID, 0x00090004)}, "\nvdc_id: 4 "},
    {"malformed_and_unknown_passed_over", 2,
     attrs{bytes(VDC_ATTR_ID, {1}), bytes(VDC_ATTR_IF_INDEX, {11, 0}),
           attribute{VDC_ATTR_NAME, {}, true}, attribute{VDC_ATTR_IF_INDEX, {}, true},
           word(0x141a0011, 1), text(0x0c1a0010, "x"), word(0x301a0024, 11),
           bytes(VDC_ATTR_NAME, {'a', 'b'})},
     "vdc_name: ab interfaces:\n\t"},
};

INSTANTIATE_TEST_SUITE_P(responses, show_vdc_membership_test, testing::ValuesIn(layouts),
                         zms_test::by_label<layout_case>);

// Per cell: slot, long name, current VDC, then the move status in VDC 1 or else the
// breakout test with its suffix.
strings cell_calls(uint32_t ifindex, const strings &rest) {
  std::string i = std::to_string(ifindex);
  return strings{"if_index_get_slot(" + i + ")", "snprintf_if_index(256, " + i + ")",
                 "cmd_vdc_get()"} +
         rest;
}
const std::string suffix = "__strcat_s_to_buf(256, 256, \"(b)\")";

TEST(show_vdc_membership_test, asks_the_platform_in_order) {
  auto cmd = command({text(VDC_ATTR_NAME, "core"), port(11), port(41), port(42), port(43)});
  add_interfaces();
  cmd_q = 7;
  run_captured([&] { return show_vdc_membership(&cmd); });
  EXPECT_EQ(standin::calls(),
            (strings{"im_ext_sbcr_init(262, 7, \"clish\")", "strncpy_s(64, \"core\", 63)"} +
             cell_calls(11, {"im_if_get_move_status(11)", "vdc_is_index_broken(11)"}) +
             cell_calls(41, {"im_if_get_move_status(41)", "vdc_is_index_broken(41)", suffix}) +
             cell_calls(42, {"im_if_get_move_status(42)"}) +
             cell_calls(43, {"im_if_get_move_status(43)"})));
  cmd = command({port(41), port(43)});
  add_interfaces();
  standin::platform().current_vdc = 3;
  run_captured([&] { return show_vdc_membership(&cmd); });
  EXPECT_EQ(standin::calls(), (strings{"im_ext_sbcr_init(262, 0, \"clish\")"} +
                               cell_calls(41, {"vdc_is_index_broken(41)", suffix}) +
                               cell_calls(43, {"vdc_is_index_broken(43)"})))
      << "outside VDC 1 the move status is never asked";
}

}  // namespace
