// Feature-set callbacks: the database read, the filters, the table handed to the framework
// and what is left afterwards.
#include <cstring>
#include <optional>

#include "capture.h"

namespace {

using standin::platform;
using zms_test::strings;
using zms_test::operator+;
using fs_sets = std::vector<std::pair<uint32_t, std::string>>;

const char uri[] = "volatile:/dev/shm/vdc_mgr_sdb";
const char open_call[] = R"(sdb_open("volatile:/dev/shm/vdc_mgr_sdb", 1, 0, 0, 0))";

std::string read_call(uint16_t vdc) {
  std::string shown;
  for (unsigned char byte : standin::fs_key(vdc))
    shown.append(shown.empty() ? "" : " ").append(std::to_string(byte));
  return R"(sdb_read("volatile:/dev/shm/vdc_mgr_sdb", [)" + shown + "])";
}

enum callback { allowed_match, installed_match, allowed_help, installed_help };
const char *const callback_names[] = {"allowed_match", "installed_match", "allowed_help",
                                      "installed_help"};
bool is_help(callback c) {
  return c == allowed_help || c == installed_help;
}
bool is_installed(callback c) {
  return c == installed_match || c == installed_help;
}

// Runs a callback the way the framework does and gives what it printed; match results are
// freed here.
std::string run(callback c, cmd_ctx &cmd, const char *word = "") {
  platform().help_status = 0x21;
  return zms_test::capture_stdout([&] {
    if (is_help(c)) {
      auto help = c == allowed_help ? vdc_mgr_show_allowed_fs_help : vdc_mgr_show_installed_fs_help;
      EXPECT_EQ(help(&cmd, word), 0x21);
      return;
    }
    auto match =
        c == allowed_match ? vdc_mgr_show_allowed_fs_match : vdc_mgr_show_installed_fs_match;
    cmd_match_result *result = match(&cmd, word);
    EXPECT_NE(result, nullptr);
    standin::free_match(result);
  });
}

// The framework call with the names of the table's rows; the fallback's row when empty.
std::string framework_call(callback c, strings names, const char *word = "") {
  if (names.empty()) names = {is_help(c) ? "...nil..." : ""};
  std::string listed;
  for (auto &name : names)
    listed += (listed.empty() ? "\"" : ", \"") + name + "\"";
  std::string args = "[" + listed + "], \"" + word + "\"";
  return is_help(c) ? "cmd_enum_help(" + args + ")" : "cmd_enum_match(" + args + ", 0)";
}

const uint32_t any = 0xffffffff;

struct fs_case {
  const char *label;
  callback which;
  fs_sets sets;
  int32_t action_set;
  uint32_t unsupported;      // the id is_ft_supported_by_vdc refuses; `any` refuses all
  fs_sets rows;              // empty: the fallback table
  uint32_t support_queries;  // is_ft_supported_by_vdc calls
  uint32_t action_queries;   // cmd_req_action_is_set calls
};

class feature_set_test : public testing::TestWithParam<fs_case> {};

TEST_P(feature_set_test, offers_the_rows_that_pass_the_filters) {
  const auto &p = GetParam();
  auto cmd = zms_test::command();
  cmd.action_set = p.action_set;
  platform().current_vdc = 3;
  platform().ft_supported = [u = p.unsupported](uint32_t id) {
    return u == any || id == u ? 0 : 1;
  };
  uint16_t key_vdc = is_installed(p.which) ? 0 : 3;
  platform().sdb_records[standin::fs_key(key_vdc)] = standin::fs_list(p.sets);
  run(p.which, cmd);

  // Each row as name/value/help; the fallback's own row when nothing passes.
  strings expected, names, got;
  for (auto &[id, name] : p.rows) {
    expected.push_back(name + "/" + std::to_string(id) + "/installed feature-set");
    names.push_back(name);
  }
  if (p.rows.empty())
    expected = {is_help(p.which) ? "...nil.../0/No feature-sets currently available" : "/0/"};
  for (auto &row : platform().last_table)
    got.push_back(row.name + "/" + std::to_string(row.value) + "/" + row.help);
  EXPECT_EQ(got, expected);
  EXPECT_EQ(fs_sdb, nullptr);

  strings reads = strings{open_call, read_call(key_vdc)};
  if (!is_installed(p.which)) reads.insert(reads.begin(), "cmd_vdc_get()");
  const strings &calls = standin::calls();
  ASSERT_GT(calls.size(), reads.size());
  EXPECT_EQ(strings(calls.begin(), calls.begin() + reads.size()), reads);
  EXPECT_EQ(calls.back(), framework_call(p.which, names));
  size_t actions = 0, supports = 0;
  for (auto call = calls.begin() + reads.size(); call != calls.end() - 1; ++call) {
    if (*call == "cmd_req_action_is_set()") ++actions;
    if (call->rfind("is_ft_supported_by_vdc(1, ", 0) == 0) ++supports;
  }
  EXPECT_EQ(actions, p.action_queries);
  EXPECT_EQ(supports, p.support_queries);
  EXPECT_EQ(actions + supports, calls.size() - reads.size() - 1);
}

const fs_sets one_five_seven = {{1, "base"}, {5, "fex"}, {7, "mpls"}};
const fs_sets wide_ids = {{31, "id31"}, {32, "id32"}, {63, "id63"}, {64, "id64"}, {65, "id65"}};
const fs_case lists[] = {
    // label, callback, list, action flag, unsupported id, rows offered, support and action
    // queries
    {"allowed_help_leaves_out_5", allowed_help, one_five_seven, 0, 0,
     fs_sets{{1, "base"}, {7, "mpls"}}, 0, 2},
    {"installed_help_leaves_out_1_and_5", installed_help, one_five_seven, 1, 0,
     fs_sets{{7, "mpls"}}, 0, 0},
    {"allowed_match_takes_all", allowed_match, one_five_seven, 0, 0, one_five_seven, 0, 3},
    {"installed_match_takes_all", installed_match, one_five_seven, 1, 0, one_five_seven, 0, 0},
    {"allowed_match_support_filter", allowed_match, one_five_seven, 1, 7,
     fs_sets{{1, "base"}, {5, "fex"}}, 3, 3},
    {"allowed_help_support_filter", allowed_help, one_five_seven, 1, 1, fs_sets{{7, "mpls"}}, 2, 2},
    {"allowed_match_none_supported", allowed_match, one_five_seven, 1, any, fs_sets{}, 3, 3},
    {"installed_help_ignores_support", installed_help, one_five_seven, 1, any, fs_sets{{7, "mpls"}},
     0, 0},
    {"allowed_help_count_0", allowed_help, fs_sets{}, 0, 0, fs_sets{}, 0, 0},
    {"allowed_match_count_0", allowed_match, fs_sets{}, 0, 0, fs_sets{}, 0, 0},
    {"allowed_help_all_excluded", allowed_help, fs_sets{{5, "fex"}}, 0, 0, fs_sets{}, 0, 0},
    {"installed_help_all_excluded", installed_help, fs_sets{{1, "base"}, {5, "fex"}}, 0, 0,
     fs_sets{}, 0, 0},
    {"installed_help_keeps_ids_from_31", installed_help, wide_ids, 0, 0, wide_ids, 0, 0},
    {"name_of_31_characters", allowed_match, fs_sets{{2, std::string(31, 'n')}}, 0, 0,
     fs_sets{{2, std::string(31, 'n')}}, 0, 1},
};

INSTANTIATE_TEST_SUITE_P(lists, feature_set_test, testing::ValuesIn(lists),
                         zms_test::by_label<fs_case>);

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
  std::string out = run(which, cmd);

  strings expected;
  if (p.sup_state == 1) {
    if (!is_installed(which)) expected.push_back("cmd_vdc_get()");
    expected.push_back(open_call);
    if (p.reads) expected.push_back(read_call(key_vdc));
  }
  bool offered = p.sup_state == 1 && p.reads && p.has_list && p.read_status.value_or(0) == 0;
  if (offered && !is_installed(which)) expected.push_back("cmd_req_action_is_set()");
  expected.push_back(framework_call(which, offered ? strings{"mpls"} : strings{}));
  EXPECT_EQ(standin::calls(), expected);
  EXPECT_EQ(fs_sdb, nullptr);
  if (is_help(which)) {
    EXPECT_EQ(out, offered ? "  mpls              installed feature-set\n"
                           : "  ...nil...         No feature-sets currently available\n");
  }
  EXPECT_EQ(std::string(vdc_sdb_uri_lib + 256), p.sup_state == 1 ? uri : "");
  EXPECT_EQ(vdc_sdb_uri_lib[0], '\0');
}

const db_case databases[] = {
    // label, g_cli_sup_state, sdb_open result, forced read status, list kept, read made
    {"read", 1, 0, std::nullopt, true, true},
    {"already_open", 1, 0x411a0003, std::nullopt, true, true},
    {"open_fails", 1, 0x411a0004, std::nullopt, true, false},
    {"no_record", 1, 0, std::nullopt, false, true},
    {"no_record_status", 1, 0, 0x40480003u, true, true},
    {"read_fails", 1, 0, 0x40480004u, true, true},
    {"status_0_without_data", 1, 0, 0u, false, true},
    {"sup_state_0", 0, 0, std::nullopt, true, false},
    {"sup_state_2", 2, 0, std::nullopt, true, false},
};

std::string database_case_name(const testing::TestParamInfo<database_path_test::ParamType> &p) {
  return std::string(std::get<0>(p.param).label) + "_" + callback_names[std::get<1>(p.param)];
}

INSTANTIATE_TEST_SUITE_P(statuses, database_path_test,
                         testing::Combine(testing::ValuesIn(databases),
                                          testing::Values(allowed_match, installed_match,
                                                          allowed_help, installed_help)),
                         database_case_name);

// Lists whose count and size disagree, or whose names are not terminated: only whole
// records are read.
TEST(feature_set_list_test, reads_only_whole_records) {
  auto with_count = [](fs_sets sets, uint32_t count, size_t cut = 0) {
    auto list = standin::fs_list(sets);
    std::memcpy(list.data(), &count, sizeof count);
    list.resize(list.size() - cut);
    return list;
  };
  auto unterminated = standin::fs_list({{2, ""}, {3, "next"}});
  std::memset(unterminated.data() + 8, 'x', 32);
  const std::pair<std::vector<uint8_t>, strings> cases[] = {
      {with_count({{1, "a"}, {2, "b"}}, 5), {"a", "b"}},
      {with_count({{1, "a"}}, 0xffffffffu), {"a"}},
      {with_count({{1, "a"}, {2, "b"}, {3, "c"}}, 2), {"a", "b"}},
      {with_count({{1, "a"}, {2, "b"}}, 2, 10), {"a"}},
      {with_count({{1, "a"}}, 1, 1), {}},
      {with_count({}, 3), {}},
      {{1, 0}, {}},
      {{}, {}},
      {unterminated, {std::string(31, 'x'), "next"}},
  };
  for (const auto &[list, names] : cases) {
    auto cmd = zms_test::command();
    platform().sdb_records[standin::fs_key(0)] = list;
    run(installed_match, cmd);
    EXPECT_EQ(standin::calls().back(), framework_call(installed_match, names));
    EXPECT_EQ(fs_sdb, nullptr);
  }
}

// Each row's help is what fs_help points to at the time of the call.
TEST(feature_set_help_test, rows_take_the_current_help_pointer) {
  auto cmd = zms_test::command();
  platform().sdb_records[standin::fs_key(0)] = standin::fs_list({{7, "mpls"}});
  const char *saved = fs_help;
  fs_help = "another help";
  auto out = run(installed_help, cmd, "m");
  fs_help = saved;
  EXPECT_EQ(out, "  mpls              another help\n");
}

TEST(feature_set_match_test, returns_the_framework_record_for_the_vdc_number) {
  auto cmd = zms_test::command();
  platform().current_vdc = 0x00050002;
  platform().sdb_records[standin::fs_key(2)] = standin::fs_list(one_five_seven);
  cmd_match_result *result = vdc_mgr_show_allowed_fs_match(&cmd, "mp");
  ASSERT_NE(result, nullptr);
  EXPECT_EQ(result->status, 2u);
  ASSERT_NE(result->value, nullptr);
  EXPECT_EQ(*static_cast<uint32_t *>(result->value), 7u);
  EXPECT_EQ(standin::calls()[2], read_call(2));
  EXPECT_EQ(standin::calls().back(), framework_call(allowed_match, {"base", "fex", "mpls"}, "mp"));
  standin::free_match(result);
}

// A current VDC whose low 16 bits are 0 reads as VDC 0: no support filter.
TEST(feature_set_match_test, vdc_number_zero_turns_the_support_filter_off) {
  auto cmd = zms_test::command();
  cmd.action_set = 1;
  platform().current_vdc = 0x00010000;
  platform().ft_supported = [](uint32_t) { return 0; };
  platform().sdb_records[standin::fs_key(0)] = standin::fs_list(one_five_seven);
  run(allowed_match, cmd);
  EXPECT_EQ(standin::calls(), (strings{"cmd_vdc_get()", open_call, read_call(0),
                                       framework_call(allowed_match, {"base", "fex", "mpls"})}));
}

TEST(feature_set_help_test, support_query_names_each_record) {
  auto cmd = zms_test::command();
  cmd.action_set = 1;
  platform().current_vdc = 3;
  platform().sdb_records[standin::fs_key(3)] = standin::fs_list({{9, "a"}, {5, "b"}});
  run(allowed_help, cmd);
  EXPECT_EQ(standin::calls(),
            (strings{"cmd_vdc_get()", open_call, read_call(3), "cmd_req_action_is_set()",
                     "is_ft_supported_by_vdc(1, 9, 0, 0)", framework_call(allowed_help, {"a"})}));
}

}  // namespace
