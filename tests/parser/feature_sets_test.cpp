// Feature-set callbacks: the database read, the filters, the table handed to the framework
// and no copy left afterwards.
#include <cstring>
#include <optional>

#include "capture.h"

namespace {

using standin::platform;
using zms_test::strings;
using fs_sets = std::vector<std::pair<uint32_t, std::string>>;

const std::string open_db = R"(sdb_open("volatile:/dev/shm/vdc_mgr_sdb", 1, 0, 0, 0))";
const std::string action = "cmd_req_action_is_set()";

std::string read_db(uint16_t vdc) {
  std::string shown;
  for (unsigned char byte : standin::fs_key(vdc))
    shown += (shown.empty() ? "" : " ") + std::to_string(byte);
  return R"(sdb_read("volatile:/dev/shm/vdc_mgr_sdb", [)" + shown + "])";
}
std::string supported(uint32_t id) {
  return "is_ft_supported_by_vdc(1, " + std::to_string(id) + ", 0, 0)";
}

enum callback { allowed_match, installed_match, allowed_help, installed_help };

struct fs_case {
  const char *label;
  callback which;
  fs_sets sets = {};
  int32_t action_set = 0;
  uint32_t unsupported = 0;  // the id is_ft_supported_by_vdc refuses; all = every id
  uint32_t sup_state = 1, open_result = 0;
  std::optional<uint32_t> read_status = std::nullopt;
  strings calls = {};      // the framework call with the names of the rows offered is last
  std::string shown = "";  // what a help callback prints
};
constexpr uint32_t all = 0xffffffff;

void PrintTo(const fs_case &c, std::ostream *os) {
  *os << c.label;
}

class feature_set_test : public testing::TestWithParam<fs_case> {};

// In VDC 3; the installed list is kept under VDC 0, the allowed one under the VDC.
TEST_P(feature_set_test, offers_the_rows_that_pass_the_filters) {
  const fs_case &c = GetParam();
  auto cmd = zms_test::command();
  cmd.action_set = c.action_set;
  g_cli_sup_state = c.sup_state;
  platform().current_vdc = 3;
  platform().sdb_open_result = c.open_result;
  platform().sdb_read_status = c.read_status;
  platform().help_status = 0x21;
  platform().ft_supported = [u = c.unsupported](uint32_t id) {
    return u == all || id == u ? 0 : 1;
  };
  bool installed = c.which == installed_match || c.which == installed_help;
  platform().sdb_records[standin::fs_key(installed ? 0 : 3)] = standin::fs_list(c.sets);
  std::string out = zms_test::capture_stdout([&] {
    if (c.which == allowed_help || c.which == installed_help) {
      auto help =
          c.which == allowed_help ? vdc_mgr_show_allowed_fs_help : vdc_mgr_show_installed_fs_help;
      EXPECT_EQ(help(&cmd, ""), 0x21);
      return;
    }
    auto match =
        c.which == allowed_match ? vdc_mgr_show_allowed_fs_match : vdc_mgr_show_installed_fs_match;
    cmd_match_result *result = match(&cmd, "");
    EXPECT_NE(result, nullptr);
    standin::free_match(result);
  });
  EXPECT_EQ(standin::calls(), c.calls);
  EXPECT_EQ(out, c.shown);
  EXPECT_EQ(fs_sdb, nullptr);
  EXPECT_EQ(std::string(vdc_sdb_uri_lib + 256),
            c.sup_state == 1 ? "volatile:/dev/shm/vdc_mgr_sdb" : "");
  EXPECT_EQ(vdc_sdb_uri_lib[0], '\0');
}

const fs_sets sets_1_5_7 = {{1, "base"}, {5, "fex"}, {7, "mpls"}};
const std::string no_sets = "  ...nil...         No feature-sets currently available\n";

// clang-format off
const fs_case lists[] = {
    {.label = "allowed_help_leaves_out_5", .which = allowed_help, .sets = sets_1_5_7,
     .calls = {"cmd_vdc_get()", open_db, read_db(3), action, action,
               R"(cmd_enum_help(["base", "mpls"], ""))"},
     .shown = "  base              installed feature-set\n  mpls              installed feature-set\n"},
    {.label = "installed_help_leaves_out_1_and_5", .which = installed_help, .sets = sets_1_5_7,
     .action_set = 1, .calls = {open_db, read_db(0), R"(cmd_enum_help(["mpls"], ""))"},
     .shown = "  mpls              installed feature-set\n"},
    {.label = "installed_match_takes_all_unasked", .which = installed_match, .sets = sets_1_5_7,
     .action_set = 1, .unsupported = all,
     .calls = {open_db, read_db(0), R"(cmd_enum_match(["base", "fex", "mpls"], "", 0))"}},
    {.label = "allowed_match_without_action_asks_no_support", .which = allowed_match,
     .sets = sets_1_5_7, .unsupported = all,
     .calls = {"cmd_vdc_get()", open_db, read_db(3), action, action, action,
               R"(cmd_enum_match(["base", "fex", "mpls"], "", 0))"}},
    {.label = "allowed_match_support_filter", .which = allowed_match, .sets = sets_1_5_7,
     .action_set = 1, .unsupported = 7,
     .calls = {"cmd_vdc_get()", open_db, read_db(3), action, supported(1), action, supported(5),
               action, supported(7), R"(cmd_enum_match(["base", "fex"], "", 0))"}},
    {.label = "allowed_help_none_supported", .which = allowed_help, .sets = {{9, "a"}},
     .action_set = 1, .unsupported = all,
     .calls = {"cmd_vdc_get()", open_db, read_db(3), action, supported(9),
               R"(cmd_enum_help(["...nil..."], ""))"},
     .shown = no_sets},
    {.label = "allowed_match_count_0", .which = allowed_match,
     .calls = {"cmd_vdc_get()", open_db, read_db(3), R"(cmd_enum_match([""], "", 0))"}},
    {.label = "installed_help_keeps_ids_from_31", .which = installed_help,
     .sets = {{31, "id31"}, {32, "id32"}, {63, "id63"}, {64, "id64"}, {65, "id65"}},
     .calls = {open_db, read_db(0), R"(cmd_enum_help(["id31", "id32", "id63", "id64", "id65"], ""))"},
     .shown = "  id31              installed feature-set\n  id32              installed feature-set\n"
              "  id63              installed feature-set\n  id64              installed feature-set\n"
              "  id65              installed feature-set\n"},
    {.label = "name_of_31_characters", .which = installed_match, .sets = {{2, std::string(31, 'n')}},
     .calls = {open_db, read_db(0), R"(cmd_enum_match([")" + std::string(31, 'n') + R"("], "", 0))"}},
    // The database paths: an open that finds the database already open still reads; every
    // other failure ends in the fallback table.
    {.label = "already_open_reads", .which = installed_help, .sets = {{7, "mpls"}},
     .open_result = 0x411a0003, .calls = {open_db, read_db(0), R"(cmd_enum_help(["mpls"], ""))"},
     .shown = "  mpls              installed feature-set\n"},
    {.label = "open_fails", .which = installed_help, .sets = {{7, "mpls"}}, .open_result = 0x411a0004,
     .calls = {open_db, R"(cmd_enum_help(["...nil..."], ""))"}, .shown = no_sets},
    {.label = "no_record", .which = allowed_match, .read_status = 0x40480003,
     .calls = {"cmd_vdc_get()", open_db, read_db(3), R"(cmd_enum_match([""], "", 0))"}},
    {.label = "read_fails", .which = installed_match, .sets = {{7, "mpls"}}, .read_status = 0x40480004,
     .calls = {open_db, read_db(0), R"(cmd_enum_match([""], "", 0))"}},
    {.label = "sup_state_0_reads_nothing", .which = allowed_help, .sets = {{7, "mpls"}},
     .sup_state = 0, .calls = {R"(cmd_enum_help(["...nil..."], ""))"}, .shown = no_sets},
    {.label = "sup_state_2_reads_nothing", .which = installed_match, .sets = {{7, "mpls"}},
     .sup_state = 2, .calls = {R"(cmd_enum_match([""], "", 0))"}},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(lists, feature_set_test, testing::ValuesIn(lists),
                         [](const testing::TestParamInfo<fs_case> &row) {
                           return row.param.label;
                         });

std::string offered_names() {
  return standin::calls().back();
}

// Lists whose count and size disagree, or whose names are not terminated: only whole
// records are read.
TEST(feature_set_list_test, reads_only_whole_records) {
  auto with_count = [](fs_sets sets, uint32_t count, size_t cut) {
    auto list = standin::fs_list(sets);
    std::memcpy(list.data(), &count, sizeof count);
    list.resize(list.size() - cut);
    return list;
  };
  auto unterminated = standin::fs_list({{2, ""}, {3, "next"}});
  std::memset(unterminated.data() + 8, 'x', 32);
  const std::pair<std::vector<uint8_t>, std::string> cases[] = {
      {with_count({{1, "a"}, {2, "b"}}, 5, 0), R"(["a", "b"])"},
      {with_count({{1, "a"}, {2, "b"}, {3, "c"}}, 2, 0), R"(["a", "b"])"},
      {with_count({{1, "a"}, {2, "b"}}, 2, 10), R"(["a"])"},
      {with_count({{1, "a"}}, 0xffffffffu, 1), R"([""])"},
      {{1, 0}, R"([""])"},
      {unterminated, R"([")" + std::string(31, 'x') + R"(", "next"])"},
  };
  for (const auto &[list, names] : cases) {
    auto cmd = zms_test::command();
    platform().sdb_records[standin::fs_key(0)] = list;
    standin::free_match(vdc_mgr_show_installed_fs_match(&cmd, ""));
    EXPECT_EQ(offered_names(), "cmd_enum_match(" + names + R"(, "", 0))");
    EXPECT_EQ(fs_sdb, nullptr);
  }
}

// The VDC number is the current VDC's low 16 bits: VDC 0 turns the support filter off.
TEST(feature_set_match_test, reads_the_list_of_the_low_half_and_returns_the_framework_record) {
  auto cmd = zms_test::command();
  cmd.action_set = 1;
  platform().current_vdc = 0x00010000;
  platform().ft_supported = [](uint32_t) { return 0; };
  platform().sdb_records[standin::fs_key(0)] = standin::fs_list({{7, "mpls"}});
  cmd_match_result *result = vdc_mgr_show_allowed_fs_match(&cmd, "mp");
  EXPECT_EQ(standin::calls(), (strings{"cmd_vdc_get()", open_db, read_db(0),
                                       R"(cmd_enum_match(["mpls"], "mp", 0))"}));
  ASSERT_NE(result, nullptr);
  EXPECT_EQ(result->status, 2u);
  EXPECT_EQ(*static_cast<uint32_t *>(result->value), 7u);
  standin::free_match(result);
}

// Each row's help is what fs_help points to at the time of the call.
TEST(feature_set_help_test, rows_take_the_current_help_pointer) {
  auto cmd = zms_test::command();
  platform().sdb_records[standin::fs_key(0)] = standin::fs_list({{7, "mpls"}});
  const char *saved = fs_help;
  fs_help = "another help";
  auto out = zms_test::capture_stdout([&] { vdc_mgr_show_installed_fs_help(&cmd, "m"); });
  fs_help = saved;
  EXPECT_EQ(out, "  mpls              another help\n");
}

}  // namespace
