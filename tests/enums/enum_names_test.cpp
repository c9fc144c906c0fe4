// Names and values of the VDC manager's enumerations.
#include <gtest/gtest.h>

#include <cctype>
#include <climits>
#include <string>
#include <vector>

#include "capture.h"
#include "zudoru_mgr_show.h"

namespace {

// One enumeration: its lookups and its names, for consecutive values from `first`.
struct enumeration {
  const char *label;
  const char *(*find)(int32_t);
  uint32_t (*str2enum)(const char *);
  int32_t first;
  std::vector<std::string> names;
};

// clang-format off
const enumeration enumerations[] = {
    {"vdc_state_t", __vdc_state_t_find, __vdc_state_t_str2enum, 0,
     {"VDC_STATE_VALUE_NOT_SET", "VDC_ACTIVE", "VDC_SUSPENDED", "VDC_NONCONFIGURED",
      "VDC_CONFIGURED", "VDC_CREATE_IN_PROGRESS", "VDC_DELETE_IN_PROGRESS", "VDC_FAILED",
      "VDC_CREATE_PENDING", "VDC_UPDATE", "VDC_RESTART_IN_PROGRESS", "VDC_SUSPEND_IN_PROGRESS",
      "VDC_RESUME_IN_PROGRESS", "VDC_BRINGDOWN_IN_PROGRESS"}},
    {"vdc_type_t", __vdc_type_t_find, __vdc_type_t_str2enum, 0,
     {"VDC_TYPE_DEFAULT", "VDC_TYPE_ETH", "VDC_TYPE_FC", "VDC_TYPE_DCE"}},
    {"vdc_show_type_t", __vdc_show_type_t_find, __vdc_show_type_t_str2enum, 0,
     {"VDC_SHOW_DETAIL", "VDC_SHOW_MEMBERHSIP"}},
    {"vdc_res_req_type_t", __vdc_res_req_type_t_find, __vdc_res_req_type_t_str2enum, 1,
     {"VDC_RES_RESERVE", "VDC_RES_COMMIT", "VDC_RES_RELEASE"}},
    {"vdc_port_memb_status_t", __vdc_port_memb_status_t_find, __vdc_port_memb_status_t_str2enum, 0,
     {"VDC_PORT_MEMB_VALID", "VDC_PORT_MEMB_INVALID", "VDC_PORT_MEMB_SHARED"}},
    {"vdc_event_type_enums_t", __vdc_event_type_enums_t_find, __vdc_event_type_enums_t_str2enum, 0,
     {"VDC_SEQ_CONFIG", "VDC_SEQ_PORT_CONFIG", "HANDSHAKE_START", "HANDSHAKE_FAIL"}},
    {"vdc_fs_action_t", __vdc_fs_action_t_find, __vdc_fs_action_t_str2enum, 0,
     {"VDC_FS_ALLOW", "VDC_FS_DISALLOW"}},
};
// clang-format on

std::string recased(std::string s, int (*to)(int), size_t step) {
  for (size_t i = 0; i < s.size(); i += step)
    s[i] = static_cast<char>(to(static_cast<unsigned char>(s[i])));
  return s;
}

ZMS_PRINTS_AS(enumeration, label)

class enum_names_test : public testing::TestWithParam<enumeration> {};

TEST_P(enum_names_test, find_and_str2enum_agree_on_every_row) {
  const auto &e = GetParam();
  for (size_t i = 0; i < e.names.size(); ++i) {
    const auto value = static_cast<uint32_t>(e.first + static_cast<int32_t>(i));
    const char *found = e.find(static_cast<int32_t>(value));
    ASSERT_NE(found, nullptr) << value;
    EXPECT_EQ(std::string(found), e.names[i]);
    EXPECT_EQ(e.str2enum(found), value);
    EXPECT_EQ(e.str2enum(recased(e.names[i], ::tolower, 1).c_str()), value);
    EXPECT_EQ(e.str2enum(recased(e.names[i], ::tolower, 2).c_str()), value);
  }
}

// Values beside the table have no name (0 for res_req, whose terminator row holds 0), and
// texts that name no row give 0.
TEST_P(enum_names_test, values_and_texts_outside_the_table) {
  const auto &e = GetParam();
  const int32_t last = e.first + static_cast<int32_t>(e.names.size()) - 1;
  for (int32_t value : {e.first - 1, last + 1, last + 0x10000, INT32_MIN, INT32_MAX})
    EXPECT_EQ(e.find(value), nullptr) << value;
  const std::string name = e.names[1];
  for (const std::string &text : {std::string(), name + " ", " " + name, name.substr(0, 7),
                                  name + "X", std::string("nonsense")})
    EXPECT_EQ(e.str2enum(text.c_str()), 0u) << '"' << text << '"';
}

INSTANTIATE_TEST_SUITE_P(enumerations, enum_names_test, testing::ValuesIn(enumerations),
                         [](const auto &p) { return std::string(p.param.label); });

TEST(enum_names_test, texts_are_whole_names_of_their_own_table) {
  EXPECT_EQ(__vdc_state_t_str2enum("VDC_TYPE_ETH"), 0u);
  EXPECT_EQ(__vdc_state_t_str2enum(nullptr), 0u);
  EXPECT_EQ(__vdc_type_t_str2enum("VDC_TYPE_DEFAULT"), __vdc_type_t_str2enum("VDC_TYPE"));
}

}  // namespace
