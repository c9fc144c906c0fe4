// The interface membership listing: cells three to a line, slot groups, marks in VDC 1.
#include <gtest/gtest.h>

#include "show_helpers.h"

namespace {

using show_test::pad;
using standin::attribute;
using standin::bytes;
using standin::mark;
using standin::text;
using standin::word;
using zms_test::command;
using zms_test::run_captured;

const std::string opening = "Flags : b - breakout port \n---------------------------------\n";
const std::string closing = "\n\n\n";
const std::string legend =
    "* Denotes an issue with the port. Check 'show vdc membership status' for more details\n";

// Interfaces 11-19 lie on slot 1 (names A1..A9), 21-29 on slot 2 (B1..), 31-39 on slot 3.
// 40: slot 255. 41: breakout. 42: no move status. 43: move status 5. 44: breakout with
// status 5. 45: a 25-character name. 46: no name at all. Index 99 is unknown.
void add_interfaces() {
  auto &intfs = standin::platform().interfaces;
  const char *slots = "ABC";
  for (uint8_t slot = 1; slot <= 3; ++slot)
    for (uint32_t i = 1; i <= 9; ++i)
      intfs[slot * 10 + i] = {std::string(1, slots[slot - 1]) + std::to_string(i), "", slot};
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
std::string heading(uint32_t id, const std::string &name) {
  return "\nvdc_id: " + std::to_string(id) + " vdc_name: " + name + " interfaces:\n\t";
}
const std::string shared = "\nImplicitly shared interfaces:\n\t";

struct run_result {
  int32_t result;
  std::string out;
};

run_result run(const std::vector<attribute> &response, uint32_t current_vdc) {
  auto cmd = command(response);
  add_interfaces();
  standin::platform().current_vdc = current_vdc;
  auto [result, out] = run_captured([&] { return show_vdc_membership(&cmd); });
  return {result, out};
}

TEST(show_vdc_membership_test, prints_the_example_byte_for_byte) {
  auto [result, out] = run({word(VDC_ATTR_ID, 1), text(VDC_ATTR_NAME, "N"), port(11), port(12),
                            port(13), port(14), port(21)},
                           2);
  EXPECT_EQ(out,
            "Flags : b - breakout port \n"
            "---------------------------------\n"
            "\nvdc_id: 1 vdc_name: N interfaces:\n"
            "\tA1                    A2                    A3                    \n"
            "\tA4                    \n"
            "\n"
            "\tB1                    \n"
            "\n"
            "\n");
  EXPECT_EQ(result, 3);
}

struct layout_case {
  const char *label;
  uint32_t current_vdc;
  std::vector<attribute> response;
  std::string expected;  // between the opening lines and the closing newlines
  bool legend = false;
};

void PrintTo(const layout_case &row, std::ostream *os) {
  *os << row.label;
}

class membership_layout_test : public testing::TestWithParam<layout_case> {};

TEST_P(membership_layout_test, lays_out_the_cells) {
  const auto &c = GetParam();
  auto [result, out] = run(c.response, c.current_vdc);
  EXPECT_EQ(out, opening + c.expected + closing + (c.legend ? legend : ""));
  EXPECT_EQ(result, c.legend ? static_cast<int32_t>(legend.size()) : 3);
}

const attribute vdc1 = word(VDC_ATTR_ID, 1), vdc2 = word(VDC_ATTR_ID, 2);
const attribute name_a = text(VDC_ATTR_NAME, "a"), name_b = text(VDC_ATTR_NAME, "b");

INSTANTIATE_TEST_SUITE_P(
    responses, membership_layout_test,
    testing::Values(
        layout_case{"empty", 2, {}, ""},
        layout_case{"vdc_without_interfaces",
                    2,
                    {vdc1, name_a, vdc2, name_b},
                    heading(1, "a") + heading(2, "b")},
        layout_case{"full_line_then_next_vdc",
                    2,
                    {vdc1, name_a, port(11), port(12), port(13), vdc2, name_b, port(14)},
                    heading(1, "a") + cell("A1") + cell("A2") + cell("A3") + "\n\t" +
                        heading(2, "b") + cell("A4")},
        layout_case{"partial_line_then_next_vdc",
                    2,
                    {vdc1, name_a, port(11), port(12), vdc2, name_b},
                    heading(1, "a") + cell("A1") + cell("A2") + "\n" + heading(2, "b")},
        layout_case{"slot_change_after_one_cell",
                    2,
                    {port(11), port(21)},
                    cell("A1") + "\n\n\t" + cell("B1")},
        layout_case{"slot_change_after_two_cells",
                    2,
                    {port(11), port(12), port(21)},
                    cell("A1") + cell("A2") + "\n\n\t" + cell("B1")},
        layout_case{"slot_change_after_full_line",
                    2,
                    {port(11), port(12), port(13), port(21)},
                    cell("A1") + cell("A2") + cell("A3") + "\n\t\n\t" + cell("B1")},
        layout_case{"count_runs_on_across_lines",
                    2,
                    {port(11), port(12), port(13), port(14), port(15), port(16), port(17)},
                    cell("A1") + cell("A2") + cell("A3") + "\n\t" + cell("A4") + cell("A5") +
                        cell("A6") + "\n\t" + cell("A7")},
        layout_case{"same_slot_not_adjacent_is_not_merged",
                    2,
                    {port(11), port(21), port(12)},
                    cell("A1") + "\n\n\t" + cell("B1") + "\n\n\t" + cell("A2")},
        layout_case{"slot_255_starts_a_group_the_next_joins",
                    2,
                    {port(11), port(40), port(21), port(31)},
                    cell("A1") + "\n\n\t" + cell("X255") + cell("B1") + "\n\n\t" + cell("C1")},
        layout_case{"shared_heading_keeps_the_count",
                    2,
                    {port(11), mark(VDC_ATTR_SHARED_IF_MARK), port(12), port(13), port(14)},
                    cell("A1") + shared + cell("A2") + cell("A3") + "\n\t" + cell("A4")},
        layout_case{"shared_heading_then_slot_change",
                    2,
                    {port(11), mark(VDC_ATTR_SHARED_IF_MARK), port(21)},
                    cell("A1") + shared + "\n\n\t" + cell("B1")},
        layout_case{
            "breakout_outside_vdc_1",
            2,
            {port(41), port(44), port(42), port(43)},
            cell("Brk1(b)") + cell("BrkIssue(b)") + cell("NoStat") + "\n\t" + cell("Issue")},
        layout_case{"marks_in_vdc_1",
                    1,
                    {port(41), port(44), port(42), port(43), port(11)},
                    cell("Brk1(b)") + "*" + pad("BrkIssue", 20) + " " + "!" + pad("NoStat", 20) +
                        " \n\t*" + pad("Issue", 20) + " " + cell("A1"),
                    true},
        layout_case{"legend_once_for_several_vdcs",
                    1,
                    {vdc1, name_a, port(43), vdc2, name_b, port(42)},
                    heading(1, "a") + "*" + pad("Issue", 20) + " \n" + heading(2, "b") + "!" +
                        pad("NoStat", 20) + " ",
                    true},
        layout_case{"legend_after_a_later_clean_vdc",
                    1,
                    {vdc1, name_a, port(43), vdc2, name_b, port(11)},
                    heading(1, "a") + "*" + pad("Issue", 20) + " \n" + heading(2, "b") + cell("A1"),
                    true},
        layout_case{"unknown_interface_has_no_status_in_vdc_1",
                    1,
                    {port(99)},
                    "!" + pad("", 20) + " ",
                    true},
        layout_case{"unnamed_and_unknown_ports_are_empty_cells_in_the_group",
                    2,
                    {port(46), port(99)},
                    cell("") + cell("")},
        layout_case{"long_names_widen_their_cell",
                    2,
                    {port(45), port(11)},
                    std::string(25, 'L') + "  " + cell("A1")},
        layout_case{"long_vdc_name_is_cut_to_63",
                    2,
                    {text(VDC_ATTR_NAME, std::string(70, 'n'))},
                    "vdc_name: " + std::string(63, 'n') + " interfaces:\n\t"},
        layout_case{"malformed_and_unknown_attributes_are_passed_over",
                    2,
                    {bytes(VDC_ATTR_ID, {1}), bytes(VDC_ATTR_IF_INDEX, {11, 0}),
                     attribute{VDC_ATTR_NAME, {}, true}, attribute{VDC_ATTR_IF_INDEX, {}, true},
                     word(0x141a0011, 1), text(0x0c1a0010, "x"), word(0x301a0024, 11),
                     bytes(VDC_ATTR_NAME, {'a', 'b'})},
                    "vdc_name: ab interfaces:\n\t"},
        layout_case{"id_prints_its_low_half", 2, {word(VDC_ATTR_ID, 0x00090004)}, "\nvdc_id: 4 "}),
    show_test::row_name<layout_case>);

TEST(show_vdc_membership_test, asks_the_platform_in_order_in_vdc_1) {
  auto cmd = command(
      {word(VDC_ATTR_ID, 1), text(VDC_ATTR_NAME, "core"), port(11), port(41), port(42), port(43)});
  add_interfaces();
  cmd_q = 7;
  run_captured([&] { return show_vdc_membership(&cmd); });
  auto cell_calls = [](const std::string &i) {
    return std::vector<std::string>{"if_index_get_slot(" + i + ")",
                                    "snprintf_if_index(256, " + i + ")", "cmd_vdc_get()",
                                    "im_if_get_move_status(" + i + ")"};
  };
  std::vector<std::string> expected = {"im_ext_sbcr_init(262, 7, \"clish\")",
                                       "strncpy_s(64, \"core\", 63)"};
  for (auto [i, extra] : std::vector<std::pair<std::string, std::vector<std::string>>>{
           {"11", {"vdc_is_index_broken(11)"}},
           {"41", {"vdc_is_index_broken(41)", "__strcat_s_to_buf(256, 256, \"(b)\")"}},
           {"42", {}},
           {"43", {}}}) {
    auto calls = cell_calls(i);
    calls.insert(calls.end(), extra.begin(), extra.end());
    expected.insert(expected.end(), calls.begin(), calls.end());
  }
  EXPECT_EQ(standin::calls(), expected);
  EXPECT_EQ(cmd.getnext_calls, 7u);
}

TEST(show_vdc_membership_test, never_asks_the_move_status_outside_vdc_1) {
  auto cmd = command({port(41), port(43)});
  add_interfaces();
  standin::platform().current_vdc = 3;
  run_captured([&] { return show_vdc_membership(&cmd); });
  EXPECT_EQ(standin::calls(),
            (std::vector<std::string>{
                "im_ext_sbcr_init(262, 0, \"clish\")", "if_index_get_slot(41)",
                "snprintf_if_index(256, 41)", "cmd_vdc_get()", "vdc_is_index_broken(41)",
                "__strcat_s_to_buf(256, 256, \"(b)\")", "if_index_get_slot(43)",
                "snprintf_if_index(256, 43)", "cmd_vdc_get()", "vdc_is_index_broken(43)"}));
}

}  // namespace
