// The summary table and the display selector.
#include <optional>

#include "show_helpers.h"

namespace {

using namespace show_test;

attrs vdc_row(uint32_t id, const std::string &name) {
  return {word(VDC_ATTR_ID, id),           text(VDC_ATTR_NAME, name),
          text(VDC_ATTR_STATE, "active"),  text(VDC_ATTR_MAC, "00:00:00:00:00:01"),
          text(VDC_ATTR_TYPE, "Ethernet"), text(VDC_ATTR_SUPPORTED_LC, "m1")};
}

std::string table_line(const strings &cells, size_t name_width) {
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

std::string row_of(const std::string &id, const std::string &name, size_t name_width) {
  return table_line({id, name, "active", "00:00:00:00:00:01", "Ethernet", "m1"}, name_width) + "\n";
}

const std::string name_33 = "a-rather-long-vdc-name-of-33-chars";
attrs vdc_33(std::optional<uint32_t> width) {
  return vdc_row(2, name_33) + (width ? attrs{word(VDC_ATTR_NAME_WIDTH, *width)} : attrs{});
}
std::string table_33(size_t name_width) {
  return heading(name_width) + row_of("2", name_33, name_width) + "\n";
}
const attribute mode_m = text(VDC_ATTR_SWITCHWIDE_MODE, "m");

class show_vdc_detail_test : public testing::TestWithParam<text_case> {};

TEST_P(show_vdc_detail_test, prints_the_table_with_lookups_before_the_walk) {
  expect_prints(show_vdc_detail, GetParam().response, GetParam().expected, '\n');
  EXPECT_EQ(standin::calls(),
            (strings{"cmd_rsp_attr_get(0x301a000e)", "cmd_rsp_attr_get(0x111a000f)"}));
}

const text_case tables[] = {
    // label, response, text
    // The example, its output lines one to a source line.
    // clang-format off
    {"example", attrs{text(VDC_ATTR_SWITCHWIDE_MODE, "mode-a")} + vdc_row(1, "core"),
     "\n"
     "Switchwide mode is mode-a\n"
     "\n"
     "vdc_id  vdc_name                          state               mac                 type        lc      \n"
     "------  --------                          -----               ----------          ---------   ------  \n"
     "1       core                              active              00:00:00:00:00:01   Ethernet    m1      \n"
     "\n"},
    // clang-format on
    {"width_absent", vdc_33(std::nullopt), table_33(34)},
    {"width_0", vdc_33(0), table_33(34)},
    {"width_32_narrow", vdc_33(32), table_33(34)},
    {"width_33_wide", vdc_33(33), table_33(35)},
    {"width_40", vdc_33(40), table_33(42)},
    {"absurd_width_bounded", attrs{word(VDC_ATTR_NAME_WIDTH, 0x7fffffff)}, heading(1026) + "\n"},
    {"empty", attrs{}, heading(34) + "\n"},
    {"lookups_apply_wherever_they_stand",
     vdc_row(1, "core") + attrs{mode_m, word(VDC_ATTR_NAME_WIDTH, 33)},
     "\nSwitchwide mode is m\n" + heading(35) + row_of("1", "core", 35) + "\n"},
    {"long_name_pushes_the_row_right", vdc_row(1, std::string(40, 'n')),
     heading(34) + row_of("1", std::string(40, 'n'), 0) + "\n"},
    {"cells_in_arrival_order_repeated",
     attrs{word(VDC_ATTR_ID, 0x00070003), text(VDC_ATTR_NAME, "a"), text(VDC_ATTR_NAME, "b"),
           text(0x141a0011, "not-a-name"), word(0x301a0010, 9), text(VDC_ATTR_TYPE, "t"),
           word(VDC_ATTR_ID, 4)},
     heading(34) + pad("3", 8) + pad("a", 34) + pad("b", 34) + pad("t", 12) + pad("4", 8) + "\n"},
    {"malformed_values_print_what_lies_inside",
     attrs{bytes(VDC_ATTR_ID, {1, 0}), bytes(VDC_ATTR_NAME, {'a', 'b'}), bytes(VDC_ATTR_STATE, {}),
           attribute{VDC_ATTR_MAC, {}, true}, bytes(VDC_ATTR_NAME_WIDTH, {0xff}),
           bytes(VDC_ATTR_NAME_WIDTH, {0xff})},
     heading(34) + pad("ab", 34) + pad("", 20) + "\n"},
};

INSTANTIATE_TEST_SUITE_P(responses, show_vdc_detail_test, testing::ValuesIn(tables),
                         zms_test::by_label<text_case>);

// ---- dispatcher ----

TEST(show_vdc_test, failed_selector_read_is_passed_back_silently) {
  auto cmd = command({word(VDC_ATTR_ID, 1)});
  auto [result, out] = run_captured([&] { return show_vdc(&cmd); });
  EXPECT_EQ(result, -1);
  EXPECT_EQ(out, "");
  EXPECT_EQ(cmd.getnext_calls, 0u);
}

TEST(show_vdc_test, unknown_selector_prints_the_unknown_parameter_line) {
  const std::pair<attribute, std::string> cases[] = {
      {word(VDC_REQ_SHOW_SELECT, 0), "unknown parameter 0x0, len 4\n"},
      {word(VDC_REQ_SHOW_SELECT, 6), "unknown parameter 0x6, len 4\n"},
      {word(VDC_REQ_SHOW_SELECT, 0xffffffff), "unknown parameter 0xffffffff, len 4\n"},
      {bytes(VDC_REQ_SHOW_SELECT, {2, 0}), "unknown parameter 0x0, len 2\n"}};
  for (const auto &[selector, expected] : cases) {
    auto cmd = command({}, {selector});
    auto [result, out] = run_captured([&] { return show_vdc(&cmd); });
    EXPECT_EQ(out, expected);
    EXPECT_EQ(result, static_cast<int32_t>(out.size()));
    EXPECT_EQ(cmd.getnext_calls, 0u);
  }
}

TEST(show_vdc_test, hands_the_command_to_the_renderer_of_its_selector) {
  int32_t (*const renderers[])(cmd_handle) = {show_vdc_fs, show_vdc_detail, show_vdc_membership,
                                              show_vdc_membership_status, show_vdc_detail2};
  attrs response = vdc_row(1, "core") + attrs{text(VDC_ATTR_FEATURE_SET, "f")};
  for (uint32_t selector = 1; selector <= 5; ++selector) {
    auto direct = command(response);
    auto expected = run_captured([&] { return renderers[selector - 1](&direct); });
    auto cmd = command(response, {word(VDC_REQ_SHOW_SELECT, selector)});
    EXPECT_EQ(run_captured([&] { return show_vdc(&cmd); }), expected) << selector;
  }
}

}  // namespace
