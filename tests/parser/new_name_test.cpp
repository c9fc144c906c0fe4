// Checks of a proposed new VDC name, in their order of precedence, and the record returned.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "standin.h"

namespace {

using strings = std::vector<std::string>;

enum class outcome { declined, rejected, accepted, taken, empty };

struct name_case {
  const char *label;
  std::string word;
  int32_t mode;
  outcome expected;
  std::string message;  // for rejected words
};

const std::string characters_message =
    "VDC name inappropriate. Acceptable characters are alphanumeric and '-', '_'";
const std::string end_point = "VDC name inappropriate. Cannot end in a '.'";
const std::string end_hyphen = "VDC name inappropriate. Cannot end in a '-'";
const std::string end_underscore = "VDC name inappropriate. Cannot end in a '_'";
const std::string start_hyphen = "VDC name inappropriate. Cannot start with a '-'";
const std::string start_underscore = "VDC name inappropriate. Cannot start with a '_'";
const std::string start_point = "VDC name inappropriate. Cannot start with a '.'";
const std::string too_long = "VDC name too long";

name_case rejected(const char *label, std::string word, const std::string &message) {
  return {label, std::move(word), 0, outcome::rejected, message};
}
name_case declined(const char *label, std::string word) {
  return {label, std::move(word), 0, outcome::declined, {}};
}
name_case accepted(const char *label, std::string word, int32_t mode) {
  return {label, std::move(word), mode, outcome::accepted, {}};
}

std::string repeat(char c, size_t n) {
  return std::string(n, c);
}

// What the platform sees: the existing-name lookup in mode 0 and the copy of the name.
strings expected_calls(const name_case &c) {
  strings calls;
  bool looked_up = c.expected == outcome::accepted || c.expected == outcome::taken ||
                   c.expected == outcome::empty;
  if (looked_up && c.mode == 0) calls.push_back("cmd_enum_match([\"\"], \"" + c.word + "\", 1)");
  if (c.expected == outcome::accepted)
    calls.push_back("__memcpy_to_buf(64, " + std::to_string(c.word.size()) + ")");
  return calls;
}

std::vector<uint8_t> name_key(const std::string &word) {
  std::vector<uint8_t> value(VDC_NAME_KEY_LEN, 0);
  std::memset(value.data(), 0xff, 4);
  std::memcpy(value.data() + 4, word.data(), word.size());
  return value;
}

void expect_cleared_except_status(const cmd_match_result &r) {
  EXPECT_EQ(r.value_len, 0u);
  EXPECT_EQ(r.value, nullptr);
  EXPECT_EQ(r.text, nullptr);
  EXPECT_EQ(r.count, 0);
  EXPECT_EQ(r.second_len, 0u);
}

void expect_record(const cmd_match_result &r, const name_case &c) {
  switch (c.expected) {
    case outcome::rejected:
      EXPECT_EQ(r.status, 0u);
      expect_cleared_except_status(r);
      ASSERT_NE(r.message, nullptr);
      EXPECT_EQ(std::string(r.message), c.message);
      break;
    case outcome::taken:
    case outcome::empty:
      EXPECT_EQ(r.status, c.expected == outcome::taken ? 1u : 0u);
      expect_cleared_except_status(r);
      EXPECT_EQ(r.message, nullptr);
      break;
    case outcome::accepted:
      EXPECT_EQ(r.status, 2u);
      EXPECT_EQ(r.value_len, 68u);
      EXPECT_EQ(r.count, 1);
      EXPECT_EQ(r.second_len, 68u);
      EXPECT_EQ(r.message, nullptr);
      ASSERT_NE(r.value, nullptr);
      EXPECT_EQ(std::vector<uint8_t>(static_cast<uint8_t *>(r.value),
                                     static_cast<uint8_t *>(r.value) + 68),
                name_key(c.word));
      ASSERT_NE(r.text, nullptr);
      EXPECT_EQ(std::string(r.text), c.word);
      break;
    case outcome::declined:
      FAIL() << "a declined word has no record";
  }
}

class new_name_test : public testing::TestWithParam<name_case> {};

TEST_P(new_name_test, decides_in_order) {
  const auto &param = GetParam();
  standin::reset();
  standin::platform().vdcs = {{1, "switch"}, {4, "core"}};
  cmd_ctx cmd;
  cmd_match_result *result = vdc_mgr_show_new_name_match(&cmd, param.word.c_str(), param.mode);
  EXPECT_EQ(standin::calls(), expected_calls(param));
  if (param.expected == outcome::declined) {
    EXPECT_EQ(result, nullptr);
    return;
  }
  ASSERT_NE(result, nullptr);
  expect_record(*result, param);
  standin::free_match(result);
}

INSTANTIATE_TEST_SUITE_P(
    words, new_name_test,
    testing::Values(
        // Characters first, then the last character, then the first: all before the length.
        rejected("long_with_space", repeat('a', 35) + " " + repeat('b', 34), characters_message),
        rejected("long_ending_in_point", repeat('a', 69) + ".", end_point),
        rejected("space", "a b", characters_message),
        rejected("exclamation", "ab!", characters_message),
        rejected("slash", "a/b", characters_message),
        rejected("non_ascii", "caf\xc3\xa9", characters_message),
        rejected("point_alone", ".", end_point), rejected("hyphen_alone", "-", end_hyphen),
        rejected("underscore_alone", "_", end_underscore),
        rejected("ends_in_hyphen", "a-", end_hyphen),
        rejected("ends_in_underscore", "a_", end_underscore),
        rejected("starts_with_hyphen", "-a", start_hyphen),
        rejected("starts_with_underscore", "_a", start_underscore),
        rejected("starts_with_point", ".a", start_point),
        rejected("long_starting_with_hyphen", "-" + repeat('a', 69), start_hyphen),
        rejected("chars_64", repeat('v', 64), too_long),
        rejected("chars_70", repeat('v', 70), too_long),
        rejected("long_keyword_extension", "resource" + repeat('s', 62), too_long),
        // Prefixes of the keywords, in any case, decline without a message.
        declined("res", "res"), declined("RES", "RES"), declined("r", "r"),
        declined("resource", "resource"), declined("ReSoUrCe", "ReSoUrCe"), declined("u", "u"),
        declined("unalloc", "unalloc"), declined("Unallocated", "Unallocated"), declined("c", "c"),
        declined("combined", "combined"), declined("combined_hostname", "combined-hostname"),
        declined("COMBINED_HOSTNAME", "COMBINED-HOSTNAME"),
        // Everything else is a name.
        accepted("resources", "resources", 0), accepted("core_mode1", "core", 1),
        accepted("a_mode0", "a", 0), accepted("a_mode1", "a", 1), accepted("a_mode5", "a", 5),
        accepted("vdc_point_1", "vdc.1", 0), accepted("inner_hyphen_underscore", "a-b_c", 0),
        accepted("combined_hostname_x", "combined-hostname-x", 0),
        accepted("unallocatedx", "unallocatedx", 1), accepted("chars_63", repeat('v', 63), 0),
        accepted("digits", "0123456789", 1),
        name_case{"existing_mode0", "core", 0, outcome::taken, {}},
        name_case{"existing_other_case_mode0", "CORE", 0, outcome::taken, {}},
        name_case{"empty_mode0", "", 0, outcome::empty, {}},
        name_case{"empty_mode1", "", 1, outcome::empty, {}}),
    [](const auto &p) { return std::string(p.param.label); });

// No word at all reads as the empty word.
TEST(new_name_null_word_test, is_taken_as_empty) {
  standin::reset();
  cmd_ctx cmd;
  cmd_match_result *result = vdc_mgr_show_new_name_match(&cmd, nullptr, 1);
  ASSERT_NE(result, nullptr);
  EXPECT_EQ(result->status, 0u);
  expect_cleared_except_status(*result);
  EXPECT_EQ(result->message, nullptr);
  EXPECT_TRUE(standin::calls().empty());
  standin::free_match(result);
}

// The keyword list is read as it stands at the call.
TEST(new_name_keywords_test, reads_the_exported_list) {
  standin::reset();
  cmd_ctx cmd;
  const char *saved = known_keywords[1];
  known_keywords[1] = nullptr;
  cmd_match_result *after_end = vdc_mgr_show_new_name_match(&cmd, "combined", 1);
  known_keywords[1] = saved;
  ASSERT_NE(after_end, nullptr);
  EXPECT_EQ(after_end->status, 2u);
  standin::free_match(after_end);
}

}  // namespace
