// The summary table and the display selector.
#include <gtest/gtest.h>

#include "show_helpers.h"

namespace {

using show_test::concat;
using show_test::pad;
using standin::attribute;
using standin::text;
using standin::word;
using zms_test::command;
using zms_test::run_captured;

std::vector<attribute> vdc_row(uint32_t id, const std::string &name) {
  return {word(VDC_ATTR_ID, id),           text(VDC_ATTR_NAME, name),
          text(VDC_ATTR_STATE, "active"),  text(VDC_ATTR_MAC, "00:00:00:00:00:01"),
          text(VDC_ATTR_TYPE, "Ethernet"), text(VDC_ATTR_SUPPORTED_LC, "m1")};
}

std::string table_line(const std::vector<std::string> &cells, size_t name_width) {
  const size_t widths[] = {8, name_width, 20, 20, 12, 8};
  std::string line;
  for (size_t i = 0; i < cells.size(); ++i)
    line += pad(cells[i], widths[i]);
  return line;
}

std::string heading(size_t name_width) {
  return "\n" + table_line({"vdc_id", "vdc_name", "state", "mac", "type", "lc"}, name_width) +
         "\n" +
         table_line({"------", "--------", "-----", "----------", "---------", "------"},
                    name_width) +
         "\n";
}

TEST(show_vdc_detail_test, prints_the_example_byte_for_byte) {
  auto cmd = command(concat({text(VDC_ATTR_SWITCHWIDE_MODE, "mode-a")}, vdc_row(1, "core")));
  auto [result, out] = run_captured([&] { return show_vdc_detail(&cmd); });
  EXPECT_EQ(out,
            "\n"
            "Switchwide mode is mode-a\n"
            "\n"
            "vdc_id  vdc_name                          state               mac                 "
            "type        lc      \n"
            "------  --------                          -----               ----------          "
            "---------   ------  \n"
            "1       core                              active              00:00:00:00:00:01   "
            "Ethernet    m1      \n"
            "\n");
  EXPECT_EQ(result, '\n');
}

struct width_case {
  const char *label;
  std::optional<uint32_t> name_width;
  size_t column;
};

class name_width_test : public testing::TestWithParam<width_case> {};

TEST_P(name_width_test, sizes_the_name_column) {
  const auto &param = GetParam();
  std::vector<attribute> response = vdc_row(2, "a-rather-long-vdc-name-of-33-chars");
  if (param.name_width) response.push_back(word(VDC_ATTR_NAME_WIDTH, *param.name_width));
  auto cmd = command(response);
  auto [result, out] = run_captured([&] { return show_vdc_detail(&cmd); });
  std::string row = table_line(
      {"2", "a-rather-long-vdc-name-of-33-chars", "active", "00:00:00:00:00:01", "Ethernet", "m1"},
      param.column);
  EXPECT_EQ(out, heading(param.column) + row + "\n\n");
  EXPECT_EQ(result, '\n');
}

INSTANTIATE_TEST_SUITE_P(widths, name_width_test,
                         testing::Values(width_case{"absent", std::nullopt, 34},
                                         width_case{"zero", 0u, 34}, width_case{"w32", 32u, 34},
                                         width_case{"w33", 33u, 35}, width_case{"w40", 40u, 42}),
                         [](const auto &p) { return std::string(p.param.label); });

TEST(show_vdc_detail_test, wide_table_lines_are_110_characters_for_width_40) {
  auto cmd = command(concat({word(VDC_ATTR_NAME_WIDTH, 40)}, vdc_row(1, "core")));
  auto [result, out] = run_captured([&] { return show_vdc_detail(&cmd); });
  size_t start = 1;
  for (int line = 0; line < 3; ++line) {
    size_t end = out.find('\n', start);
    EXPECT_EQ(end - start, 110u) << "line " << line;
    start = end + 1;
  }
}

TEST(show_vdc_detail_test, empty_response_prints_heading_and_an_empty_line) {
  auto cmd = command();
  auto [result, out] = run_captured([&] { return show_vdc_detail(&cmd); });
  EXPECT_EQ(out, heading(34) + "\n");
  EXPECT_EQ(cmd.getnext_calls, 1u);
}

TEST(show_vdc_detail_test, looked_up_attributes_apply_wherever_they_stand) {
  auto cmd = command(concat(vdc_row(1, "core"),
                            {text(VDC_ATTR_SWITCHWIDE_MODE, "m"), word(VDC_ATTR_NAME_WIDTH, 33)}));
  auto [result, out] = run_captured([&] { return show_vdc_detail(&cmd); });
  EXPECT_EQ(out,
            "\nSwitchwide mode is m\n" + heading(35) +
                table_line({"1", "core", "active", "00:00:00:00:00:01", "Ethernet", "m1"}, 35) +
                "\n\n");
  EXPECT_EQ(standin::calls(), (std::vector<std::string>{"cmd_rsp_attr_get(0x301a000e)",
                                                        "cmd_rsp_attr_get(0x111a000f)"}));
}

TEST(show_vdc_detail_test, cells_come_in_arrival_order_and_repeat) {
  auto cmd = command({word(VDC_ATTR_ID, 0x00070003), text(VDC_ATTR_NAME, "a"),
                      text(VDC_ATTR_NAME, "b"), text(0x141a0011, "not-a-name"), word(0x301a0010, 9),
                      text(VDC_ATTR_TYPE, "t"), word(VDC_ATTR_ID, 4)});
  auto [result, out] = run_captured([&] { return show_vdc_detail(&cmd); });
  EXPECT_EQ(out, heading(34) + pad("3", 8) + pad("a", 34) + pad("b", 34) + pad("t", 12) +
                     pad("4", 8) + "\n");
}

TEST(show_vdc_detail_test, long_name_pushes_the_row_right) {
  std::string name(40, 'n');
  auto cmd = command(vdc_row(1, name));
  auto [result, out] = run_captured([&] { return show_vdc_detail(&cmd); });
  EXPECT_EQ(out, heading(34) + pad("1", 8) + name + pad("active", 20) +
                     pad("00:00:00:00:00:01", 20) + pad("Ethernet", 12) + pad("m1", 8) + "\n\n");
}

TEST(show_vdc_detail_test, malformed_values_print_only_what_lies_inside_them) {
  auto cmd =
      command({standin::bytes(VDC_ATTR_ID, {1, 0}), standin::bytes(VDC_ATTR_NAME, {'a', 'b'}),
               standin::bytes(VDC_ATTR_STATE, {}), attribute{VDC_ATTR_MAC, {}, true},
               standin::bytes(VDC_ATTR_NAME_WIDTH, {0xff})});
  cmd.response.push_back(cmd.response.back());
  auto [result, out] = run_captured([&] { return show_vdc_detail(&cmd); });
  EXPECT_EQ(out, heading(34) + pad("ab", 34) + pad("", 20) + "\n");
}

TEST(show_vdc_detail_test, absurd_name_width_is_bounded) {
  auto cmd = command({word(VDC_ATTR_NAME_WIDTH, 0x7fffffff)});
  auto [result, out] = run_captured([&] { return show_vdc_detail(&cmd); });
  EXPECT_EQ(out, heading(1026) + "\n");
}

// ---- dispatcher ----

TEST(show_vdc_test, failed_selector_read_is_passed_back_silently) {
  auto cmd = command({word(VDC_ATTR_ID, 1)});
  auto [result, out] = run_captured([&] { return show_vdc(&cmd); });
  EXPECT_EQ(result, -1);
  EXPECT_EQ(out, "");
  EXPECT_EQ(cmd.getnext_calls, 0u);
}

struct selector_case {
  std::vector<uint8_t> value;
  const char *expected;
};

class unknown_selector_test : public testing::TestWithParam<selector_case> {};

TEST_P(unknown_selector_test, prints_the_unknown_parameter_line) {
  auto cmd = command({}, {standin::bytes(VDC_REQ_SHOW_SELECT, GetParam().value)});
  auto [result, out] = run_captured([&] { return show_vdc(&cmd); });
  EXPECT_EQ(out, GetParam().expected);
  EXPECT_EQ(result, static_cast<int32_t>(out.size()));
  EXPECT_EQ(cmd.getnext_calls, 0u);
}

std::vector<uint8_t> word_bytes(uint32_t value) {
  return word(0, value).value;
}

INSTANTIATE_TEST_SUITE_P(
    selectors, unknown_selector_test,
    testing::Values(selector_case{word_bytes(0), "unknown parameter 0x0, len 4\n"},
                    selector_case{word_bytes(6), "unknown parameter 0x6, len 4\n"},
                    selector_case{word_bytes(0xffffffff), "unknown parameter 0xffffffff, len 4\n"},
                    selector_case{{2, 0}, "unknown parameter 0x0, len 2\n"}),
    [](const auto &p) { return "case" + std::to_string(p.index); });

struct route_case {
  uint32_t selector;
  int32_t (*renderer)(cmd_handle);
};

class selector_route_test : public testing::TestWithParam<route_case> {};

TEST_P(selector_route_test, hands_the_command_to_its_renderer) {
  std::vector<attribute> response = concat(vdc_row(1, "core"), {text(VDC_ATTR_FEATURE_SET, "f")});
  auto direct = command(response);
  auto [expected_result, expected] = run_captured([&] { return GetParam().renderer(&direct); });
  auto cmd = command(response, {word(VDC_REQ_SHOW_SELECT, GetParam().selector)});
  auto [result, out] = run_captured([&] { return show_vdc(&cmd); });
  EXPECT_EQ(out, expected);
  EXPECT_EQ(result, expected_result);
}

INSTANTIATE_TEST_SUITE_P(selectors, selector_route_test,
                         testing::Values(route_case{1, show_vdc_fs}, route_case{2, show_vdc_detail},
                                         route_case{3, show_vdc_membership},
                                         route_case{4, show_vdc_membership_status},
                                         route_case{5, show_vdc_detail2}),
                         [](const auto &p) {
                           return "selector" + std::to_string(p.param.selector);
                         });

}  // namespace
