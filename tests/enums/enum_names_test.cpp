// Names and values of the VDC manager's enumerations.
#include <gtest/gtest.h>

#include <cctype>
#include <climits>
#include <string>
#include <vector>

#include "zudoru_mgr_show.h"

namespace {

using find_fn = const char *(*)(int32_t);
using str2enum_fn = uint32_t (*)(const char *);

struct enumeration {
  const char *type;
  find_fn find;
  str2enum_fn str2enum;
  std::vector<std::pair<uint32_t, const char *>> rows;
};

const std::vector<enumeration> &enumerations() {
  static const std::vector<enumeration> all = {
      {"vdc_state_t",
       __vdc_state_t_find,
       __vdc_state_t_str2enum,
       {{0, "VDC_STATE_VALUE_NOT_SET"},
        {1, "VDC_ACTIVE"},
        {2, "VDC_SUSPENDED"},
        {3, "VDC_NONCONFIGURED"},
        {4, "VDC_CONFIGURED"},
        {5, "VDC_CREATE_IN_PROGRESS"},
        {6, "VDC_DELETE_IN_PROGRESS"},
        {7, "VDC_FAILED"},
        {8, "VDC_CREATE_PENDING"},
        {9, "VDC_UPDATE"},
        {10, "VDC_RESTART_IN_PROGRESS"},
        {11, "VDC_SUSPEND_IN_PROGRESS"},
        {12, "VDC_RESUME_IN_PROGRESS"},
        {13, "VDC_BRINGDOWN_IN_PROGRESS"}}},
      {"vdc_type_t",
       __vdc_type_t_find,
       __vdc_type_t_str2enum,
       {{0, "VDC_TYPE_DEFAULT"}, {1, "VDC_TYPE_ETH"}, {2, "VDC_TYPE_FC"}, {3, "VDC_TYPE_DCE"}}},
      {"vdc_show_type_t",
       __vdc_show_type_t_find,
       __vdc_show_type_t_str2enum,
       {{0, "VDC_SHOW_DETAIL"}, {1, "VDC_SHOW_MEMBERHSIP"}}},
      {"vdc_res_req_type_t",
       __vdc_res_req_type_t_find,
       __vdc_res_req_type_t_str2enum,
       {{1, "VDC_RES_RESERVE"}, {2, "VDC_RES_COMMIT"}, {3, "VDC_RES_RELEASE"}}},
      {"vdc_port_memb_status_t",
       __vdc_port_memb_status_t_find,
       __vdc_port_memb_status_t_str2enum,
       {{0, "VDC_PORT_MEMB_VALID"}, {1, "VDC_PORT_MEMB_INVALID"}, {2, "VDC_PORT_MEMB_SHARED"}}},
      {"vdc_event_type_enums_t",
       __vdc_event_type_enums_t_find,
       __vdc_event_type_enums_t_str2enum,
       {{0, "VDC_SEQ_CONFIG"},
        {1, "VDC_SEQ_PORT_CONFIG"},
        {2, "HANDSHAKE_START"},
        {3, "HANDSHAKE_FAIL"}}},
      {"vdc_fs_action_t",
       __vdc_fs_action_t_find,
       __vdc_fs_action_t_str2enum,
       {{0, "VDC_FS_ALLOW"}, {1, "VDC_FS_DISALLOW"}}},
  };
  return all;
}

const enumeration &named(const std::string &type) {
  for (const auto &e : enumerations()) {
    if (type == e.type) return e;
  }
  ADD_FAILURE() << "no enumeration " << type;
  return enumerations().front();
}

// ---- every row of every table ----

struct row_case {
  const enumeration *owner;
  uint32_t value;
  std::string name;
};

std::vector<row_case> all_rows() {
  std::vector<row_case> rows;
  for (const auto &e : enumerations()) {
    for (const auto &[value, name] : e.rows)
      rows.push_back({&e, value, name});
  }
  return rows;
}

std::string lower(std::string s) {
  for (auto &c : s)
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

std::string mixed(std::string s) {
  for (size_t i = 0; i < s.size(); i += 2) {
    s[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(s[i])));
  }
  return s;
}

class table_row_test : public testing::TestWithParam<row_case> {};

TEST_P(table_row_test, find_gives_the_name) {
  const auto &row = GetParam();
  EXPECT_STREQ(row.owner->find(static_cast<int32_t>(row.value)), row.name.c_str());
}

TEST_P(table_row_test, str2enum_gives_the_value_in_any_letter_case) {
  const auto &row = GetParam();
  for (const std::string &text : {row.name, lower(row.name), mixed(row.name)}) {
    EXPECT_EQ(row.owner->str2enum(text.c_str()), row.value) << text;
  }
}

TEST_P(table_row_test, str2enum_of_the_found_name_returns_the_value) {
  const auto &row = GetParam();
  const char *found = row.owner->find(static_cast<int32_t>(row.value));
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(row.owner->str2enum(found), row.value);
}

INSTANTIATE_TEST_SUITE_P(rows, table_row_test, testing::ValuesIn(all_rows()),
                         [](const auto &p) { return p.param.name; });

// ---- values without a name ----

struct missing_value_case {
  const char *label;
  const char *type;
  int32_t value;
};

class missing_value_test : public testing::TestWithParam<missing_value_case> {};

TEST_P(missing_value_test, find_gives_null) {
  EXPECT_EQ(named(GetParam().type).find(GetParam().value), nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    values, missing_value_test,
    testing::Values(missing_value_case{"state_14", "vdc_state_t", 14},
                    missing_value_case{"state_minus_1", "vdc_state_t", -1},
                    missing_value_case{"state_int_min", "vdc_state_t", INT32_MIN},
                    missing_value_case{"state_int_max", "vdc_state_t", INT32_MAX},
                    missing_value_case{"type_4", "vdc_type_t", 4},
                    missing_value_case{"show_type_2", "vdc_show_type_t", 2},
                    missing_value_case{"res_req_0_is_the_terminator", "vdc_res_req_type_t", 0},
                    missing_value_case{"res_req_4", "vdc_res_req_type_t", 4},
                    missing_value_case{"port_memb_3", "vdc_port_memb_status_t", 3},
                    missing_value_case{"event_type_7", "vdc_event_type_enums_t", 7},
                    missing_value_case{"event_type_high_half", "vdc_event_type_enums_t", 0x10000},
                    missing_value_case{"fs_action_2", "vdc_fs_action_t", 2},
                    missing_value_case{"fs_action_minus_1", "vdc_fs_action_t", -1}),
    [](const auto &p) { return std::string(p.param.label); });

// ---- texts that name no row ----

struct text_case {
  std::string label;
  const char *type;
  const char *text;
};

class unknown_text_test : public testing::TestWithParam<text_case> {};

TEST_P(unknown_text_test, str2enum_gives_zero) {
  EXPECT_EQ(named(GetParam().type).str2enum(GetParam().text), 0u);
}

std::vector<text_case> unknown_texts() {
  std::vector<text_case> cases = {
      {"trailing_blank", "vdc_state_t", "VDC_ACTIVE "},
      {"leading_blank", "vdc_state_t", " VDC_ACTIVE"},
      {"prefix", "vdc_state_t", "VDC_ACT"},
      {"longer", "vdc_state_t", "VDC_ACTIVEX"},
      {"other_tables_name", "vdc_state_t", "VDC_TYPE_ETH"},
      {"null_text", "vdc_state_t", nullptr},
      {"res_req_nonsense", "vdc_res_req_type_t", "nonsense"},
      {"res_req_prefix", "vdc_res_req_type_t", "VDC_RES"},
      {"type_nonsense", "vdc_type_t", "nonsense"},
  };
  for (const auto &e : enumerations()) {
    cases.push_back({std::string("empty_text_") + e.type, e.type, ""});
  }
  return cases;
}

INSTANTIATE_TEST_SUITE_P(texts, unknown_text_test, testing::ValuesIn(unknown_texts()),
                         [](const auto &p) { return p.param.label; });

TEST(enum_names_test, first_name_and_no_name_both_give_zero_where_the_first_value_is_zero) {
  EXPECT_EQ(__vdc_type_t_str2enum("VDC_TYPE_DEFAULT"), 0u);
  EXPECT_EQ(__vdc_type_t_str2enum("VDC_TYPE"), 0u);
  EXPECT_EQ(__vdc_res_req_type_t_str2enum("vdc_res_reserve"), 1u);
}

}  // namespace
