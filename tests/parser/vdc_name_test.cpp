// Help and match callbacks of VDC-name parameters and the name-attribute rewrite.
#include <cstring>
#include <optional>

#include "capture.h"

namespace {

using zms_test::command;
using zms_test::strings;

TEST(vdc_name_table_test, every_selector_gives_blanktable) {
  for (uint32_t selector : {0u, 1u, 2u, 0xffffffffu})
    EXPECT_EQ(vdc_mgr_vdcName_table_get(nullptr, selector), blanktable) << selector;
}

// The stand-in's help prints the offered rows that begin with the word; blanktable stands
// for the VDC names it knows.
TEST(vdc_name_help_test, passes_table_and_word_and_returns_the_framework_status) {
  const struct {
    int32_t (*callback)(cmd_handle, const char *);
    const char *word, *call, *shown;
  } cases[] = {
      {vdc_mgr_show_e_name_help, "c", R"(cmd_enum_help([""], "c"))", "core              VDC name"},
      {vdc_mgr_show_no_def_name_help, "e", R"(cmd_enum_help([""], "e"))",
       "edge              VDC name"},
      {vdc_mgr_show_new_name_help, "core", R"(cmd_enum_help(["<WORD>"], ""))",
       "<WORD>            Create a new vdc"},
      {vdc_mgr_show_new_name_help, "bad name.", R"(cmd_enum_help(["<WORD>"], ""))",
       "<WORD>            Create a new vdc"},
  };
  for (const auto &c : cases) {
    auto cmd = command();
    standin::platform().vdcs = {{1, "core"}, {2, "edge"}};
    standin::platform().help_status = 0x40;
    auto [result, out] = zms_test::run_captured([&] { return c.callback(&cmd, c.word); });
    EXPECT_EQ(result, 0x40);
    EXPECT_EQ(out, "  " + std::string(c.shown) + "\n");
    EXPECT_EQ(standin::calls(), strings{c.call});
  }
}

// Mode 0 asks the framework for a whole name (last argument 1), any other mode for a prefix.
TEST(vdc_name_match_test, passes_the_last_argument_of_its_mode_and_returns_the_record) {
  const struct {
    cmd_match_result *(*callback)(cmd_handle, const char *, int32_t);
    const char *word;
    int32_t mode;
    const char *call;
    std::optional<uint32_t> matched_vdc;  // empty: an all-zero record
  } cases[] = {
      {vdc_mgr_show_e_name_match, "core", 0, R"(cmd_enum_match([""], "core", 1))", 1u},
      {vdc_mgr_show_e_name_match, "co", 0, R"(cmd_enum_match([""], "co", 1))", std::nullopt},
      {vdc_mgr_show_e_name_match, "co", 1, R"(cmd_enum_match([""], "co", 0))", 1u},
      {vdc_mgr_show_e_name_match, "ed", 7, R"(cmd_enum_match([""], "ed", 0))", 2u},
      {vdc_mgr_show_e_name_match, "ed", -1, R"(cmd_enum_match([""], "ed", 0))", 2u},
      {vdc_mgr_show_no_def_name_match, "EDGE", 0, R"(cmd_enum_match([""], "EDGE", 1))", 2u},
      {vdc_mgr_show_no_def_name_match, "e", 1, R"(cmd_enum_match([""], "e", 0))", 2u},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.call);
    auto cmd = command();
    standin::platform().vdcs = {{1, "core"}, {2, "edge"}};
    cmd_match_result *result = c.callback(&cmd, c.word, c.mode);
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(standin::calls(), strings{c.call});
    EXPECT_EQ(result->status, c.matched_vdc ? 2u : 0u);
    EXPECT_EQ(result->count, c.matched_vdc ? 1 : 0);
    uint32_t *value = static_cast<uint32_t *>(result->value);
    EXPECT_EQ(value ? std::optional<uint32_t>(*value) : std::nullopt, c.matched_vdc);
    standin::free_match(result);
  }
}

// The request's own value goes back with length 68, whatever length the request reports.
TEST(vdc_id_rewrite_test, hands_the_request_value_back_with_length_68) {
  std::vector<uint8_t> key(VDC_NAME_KEY_LEN, 0);
  key[0] = 3;
  std::memcpy(key.data() + 4, "core", 4);
  const std::string get = "cmd_req_attr_get(0x381a8001)";
  const std::string replace = "cmd_attr_value_replace(0x381a8001, 68)";
  const std::pair<std::vector<standin::attribute>, strings> cases[] = {
      {{standin::word(VDC_ATTR_ID, 3), standin::bytes(VDC_ATTR_NAME_KEY, key)}, {get, replace}},
      {{standin::bytes(VDC_ATTR_NAME_KEY, {1, 2, 3, 4})}, {get, replace}},
      {{standin::word(VDC_ATTR_ID, 3)}, {get}},
      {{standin::attribute{VDC_ATTR_NAME_KEY, key, true}}, {get}},
  };
  for (const auto &[request, calls] : cases) {
    auto cmd = command({}, request);
    EXPECT_EQ(vdc_mgr_id_rewrite(&cmd), 0);
    EXPECT_EQ(standin::calls(), calls);
    const void *own_value = calls.size() == 2 ? cmd.request.back().value.data() : nullptr;
    EXPECT_EQ(standin::platform().replaced_value, own_value);
  }
}

}  // namespace
