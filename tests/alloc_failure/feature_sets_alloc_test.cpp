// Feature-set callbacks with each of their allocations failing in turn: the fallback table
// stands in, fs_sdb is cleared and nothing is left behind.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "capture.h"
#include "support.h"

namespace {

using alloc_countdown::allocation;
using alloc_countdown::origin;
using strings = std::vector<std::string>;

enum callback { allowed_match, allowed_help, installed_help };

struct fs_alloc_case {
  const char *label;
  callback which;
  bool has_list;
  strings offered;      // rows handed to the framework with nothing failing
  strings allocations;  // the library's own, with nothing failing
};

std::string size_of_list(size_t records) {
  return std::to_string(4 + 36 * records);
}
std::string size_of_table(size_t rows) {
  return std::to_string(rows * sizeof(cmd_enum_entry));
}

strings names_seen() {
  strings names;
  for (auto &row : standin::platform().last_table)
    names.push_back(row.name);
  return names;
}

class feature_set_alloc_test : public testing::TestWithParam<fs_alloc_case> {
 protected:
  void run_with_failures(cmd_ctx &cmd, const strings &fallback);

  cmd_match_result *call(cmd_ctx &cmd) {
    switch (GetParam().which) {
      case allowed_match:
        return vdc_mgr_show_allowed_fs_match(&cmd, "mpls");
      case allowed_help:
        vdc_mgr_show_allowed_fs_help(&cmd, "");
        return nullptr;
      case installed_help:
        vdc_mgr_show_installed_fs_help(&cmd, "");
        return nullptr;
    }
    return nullptr;
  }
};

TEST_P(feature_set_alloc_test, falls_back_and_frees_everything) {
  const auto &param = GetParam();
  standin::reset();
  if (param.has_list)
    standin::platform().sdb_records[standin::fs_key(1)] =
        standin::fs_list({{1, "base"}, {5, "fex"}, {7, "mpls"}});
  cmd_ctx cmd;
  strings fallback = {param.which == allowed_match ? "" : "...nil..."};
  // Help output goes to a file opened before the count starts.
  zms_test::capture_stdout([&] { run_with_failures(cmd, fallback); });
  EXPECT_EQ(alloc_support::library_allocations(), param.allocations);
}

void feature_set_alloc_test::run_with_failures(cmd_ctx &cmd, const strings &fallback) {
  const auto &param = GetParam();
  alloc_support::for_each_failure(
      [&] { return call(cmd); },
      [&](cmd_match_result *result, const allocation *failed) {
        SCOPED_TRACE(failed ? "allocation of " + std::to_string(failed->size) + " failing"
                            : "nothing failing");
        bool library_failed = failed != nullptr && failed->from == origin::library;
        EXPECT_EQ(names_seen(), library_failed ? fallback : param.offered);
        EXPECT_EQ(fs_sdb, nullptr);
        if (param.which == allowed_match) {
          // A framework that runs out of memory answers NULL, and that is passed on.
          bool framework_failed = failed != nullptr && failed->from == origin::standin;
          EXPECT_EQ(result == nullptr, framework_failed);
          if (result != nullptr) {
            EXPECT_EQ(result->status, library_failed ? 0u : 2u);
          }
        }
        EXPECT_EQ(alloc_countdown::live(), alloc_support::blocks_of(result));
        standin::free_match(result);
      });
}

INSTANTIATE_TEST_SUITE_P(
    callbacks, feature_set_alloc_test,
    testing::Values(
        fs_alloc_case{"allowed_match",
                      allowed_match,
                      true,
                      {"base", "fex", "mpls"},
                      {"malloc " + size_of_list(3), "calloc " + size_of_table(4)}},
        fs_alloc_case{"allowed_help",
                      allowed_help,
                      true,
                      {"base", "mpls"},
                      {"malloc " + size_of_list(3), "calloc " + size_of_table(4)}},
        fs_alloc_case{
            "installed_help_no_record", installed_help, false, {"...nil..."}, {"calloc 4"}}),
    [](const auto &p) { return std::string(p.param.label); });

}  // namespace
