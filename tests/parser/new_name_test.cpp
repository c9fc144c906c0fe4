// Checks of a proposed new VDC name, in their order of precedence, and the record returned.
#include "capture.h"
#include "match_record.h"

namespace {

using zms_test::match;
using zms_test::strings;

struct name_case {
  const char *label;
  std::string word;
  int32_t mode;
  match expected;
  std::string message;  // for rejected words
};

// What the platform sees: the existing-name lookup in mode 0 and the copy of the name.
strings expected_calls(const name_case &c) {
  strings calls;
  bool checked = c.expected != match::none && c.expected != match::rejected;
  if (checked && c.mode == 0) calls.push_back("cmd_enum_match([\"\"], \"" + c.word + "\", 1)");
  if (c.expected == match::accepted)
    calls.push_back("__memcpy_to_buf(64, " + std::to_string(c.word.size()) + ")");
  return calls;
}

ZMS_PRINTS_AS(name_case, label)

class new_name_test : public testing::TestWithParam<name_case> {};

TEST_P(new_name_test, decides_in_order) {
  const auto &c = GetParam();
  auto cmd = zms_test::command();
  standin::platform().vdcs = {{1, "switch"}, {4, "core"}};
  cmd_match_result *result = vdc_mgr_show_new_name_match(&cmd, c.word.c_str(), c.mode);
  EXPECT_EQ(standin::calls(), expected_calls(c));
  zms_test::expect_match(result, c.expected, c.word, c.message);
  standin::free_match(result);
}

const std::string characters =
    "VDC name inappropriate. Acceptable characters are alphanumeric and '-', '_'";
const std::string end_in = "VDC name inappropriate. Cannot end in a ";
const std::string start_with = "VDC name inappropriate. Cannot start with a ";
const std::string a34 = std::string(34, 'a'), a69 = std::string(69, 'a');

const name_case words[] = {
    // label, word, mode, outcome, message
    // Characters first, then the last character, then the first: all before the length.
    {"long_with_space", a34 + " a" + a34, 0, match::rejected, characters},
    {"long_ending_in_point", a69 + ".", 0, match::rejected, end_in + "'.'"},
    {"long_starting_with_hyphen", "-" + a69, 0, match::rejected, start_with + "'-'"},
    {"space", "a b", 0, match::rejected, characters},
    {"non_ascii", "caf\xc3\xa9", 0, match::rejected, characters},
    {"point_alone", ".", 0, match::rejected, end_in + "'.'"},
    {"hyphen_alone", "-", 0, match::rejected, end_in + "'-'"},
    {"ends_in_hyphen", "a-", 0, match::rejected, end_in + "'-'"},
    {"starts_with_hyphen", "-a", 0, match::rejected, start_with + "'-'"},
    {"starts_with_underscore", "_a", 0, match::rejected, start_with + "'_'"},
    {"chars_64", std::string(64, 'v'), 0, match::rejected, "VDC name too long"},
    {"keyword_extension_too_long", "resource" + std::string(62, 's'), 1, match::rejected,
     "VDC name too long"},
    // Prefixes of the keywords, in any case, decline without a message.
    {"res", "res", 0, match::none, ""},
    {"ReSoUrCe", "ReSoUrCe", 0, match::none, ""},
    {"u", "u", 1, match::none, ""},
    {"combined_hostname", "combined-hostname", 0, match::none, ""},
    // Everything else is a name.
    {"resources", "resources", 0, match::accepted, ""},
    {"a_mode0", "a", 0, match::accepted, ""},
    {"a_mode1", "a", 1, match::accepted, ""},
    {"point_inside", "vdc.1", 0, match::accepted, ""},
    {"inner_hyphen_underscore", "a-b_c", 0, match::accepted, ""},
    {"combined_hostname_x", "combined-hostname-x", 0, match::accepted, ""},
    {"chars_63", std::string(63, 'v'), 0, match::accepted, ""},
    {"existing_mode0", "core", 0, match::taken, ""},
    {"existing_other_case_mode0", "CORE", 0, match::taken, ""},
    {"existing_mode1", "core", 1, match::accepted, ""},
    {"empty_mode0", "", 0, match::empty, ""},
    {"empty_mode1", "", 1, match::empty, ""},
};

INSTANTIATE_TEST_SUITE_P(words, new_name_test, testing::ValuesIn(words),
                         zms_test::by_label<name_case>);

TEST(new_name_test, no_word_reads_as_the_empty_word) {
  auto cmd = zms_test::command();
  cmd_match_result *result = vdc_mgr_show_new_name_match(&cmd, nullptr, 1);
  zms_test::expect_match(result, match::empty, "");
  EXPECT_TRUE(standin::calls().empty());
  standin::free_match(result);
}

TEST(new_name_test, reads_the_keyword_list_as_it_stands) {
  auto cmd = zms_test::command();
  const char *saved = known_keywords[1];
  known_keywords[1] = nullptr;
  cmd_match_result *after_end = vdc_mgr_show_new_name_match(&cmd, "combined", 1);
  known_keywords[1] = saved;
  zms_test::expect_match(after_end, match::accepted, "combined");
  standin::free_match(after_end);
}

}  // namespace
