// Feature-set callbacks with each of their allocations failing in turn: the fallback table
// stands in, fs_sdb is cleared and nothing is left behind.
#include "alloc_countdown.h"
#include "capture.h"

namespace {

using alloc_countdown::allocation;
using alloc_countdown::origin;
using zms_test::strings;

enum callback { allowed_match, allowed_help, installed_help };

struct fs_alloc_case {
  const char *label;
  callback which;
  bool has_list;
  strings offered;      // rows handed to the framework with nothing failing
  strings allocations;  // the library's own, with nothing failing
};

strings names_seen() {
  strings names;
  for (auto &row : standin::platform().last_table)
    names.push_back(row.name);
  return names;
}

cmd_match_result *call(callback which, cmd_ctx &cmd) {
  if (which == allowed_match) return vdc_mgr_show_allowed_fs_match(&cmd, "mpls");
  (which == allowed_help ? vdc_mgr_show_allowed_fs_help : vdc_mgr_show_installed_fs_help)(&cmd, "");
  return nullptr;
}

ZMS_PRINTS_AS(fs_alloc_case, label)

class feature_set_alloc_test : public testing::TestWithParam<fs_alloc_case> {};

TEST_P(feature_set_alloc_test, falls_back_and_frees_everything) {
  const auto &c = GetParam();
  auto cmd = zms_test::command();
  if (c.has_list)
    standin::platform().sdb_records[standin::fs_key(1)] =
        standin::fs_list({{1, "base"}, {5, "fex"}, {7, "mpls"}});
  strings fallback = {c.which == allowed_match ? "" : "...nil..."};
  // Help output goes to a file opened before the count starts.
  zms_test::capture_stdout([&] {
    alloc_countdown::for_each_failure(
        [&] { return call(c.which, cmd); },
        [&](cmd_match_result *result, const allocation *failed) {
          SCOPED_TRACE(failed ? "allocation of " + std::to_string(failed->size) + " failing"
                              : "nothing failing");
          bool library_failed = failed != nullptr && failed->from == origin::library;
          EXPECT_EQ(names_seen(), library_failed ? fallback : c.offered);
          EXPECT_EQ(fs_sdb, nullptr);
          if (c.which == allowed_match) {
            // A framework that runs out of memory answers NULL, and that is passed on.
            EXPECT_EQ(result == nullptr, failed != nullptr && failed->from == origin::standin);
            EXPECT_TRUE(result == nullptr || result->status == (library_failed ? 0u : 2u));
          }
          EXPECT_EQ(alloc_countdown::live(), alloc_countdown::blocks_of(result));
          standin::free_match(result);
        });
  });
  EXPECT_EQ(alloc_countdown::library_allocations(), c.allocations);
}

const std::string list_of_3 = "malloc " + std::to_string(4 + 36 * 3);
const std::string table_of_4 = "calloc " + std::to_string(4 * sizeof(cmd_enum_entry));

const fs_alloc_case callbacks[] = {
    // label, callback, list kept, rows offered, allocations
    {"allowed_match", allowed_match, true, strings{"base", "fex", "mpls"},
     strings{list_of_3, table_of_4}},
    {"allowed_help", allowed_help, true, strings{"base", "mpls"}, strings{list_of_3, table_of_4}},
    {"installed_help_no_record", installed_help, false, strings{"...nil..."}, strings{"calloc 4"}},
};

INSTANTIATE_TEST_SUITE_P(callbacks, feature_set_alloc_test, testing::ValuesIn(callbacks),
                         zms_test::by_label<fs_alloc_case>);

// A read that reports status 0 without data still gets its copy: one block, freed again.
TEST(feature_set_alloc_test, copies_even_an_empty_read) {
  auto cmd = zms_test::command();
  standin::platform().sdb_read_status = 0u;
  zms_test::capture_stdout([&] {
    alloc_countdown::arm(alloc_countdown::never);
    vdc_mgr_show_installed_fs_help(&cmd, "");
    alloc_countdown::disarm();
  });
  EXPECT_EQ(alloc_countdown::library_allocations().size(), 1u);
  EXPECT_TRUE(alloc_countdown::live().empty());
  EXPECT_EQ(names_seen(), strings{"...nil..."});
}

}  // namespace
