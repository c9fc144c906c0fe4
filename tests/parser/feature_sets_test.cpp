// Feature-set callbacks: the database read, the filters, the table handed to the framework
// and what is left afterwards.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "capture.h"

namespace {

using standin::keyword_row;
using standin::platform;
using zms_test::run_captured;
using strings = std::vector<std::string>;
using fs_sets = std::vector<std::pair<uint32_t, std::string>>;

const char uri[] = "volatile:/dev/shm/vdc_mgr_sdb";
const char open_call[] = R"(sdb_open("volatile:/dev/shm/vdc_mgr_sdb", 1, 0, 0, 0))";
const char help_text[] = "installed feature-set";

std::string read_call(uint16_t vdc) {
  std::string shown;
  for (unsigned char byte : standin::fs_key(vdc))
    shown += (shown.empty() ? "" : " ") + std::to_string(byte);
  return R"(sdb_read("volatile:/dev/shm/vdc_mgr_sdb", [)" + shown + "])";
}

enum callback { allowed_match, installed_match, allowed_help, installed_help };

bool is_help(callback c) {
  return c == allowed_help || c == installed_help;
}
bool is_installed(callback c) {
  return c == installed_match || c == installed_help;
}

// Runs a callback the way the framework does; match results are freed here.
std::string run(callback c, cmd_ctx &cmd, const char *word) {
  platform().help_status = 0x21;
  auto [out_result, out] = run_captured([&]() -> cmd_match_result * {
    switch (c) {
      case allowed_match:
        return vdc_mgr_show_allowed_fs_match(&cmd, word);
      case installed_match:
        return vdc_mgr_show_installed_fs_match(&cmd, word);
      case allowed_help:
        EXPECT_EQ(vdc_mgr_show_allowed_fs_help(&cmd, word), 0x21);
        return nullptr;
      case installed_help:
        EXPECT_EQ(vdc_mgr_show_installed_fs_help(&cmd, word), 0x21);
        return nullptr;
    }
    return nullptr;
  });
  if (!is_help(c)) {
    EXPECT_NE(out_result, nullptr);
    standin::free_match(out_result);
  }
  return out;
}

std::string framework_call(callback c, const strings &names, const char *word) {
  std::string listed;
  for (auto &name : names)
    listed += (listed.empty() ? "\"" : ", \"") + name + "\"";
  std::string args = "[" + listed + "], \"" + word + "\"";
  return is_help(c) ? "cmd_enum_help(" + args + ")" : "cmd_enum_match(" + args + ", 0)";
}

strings fallback_names(callback c) {
  return {is_help(c) ? "...nil..." : ""};
}

struct fs_case {
  const char *label;
  callback which;
  fs_sets sets;
  int32_t action_set;
  std::function<int32_t(uint32_t)> supported;
  fs_sets rows;              // empty: the fallback table
  uint32_t support_queries;  // is_ft_supported_by_vdc calls
  uint32_t action_queries;   // cmd_req_action_is_set calls
};

int32_t all_supported(uint32_t) {
  return 1;
}

class feature_set_test : public testing::TestWithParam<fs_case> {};

TEST_P(feature_set_test, offers_the_rows_that_pass_the_filters) {
  const auto &p = GetParam();
  auto cmd = zms_test::command();
  cmd.action_set = p.action_set;
  platform().current_vdc = 3;
  platform().ft_supported = p.supported;
  uint16_t key_vdc = is_installed(p.which) ? 0 : 3;
  platform().sdb_records[standin::fs_key(key_vdc)] = standin::fs_list(p.sets);
  run(p.which, cmd, "");

  std::vector<keyword_row> expected_rows;
  strings names;
  for (auto &[id, name] : p.rows) {
    expected_rows.push_back({name, id, help_text});
    names.push_back(name);
  }
  if (p.rows.empty()) {
    names = fallback_names(p.which);
    expected_rows = {is_help(p.which)
                         ? keyword_row{"...nil...", 0, "No feature-sets currently available"}
                         : keyword_row{"", 0, ""}};
  }
  const auto &got = platform().last_table;
  ASSERT_EQ(got.size(), expected_rows.size());
  for (size_t i = 0; i < got.size(); ++i) {
    EXPECT_EQ(got[i].name, expected_rows[i].name) << i;
    EXPECT_EQ(got[i].value, expected_rows[i].value) << i;
    EXPECT_EQ(got[i].help, expected_rows[i].help) << i;
  }
  EXPECT_EQ(platform().last_match_arg, is_help(p.which) ? -1 : 0);
  EXPECT_EQ(fs_sdb, nullptr);

  strings expected_calls;
  if (!is_installed(p.which)) expected_calls.push_back("cmd_vdc_get()");
  expected_calls.push_back(open_call);
  expected_calls.push_back(read_call(key_vdc));
  ASSERT_GT(standin::calls().size(), expected_calls.size());
  strings filter_calls(standin::calls().begin() + expected_calls.size(),
                       standin::calls().end() - 1);
  EXPECT_EQ(strings(standin::calls().begin(), standin::calls().begin() + expected_calls.size()),
            expected_calls);
  EXPECT_EQ(standin::calls().back(), framework_call(p.which, names, ""));
  size_t actions = 0, supports = 0;
  for (auto &call : filter_calls) {
    if (call == "cmd_req_action_is_set()") ++actions;
    if (call.rfind("is_ft_supported_by_vdc(1, ", 0) == 0) ++supports;
  }
  EXPECT_EQ(actions, p.action_queries);
  EXPECT_EQ(supports, p.support_queries);
  EXPECT_EQ(actions + supports, filter_calls.size());
}

const fs_sets one_five_seven = {{1, "base"}, {5, "fex"}, {7, "mpls"}};
const fs_sets wide_ids = {{31, "id31"}, {32, "id32"}, {63, "id63"},
                          {64, "id64"}, {65, "id65"}, {69, "id69"}};

int32_t none_supported(uint32_t) {
  return 0;
}
int32_t all_but_7(uint32_t id) {
  return id == 7 ? 0 : 1;
}
int32_t all_but_1(uint32_t id) {
  return id == 1 ? 0 : 1;
}

// action: whether the request's action flag is set; queries: {support, action}.
fs_case list_case(const char *label, callback which, fs_sets sets, int32_t action,
                  int32_t (*supported)(uint32_t), fs_sets rows,
                  std::pair<uint32_t, uint32_t> queries) {
  return {label,     which,           std::move(sets), action,
          supported, std::move(rows), queries.first,   queries.second};
}

INSTANTIATE_TEST_SUITE_P(
    lists, feature_set_test,
    testing::Values(
        list_case("allowed_help_leaves_out_5", allowed_help, one_five_seven, 0, all_supported,
                  {{1, "base"}, {7, "mpls"}}, {0, 2}),
        list_case("installed_help_leaves_out_1_and_5", installed_help, one_five_seven, 1,
                  all_supported, {{7, "mpls"}}, {0, 0}),
        list_case("allowed_match_takes_all", allowed_match, one_five_seven, 0, all_supported,
                  one_five_seven, {0, 3}),
        list_case("installed_match_takes_all", installed_match, one_five_seven, 1, all_supported,
                  one_five_seven, {0, 0}),
        list_case("allowed_match_support_filter", allowed_match, one_five_seven, 1, all_but_7,
                  {{1, "base"}, {5, "fex"}}, {3, 3}),
        list_case("allowed_help_support_filter", allowed_help, one_five_seven, 1, all_but_1,
                  {{7, "mpls"}}, {2, 2}),
        list_case("allowed_help_none_supported", allowed_help, one_five_seven, 1, none_supported,
                  {}, {2, 2}),
        list_case("allowed_match_none_supported", allowed_match, one_five_seven, 1, none_supported,
                  {}, {3, 3}),
        list_case("installed_help_ignores_support", installed_help, one_five_seven, 1,
                  none_supported, {{7, "mpls"}}, {0, 0}),
        list_case("allowed_help_count_0", allowed_help, {}, 0, all_supported, {}, {0, 0}),
        list_case("allowed_match_count_0", allowed_match, {}, 0, all_supported, {}, {0, 0}),
        list_case("installed_help_count_0", installed_help, {}, 0, all_supported, {}, {0, 0}),
        list_case("installed_match_count_0", installed_match, {}, 0, all_supported, {}, {0, 0}),
        list_case("allowed_help_all_excluded", allowed_help, {{5, "fex"}}, 0, all_supported, {},
                  {0, 0}),
        list_case("installed_help_all_excluded", installed_help, {{1, "base"}, {5, "fex"}}, 0,
                  all_supported, {}, {0, 0}),
        list_case("installed_help_keeps_ids_from_31", installed_help, wide_ids, 0, all_supported,
                  wide_ids, {0, 0}),
        list_case("allowed_help_keeps_ids_from_31", allowed_help, wide_ids, 0, all_supported,
                  wide_ids, {0, 6}),
        list_case("name_of_31_characters", allowed_match, {{2, std::string(31, 'n')}}, 0,
                  all_supported, {{2, std::string(31, 'n')}}, {0, 1})),
    [](const auto &p) { return std::string(p.param.label); });

// The database paths that end in the fallback table.
struct db_case {
  const char *label;
  uint32_t sup_state;
  uint32_t open_result;
  std::optional<uint32_t> read_status;
  bool has_list;
  bool reads;  // sdb_read is called
};

class database_path_test : public testing::TestWithParam<std::tuple<db_case, callback>> {};

TEST_P(database_path_test, falls_back_and_leaves_no_copy) {
  const auto &[p, which] = GetParam();
  auto cmd = zms_test::command();
  g_cli_sup_state = p.sup_state;
  platform().sdb_open_result = p.open_result;
  platform().sdb_read_status = p.read_status;
  uint16_t key_vdc = is_installed(which) ? 0 : 1;
  if (p.has_list)
    platform().sdb_records[standin::fs_key(key_vdc)] = standin::fs_list({{7, "mpls"}});
  std::string out = run(which, cmd, "");

  strings expected;
  if (p.sup_state == 1) {
    if (!is_installed(which)) expected.push_back("cmd_vdc_get()");
    expected.push_back(open_call);
    if (p.reads) expected.push_back(read_call(key_vdc));
  }
  bool proceeds = p.sup_state == 1 && p.reads && p.has_list && !p.read_status;
  bool offered = proceeds || (p.read_status == 0u && p.has_list);
  if (offered && !is_installed(which)) expected.push_back("cmd_req_action_is_set()");
  expected.push_back(framework_call(which, offered ? strings{"mpls"} : fallback_names(which), ""));
  EXPECT_EQ(standin::calls(), expected);
  EXPECT_EQ(fs_sdb, nullptr);
  if (is_help(which)) {
    EXPECT_EQ(out, offered ? "  mpls              installed feature-set\n"
                           : "  ...nil...         No feature-sets currently available\n");
  }
  std::string uri_text = p.sup_state == 1 ? uri : "";
  EXPECT_EQ(std::string(vdc_sdb_uri_lib + 256), uri_text);
  EXPECT_EQ(vdc_sdb_uri_lib[0], '\0');
}

std::string database_case_name(const testing::TestParamInfo<std::tuple<db_case, callback>> &info) {
  const char *callbacks[] = {"allowed_match", "installed_match", "allowed_help", "installed_help"};
  return std::string(std::get<0>(info.param).label) + "_" + callbacks[std::get<1>(info.param)];
}

INSTANTIATE_TEST_SUITE_P(
    statuses, database_path_test,
    testing::Combine(
        testing::Values(db_case{"read", 1, 0, std::nullopt, true, true},
                        db_case{"already_open", 1, 0x411a0003, std::nullopt, true, true},
                        db_case{"open_fails", 1, 0x411a0004, std::nullopt, true, false},
                        db_case{"open_fails_1", 1, 1, std::nullopt, true, false},
                        db_case{"no_record", 1, 0, std::nullopt, false, true},
                        db_case{"no_record_status", 1, 0, 0x40480003u, true, true},
                        db_case{"read_fails", 1, 0, 0x40480004u, true, true},
                        db_case{"read_fails_1", 1, 0, 1u, true, true},
                        db_case{"status_0_without_data", 1, 0, 0u, false, true},
                        db_case{"sup_state_0", 0, 0, std::nullopt, true, false},
                        db_case{"sup_state_2", 2, 0, std::nullopt, true, false}),
        testing::Values(allowed_match, installed_match, allowed_help, installed_help)),
    database_case_name);

// Lists whose count and size disagree, or whose names are not terminated.
struct raw_case {
  const char *label;
  std::vector<uint8_t> list;
  strings names;  // empty: the fallback
};

std::vector<uint8_t> with_count(fs_sets sets, uint32_t count, size_t cut = 0) {
  auto list = standin::fs_list(sets);
  std::memcpy(list.data(), &count, sizeof count);
  list.resize(list.size() - cut);
  return list;
}

std::vector<uint8_t> unterminated_name() {
  auto list = standin::fs_list({{2, ""}, {3, "next"}});
  std::memset(list.data() + 8, 'x', 32);
  return list;
}

class raw_list_test : public testing::TestWithParam<raw_case> {};

TEST_P(raw_list_test, reads_only_whole_records) {
  const auto &p = GetParam();
  auto cmd = zms_test::command();
  platform().sdb_records[standin::fs_key(0)] = p.list;
  run(installed_match, cmd, "");
  EXPECT_EQ(standin::calls().back(),
            framework_call(installed_match, p.names.empty() ? strings{""} : p.names, ""));
  EXPECT_EQ(fs_sdb, nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    lists, raw_list_test,
    testing::Values(
        raw_case{"count_above_size", with_count({{1, "a"}, {2, "b"}}, 5), {"a", "b"}},
        raw_case{"huge_count", with_count({{1, "a"}}, 0xffffffffu), {"a"}},
        raw_case{"count_below_size", with_count({{1, "a"}, {2, "b"}, {3, "c"}}, 2), {"a", "b"}},
        raw_case{"partial_last_record", with_count({{1, "a"}, {2, "b"}}, 2, 10), {"a"}},
        raw_case{"partial_only_record", with_count({{1, "a"}}, 1, 1), {}},
        raw_case{"count_only", with_count({}, 3), {}}, raw_case{"shorter_than_count", {1, 0}, {}},
        raw_case{"empty_data", {}, {}},
        raw_case{"unterminated_name", unterminated_name(), {std::string(31, 'x'), "next"}}),
    [](const auto &p) { return std::string(p.param.label); });

// Each row's help is what fs_help points to at the time of the call.
TEST(feature_set_help_text_test, rows_take_the_current_help_pointer) {
  auto cmd = zms_test::command();
  platform().sdb_records[standin::fs_key(0)] = standin::fs_list({{7, "mpls"}});
  const char *saved = fs_help;
  fs_help = "another help";
  auto out = run(installed_help, cmd, "m");
  fs_help = saved;
  EXPECT_EQ(out, "  mpls              another help\n");
}

TEST(feature_set_match_test, returns_the_framework_record) {
  auto cmd = zms_test::command();
  platform().current_vdc = 0x00050002;
  platform().sdb_records[standin::fs_key(2)] = standin::fs_list(one_five_seven);
  cmd_match_result *result = vdc_mgr_show_allowed_fs_match(&cmd, "mp");
  ASSERT_NE(result, nullptr);
  EXPECT_EQ(result->status, 2u);
  ASSERT_NE(result->value, nullptr);
  EXPECT_EQ(*static_cast<uint32_t *>(result->value), 7u);
  EXPECT_EQ(platform().last_word, "mp");
  EXPECT_EQ(standin::calls()[2], read_call(2));
  standin::free_match(result);
}

// A current VDC whose low 16 bits are 0 reads as VDC 0: no support filter.
TEST(feature_set_match_test, vdc_number_zero_turns_the_support_filter_off) {
  auto cmd = zms_test::command();
  cmd.action_set = 1;
  platform().current_vdc = 0x00010000;
  platform().ft_supported = [](uint32_t) { return 0; };
  platform().sdb_records[standin::fs_key(0)] = standin::fs_list(one_five_seven);
  run(allowed_match, cmd, "");
  EXPECT_EQ(standin::calls(),
            (strings{"cmd_vdc_get()", open_call, read_call(0),
                     framework_call(allowed_match, {"base", "fex", "mpls"}, "")}));
}

TEST(feature_set_match_test, support_query_names_each_record) {
  auto cmd = zms_test::command();
  cmd.action_set = 1;
  platform().current_vdc = 3;
  platform().sdb_records[standin::fs_key(3)] = standin::fs_list({{9, "a"}, {5, "b"}});
  run(allowed_help, cmd, "");
  EXPECT_EQ(
      standin::calls(),
      (strings{"cmd_vdc_get()", open_call, read_call(3), "cmd_req_action_is_set()",
               "is_ft_supported_by_vdc(1, 9, 0, 0)", framework_call(allowed_help, {"a"}, "")}));
}

}  // namespace
