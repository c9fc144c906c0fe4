// Help and match callbacks of VDC-name parameters and the name-attribute rewrite.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "capture.h"

namespace {

using zms_test::command;
using zms_test::run_captured;
using strings = std::vector<std::string>;

void offer_two_vdcs() {
  standin::platform().vdcs = {{1, "core"}, {2, "edge"}};
}

TEST(vdc_name_table_test, every_selector_gives_blanktable) {
  for (uint32_t selector : {0u, 1u, 2u, 0xffffffffu})
    EXPECT_EQ(vdc_mgr_vdcName_table_get(nullptr, selector), blanktable) << selector;
}

struct help_case {
  const char *label;
  int32_t (*callback)(cmd_handle, const char *);
  const char *word;
  const char *call;
  const char *output;
};

class name_help_test : public testing::TestWithParam<help_case> {};

TEST_P(name_help_test, passes_table_and_word_and_returns_the_framework_status) {
  const auto &param = GetParam();
  auto cmd = command();
  offer_two_vdcs();
  standin::platform().help_status = 0x40;
  auto [result, out] = run_captured([&] { return param.callback(&cmd, param.word); });
  EXPECT_EQ(result, 0x40);
  EXPECT_EQ(out, param.output);
  EXPECT_EQ(standin::calls(), strings{param.call});
}

INSTANTIATE_TEST_SUITE_P(
    callbacks, name_help_test,
    testing::Values(
        help_case{"e_name", vdc_mgr_show_e_name_help, "c", R"(cmd_enum_help([""], "c"))",
                  "  core              VDC name\n"},
        help_case{"e_name_all", vdc_mgr_show_e_name_help, "", R"(cmd_enum_help([""], ""))",
                  "  core              VDC name\n  edge              VDC name\n"},
        help_case{"no_def_name", vdc_mgr_show_no_def_name_help, "e", R"(cmd_enum_help([""], "e"))",
                  "  edge              VDC name\n"},
        help_case{"new_name", vdc_mgr_show_new_name_help, "core",
                  R"(cmd_enum_help(["<WORD>"], ""))", "  <WORD>            Create a new vdc\n"},
        help_case{"new_name_rejected_word", vdc_mgr_show_new_name_help, "bad name.",
                  R"(cmd_enum_help(["<WORD>"], ""))", "  <WORD>            Create a new vdc\n"}),
    [](const auto &p) { return std::string(p.param.label); });

struct match_case {
  const char *label;
  cmd_match_result *(*callback)(cmd_handle, const char *, int32_t);
  const char *word;
  int32_t mode;
  const char *call;
  std::optional<uint32_t> matched_vdc;  // empty: an all-zero record
};

class name_match_test : public testing::TestWithParam<match_case> {};

TEST_P(name_match_test, passes_the_last_argument_of_its_mode_and_returns_the_record) {
  const auto &param = GetParam();
  auto cmd = command();
  offer_two_vdcs();
  cmd_match_result *result = param.callback(&cmd, param.word, param.mode);
  ASSERT_NE(result, nullptr);
  EXPECT_EQ(standin::calls(), strings{param.call});
  EXPECT_EQ(standin::platform().last_match_arg, param.mode == 0 ? 1 : 0);
  if (param.matched_vdc) {
    EXPECT_EQ(result->status, 2u);
    EXPECT_EQ(result->count, 1);
    ASSERT_NE(result->value, nullptr);
    EXPECT_EQ(*static_cast<uint32_t *>(result->value), *param.matched_vdc);
  } else {
    EXPECT_EQ(result->status, 0u);
    EXPECT_EQ(result->count, 0);
    EXPECT_EQ(result->value, nullptr);
  }
  standin::free_match(result);
}

INSTANTIATE_TEST_SUITE_P(
    callbacks, name_match_test,
    testing::Values(match_case{"e_name_exact_mode0", vdc_mgr_show_e_name_match, "core", 0,
                               R"(cmd_enum_match([""], "core", 1))", 1u},
                    match_case{"e_name_prefix_mode0", vdc_mgr_show_e_name_match, "co", 0,
                               R"(cmd_enum_match([""], "co", 1))", std::nullopt},
                    match_case{"e_name_prefix_mode1", vdc_mgr_show_e_name_match, "co", 1,
                               R"(cmd_enum_match([""], "co", 0))", 1u},
                    match_case{"e_name_prefix_mode7", vdc_mgr_show_e_name_match, "ed", 7,
                               R"(cmd_enum_match([""], "ed", 0))", 2u},
                    match_case{"e_name_prefix_negative_mode", vdc_mgr_show_e_name_match, "ed", -1,
                               R"(cmd_enum_match([""], "ed", 0))", 2u},
                    match_case{"no_def_name_exact_mode0", vdc_mgr_show_no_def_name_match, "EDGE", 0,
                               R"(cmd_enum_match([""], "EDGE", 1))", 2u},
                    match_case{"no_def_name_prefix_mode0", vdc_mgr_show_no_def_name_match, "e", 0,
                               R"(cmd_enum_match([""], "e", 1))", std::nullopt},
                    match_case{"no_def_name_prefix_mode1", vdc_mgr_show_no_def_name_match, "e", 1,
                               R"(cmd_enum_match([""], "e", 0))", 2u}),
    [](const auto &p) { return std::string(p.param.label); });

struct rewrite_case {
  const char *label;
  std::vector<standin::attribute> request;
  strings calls;
};

class id_rewrite_test : public testing::TestWithParam<rewrite_case> {};

TEST_P(id_rewrite_test, hands_the_request_value_back_with_length_68) {
  const auto &param = GetParam();
  auto cmd = command({}, param.request);
  EXPECT_EQ(vdc_mgr_id_rewrite(&cmd), 0);
  EXPECT_EQ(standin::calls(), param.calls);
  bool replaced = param.calls.size() == 2;
  const void *own_value = replaced ? cmd.request.back().value.data() : nullptr;
  EXPECT_EQ(standin::platform().replaced_value, own_value);
}

std::vector<uint8_t> name_key(const char *name) {
  std::vector<uint8_t> value(VDC_NAME_KEY_LEN, 0);
  value[0] = 3;
  for (size_t i = 0; name[i] != '\0'; ++i)
    value[4 + i] = static_cast<uint8_t>(name[i]);
  return value;
}

const char get_call[] = "cmd_req_attr_get(0x381a8001)";
const char replace_call[] = "cmd_attr_value_replace(0x381a8001, 68)";

INSTANTIATE_TEST_SUITE_P(
    requests, id_rewrite_test,
    testing::Values(
        rewrite_case{
            "name_key",
            {standin::word(VDC_ATTR_ID, 3), standin::bytes(VDC_ATTR_NAME_KEY, name_key("core"))},
            {get_call, replace_call}},
        // The framework's value is passed back whole; its reported length is not consulted.
        rewrite_case{"short_value",
                     {standin::bytes(VDC_ATTR_NAME_KEY, {1, 2, 3, 4})},
                     {get_call, replace_call}},
        rewrite_case{"absent", {standin::word(VDC_ATTR_ID, 3)}, {get_call}},
        rewrite_case{"null_value",
                     {standin::attribute{VDC_ATTR_NAME_KEY, name_key("core"), true}},
                     {get_call}}),
    [](const auto &p) { return std::string(p.param.label); });

}  // namespace
