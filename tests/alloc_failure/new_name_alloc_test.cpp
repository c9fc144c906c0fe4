// The new-name match with each of its allocations failing in turn: every failure takes its
// path, and no block is left that the returned record does not hold.
#include "alloc_countdown.h"
#include "capture.h"

namespace {

using alloc_countdown::allocation;
using alloc_countdown::kind;
using alloc_countdown::origin;
// No record at all; an all-zero record; a rejection with its message; a new name with its
// value; the name of an existing VDC.
enum class match { none, empty, rejected, accepted, taken };

std::string expected_text(match m, const std::string &word, const std::string &message) {
  const std::string zero = "status 0 count 0 value_len 0 second_len 0\n";
  switch (m) {
    case match::none:
      return "none\n";
    case match::empty:
      return zero;
    case match::rejected:
      return zero + "message " + message + "\n";
    case match::taken:
      return "status 1 count 0 value_len 0 second_len 0\n";
    default:
      return "status 2 count 1 value_len 68 second_len 68\nvalue key ffffffff " + word + "\ntext " +
             word + "\n";
  }
}
using zms_test::strings;

struct alloc_case {
  const char *label;
  std::string word;
  int32_t mode;
  match expected;       // with no allocation failing
  std::string message;  // for rejected words
  strings allocations;  // the library's own, in order, with no allocation failing
};

// The outcome when `failed` fails: the framework's allocations only cost the lookup of
// existing names; a message costs only the message; every other allocation, the regular
// expression's included, costs the record.
match outcome_after(const alloc_case &c, const allocation *failed) {
  if (failed == nullptr) return c.expected;
  if (failed->from == origin::standin)
    return c.expected == match::taken ? match::accepted : c.expected;
  if (failed->from == origin::library && failed->how == kind::malloc) return match::empty;
  return match::none;
}

ZMS_PRINTS_AS(alloc_case, label)

class new_name_alloc_test : public testing::TestWithParam<alloc_case> {};

TEST_P(new_name_alloc_test, every_failure_takes_its_path_and_leaks_nothing) {
  const auto &c = GetParam();
  auto cmd = zms_test::command();
  standin::platform().vdcs = {{3, "core"}};
  auto call = [&] { return vdc_mgr_show_new_name_match(&cmd, c.word.c_str(), c.mode); };
  standin::free_match(call());  // once unarmed, so that nothing lazy is counted
  size_t runs = alloc_countdown::for_each_failure(
      call, [&](cmd_match_result *result, const allocation *failed) {
        SCOPED_TRACE(failed ? "allocation of " + std::to_string(failed->size) + " failing"
                            : "nothing failing");
        match expected = outcome_after(c, failed);
        EXPECT_EQ(alloc_countdown::live(), alloc_countdown::blocks_of(result));
        EXPECT_EQ(zms_test::match_text(result), expected_text(expected, c.word, c.message));
      });
  EXPECT_EQ(alloc_countdown::library_allocations(), c.allocations);
  EXPECT_GE(runs, c.allocations.size());
}

const std::string record = "calloc " + std::to_string(sizeof(cmd_match_result));
const std::string rejection = "VDC name inappropriate. ";

const alloc_case words[] = {
    // label, word, mode, outcome, message, allocations
    {"accepted_mode1", "a", 1, match::accepted, "",
     strings{record, "regcomp", record, "calloc 68", "strdup 2"}},
    {"accepted_mode0", "vdc.1", 0, match::accepted, "",
     strings{record, "regcomp", "calloc 68", "strdup 6"}},
    {"taken_mode0", "core", 0, match::taken, "", strings{record, "regcomp"}},
    {"existing_mode1", "core", 1, match::accepted, "",
     strings{record, "regcomp", record, "calloc 68", "strdup 5"}},
    {"declined", "res", 0, match::none, "", strings{record, "regcomp"}},
    {"empty_mode0", "", 0, match::empty, "", strings{record}},
    {"empty_mode1", "", 1, match::empty, "", strings{record, record}},
    {"characters", "a b", 0, match::rejected,
     rejection + "Acceptable characters are alphanumeric and '-', '_'",
     strings{record, "regcomp", "malloc 76"}},
    {"end", "a.", 0, match::rejected, rejection + "Cannot end in a '.'",
     strings{record, "regcomp", "malloc 44"}},
    {"start", "_a", 0, match::rejected, rejection + "Cannot start with a '_'",
     strings{record, "regcomp", "malloc 48"}},
    {"length", std::string(64, 'v'), 0, match::rejected, "VDC name too long",
     strings{record, "regcomp", "malloc 18"}},
};

INSTANTIATE_TEST_SUITE_P(words, new_name_alloc_test, testing::ValuesIn(words),
                         zms_test::by_label<alloc_case>);

}  // namespace
