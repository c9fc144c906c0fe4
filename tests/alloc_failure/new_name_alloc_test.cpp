// The new-name match with each of its allocations failing in turn: every failure takes its
// path, and no block is left that the returned record does not hold.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "support.h"

namespace {

using alloc_countdown::allocation;
using alloc_countdown::kind;
using alloc_countdown::origin;
using strings = std::vector<std::string>;

enum class outcome { none, bare, rejected, accepted, taken };

struct alloc_case {
  const char *label;
  std::string word;
  int32_t mode;
  outcome expected;     // with no allocation failing
  std::string message;  // for rejected words
  strings allocations;  // the library's own, in order, with no allocation failing
};

// The outcome when `failed` fails: the framework's allocations only cost the lookup of
// existing names; a message costs only the message; every other allocation, the regular
// expression's included, costs the record.
outcome outcome_after(const alloc_case &c, const allocation *failed) {
  if (failed == nullptr) return c.expected;
  if (failed->from == origin::standin)
    return c.expected == outcome::taken ? outcome::accepted : c.expected;
  if (failed->from == origin::library && failed->how == kind::malloc) return outcome::bare;
  return outcome::none;
}

void expect_zero_fields(const cmd_match_result &r) {
  EXPECT_EQ(r.value_len, 0u);
  EXPECT_EQ(r.value, nullptr);
  EXPECT_EQ(r.text, nullptr);
  EXPECT_EQ(r.count, 0);
  EXPECT_EQ(r.second_len, 0u);
}

void expect_outcome(const cmd_match_result *r, outcome expected, const alloc_case &c) {
  if (expected == outcome::none) {
    EXPECT_EQ(r, nullptr);
    return;
  }
  ASSERT_NE(r, nullptr);
  switch (expected) {
    case outcome::bare:
    case outcome::taken:
      EXPECT_EQ(r->status, expected == outcome::taken ? 1u : 0u);
      expect_zero_fields(*r);
      EXPECT_EQ(r->message, nullptr);
      break;
    case outcome::rejected:
      EXPECT_EQ(r->status, 0u);
      expect_zero_fields(*r);
      ASSERT_NE(r->message, nullptr);
      EXPECT_EQ(std::string(r->message), c.message);
      break;
    case outcome::accepted:
      EXPECT_EQ(r->status, 2u);
      EXPECT_EQ(r->value_len, 68u);
      EXPECT_EQ(r->count, 1);
      EXPECT_EQ(r->second_len, 68u);
      ASSERT_NE(r->value, nullptr);
      EXPECT_EQ(std::memcmp(r->value, "\xff\xff\xff\xff", 4), 0);
      EXPECT_STREQ(static_cast<const char *>(r->value) + 4, c.word.c_str());
      ASSERT_NE(r->text, nullptr);
      EXPECT_EQ(std::string(r->text), c.word);
      EXPECT_EQ(r->message, nullptr);
      break;
    case outcome::none:
      break;
  }
}

class new_name_alloc_test : public testing::TestWithParam<alloc_case> {
 protected:
  cmd_match_result *call(cmd_ctx &cmd) {
    return vdc_mgr_show_new_name_match(&cmd, GetParam().word.c_str(), GetParam().mode);
  }
};

TEST_P(new_name_alloc_test, every_failure_takes_its_path_and_leaks_nothing) {
  const auto &param = GetParam();
  standin::reset();
  standin::platform().vdcs = {{3, "core"}};
  cmd_ctx cmd;
  standin::free_match(call(cmd));  // once unarmed, so that nothing lazy is counted
  size_t runs = alloc_support::for_each_failure(
      [&] { return call(cmd); },
      [&](cmd_match_result *result, const allocation *failed) {
        SCOPED_TRACE(failed ? "allocation of " + std::to_string(failed->size) + " failing"
                            : "nothing failing");
        expect_outcome(result, outcome_after(param, failed), param);
        EXPECT_EQ(alloc_countdown::live(), alloc_support::blocks_of(result));
        standin::free_match(result);
      });
  EXPECT_EQ(alloc_support::library_allocations(), param.allocations);
  EXPECT_GE(runs, param.allocations.size());
}

const std::string record = "calloc " + std::to_string(sizeof(cmd_match_result));
const std::string value = "calloc 68";

alloc_case rejected(const char *label, std::string word, std::string message) {
  std::string size = std::to_string(message.size() + 1);
  return {label,
          std::move(word),
          0,
          outcome::rejected,
          std::move(message),
          {record, "regcomp", "malloc " + size}};
}

INSTANTIATE_TEST_SUITE_P(
    words, new_name_alloc_test,
    testing::Values(
        alloc_case{"accepted_mode1",
                   "a",
                   1,
                   outcome::accepted,
                   {},
                   {record, "regcomp", record, value, "strdup 2"}},
        alloc_case{"accepted_mode0",
                   "vdc.1",
                   0,
                   outcome::accepted,
                   {},
                   {record, "regcomp", value, "strdup 6"}},
        alloc_case{"taken_mode0", "core", 0, outcome::taken, {}, {record, "regcomp"}},
        alloc_case{"existing_mode1",
                   "core",
                   1,
                   outcome::accepted,
                   {},
                   {record, "regcomp", record, value, "strdup 5"}},
        alloc_case{"declined", "res", 0, outcome::none, {}, {record, "regcomp"}},
        alloc_case{"empty_mode0", "", 0, outcome::bare, {}, {record}},
        alloc_case{"empty_mode1", "", 1, outcome::bare, {}, {record, record}},
        rejected("characters", "a b",
                 "VDC name inappropriate. Acceptable characters are alphanumeric and '-', '_'"),
        rejected("end", "a.", "VDC name inappropriate. Cannot end in a '.'"),
        rejected("start", "_a", "VDC name inappropriate. Cannot start with a '_'"),
        rejected("length", std::string(64, 'v'), "VDC name too long")),
    [](const auto &p) { return std::string(p.param.label); });

}  // namespace
