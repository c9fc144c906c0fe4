// The VDC-name table, the exported words and the name-attribute rewrite: what a case file
// cannot say (the table pointer, the very value handed back). The callbacks' cases are in cases/.
#include <cstring>

#include "capture.h"

namespace {

using zms_test::command;
using zms_test::strings;

TEST(vdc_name_table_test, every_selector_gives_blanktable) {
  for (uint32_t selector : {0u, 1u, 2u, 0xffffffffu})
    EXPECT_EQ(vdc_mgr_vdcName_table_get(nullptr, selector), blanktable) << selector;
}

// The two words exported for the framework are zero at load, and so is the value of each
// static table's row (the rows' texts show in the cases).
TEST(exported_words_test, are_zero_at_load) {
  EXPECT_EQ(cmd_init, 0u);
  EXPECT_EQ(cli_table, 0u);
  for (cmd_enum_entry *table : {blanktable, niltable, helptable})
    EXPECT_EQ(table[0].value, 0u);
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
