// The chassis files' JSON reader: values with their places, faults with theirs.
#include <gtest/gtest.h>

#include "json.h"

namespace {

using vdcsim::json::kind;
using vdcsim::json::parse;
using vdcsim::json::parse_error;
using vdcsim::json::value;

struct bad_text {
  const char *name;
  const char *text;
  int line;
  int column;
  const char *message;
};

const std::string deeply_nested(100, '[');

class json_faults : public testing::TestWithParam<bad_text> {};

TEST_P(json_faults, are_reported_where_they_stand) {
  value v;
  parse_error e;
  ASSERT_FALSE(parse(GetParam().text, v, e));
  EXPECT_EQ(e.at.line, GetParam().line);
  EXPECT_EQ(e.at.column, GetParam().column);
  EXPECT_EQ(e.message, GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    all, json_faults,
    testing::Values(
        bad_text{"empty", "", 1, 1, "unexpected end of the file"},
        bad_text{"missing_comma", "{\"a\": 1\n \"b\": 2}", 2, 2, "expected ',' or '}'"},
        bad_text{"trailing_comma", "[1, 2,]", 1, 7, "unexpected character"},
        bad_text{"unterminated", "{\"a\": \"text", 1, 12, "unterminated string"},
        bad_text{"bare_word", "{\"a\": tru}", 1, 7, "unknown word"},
        bad_text{"stray_character", "{\"a\": yes}", 1, 7, "unexpected character"},
        bad_text{"duplicate", "{\"a\": 1,\n  \"a\": 2}", 2, 3, "duplicate member \"a\""},
        bad_text{"unquoted_key", "{a: 1}", 1, 2, "expected a member name in double quotes"},
        bad_text{"no_colon", "{\"a\" 1}", 1, 6, "expected ':' after the member name"},
        bad_text{"two_documents", "{} {}", 1, 4, "unexpected text after the document"},
        bad_text{"bad_escape", "\"\\q\"", 1, 3, "unknown escape in a string"},
        bad_text{"short_unicode", "\"\\u12\"", 1, 6, "expected four hexadecimal digits after \\u"},
        bad_text{"control_char", "\"a\tb\"", 1, 3, "control character in a string"},
        bad_text{"lone_minus", "-", 1, 2, "expected a digit"},
        bad_text{"deep", deeply_nested.c_str(), 1, 66, "nested too deeply"}),
    [](const auto &row) { return std::string(row.param.name); });

TEST(json_reader, keeps_member_order_places_and_kinds) {
  value v;
  parse_error e;
  ASSERT_TRUE(
      parse("{\n  \"b\": [1, 2.5, -3],\n  \"a\": {\"t\": true, \"s\": \"\\u00e9\\n\"}\n}", v, e));
  ASSERT_EQ(v.members.size(), 2u);
  EXPECT_EQ(v.members[0].first, "b");
  const value *list = v.member("b");
  ASSERT_EQ(list->items.size(), 3u);
  EXPECT_TRUE(list->items[0].integral);
  EXPECT_FALSE(list->items[1].integral);
  EXPECT_EQ(list->items[2].number, -3);
  EXPECT_EQ(list->at.line, 2);
  EXPECT_EQ(list->at.column, 8);
  const value *inner = v.member("a");
  EXPECT_EQ(inner->member("t")->type, kind::boolean);
  EXPECT_EQ(inner->member("s")->text, "\xc3\xa9\n");
  EXPECT_EQ(inner->member("missing"), nullptr);
}

TEST(json_writer, writes_what_the_reader_reads_back) {
  vdcsim::json::writer w;
  w.begin_object();
  w.key("name");
  w.string("a \"quoted\"\tname");
  w.key("list");
  w.begin_array();
  w.integer(-1);
  w.boolean(true);
  w.end_array();
  w.key("empty");
  w.begin_array();
  w.end_array();
  w.end_object();
  EXPECT_EQ(
      w.text(),
      "{\n  \"name\": \"a \\\"quoted\\\"\\u0009name\",\n  \"list\": [\n    -1,\n    true\n  ],\n"
      "  \"empty\": []\n}\n");
  value v;
  parse_error e;
  ASSERT_TRUE(parse(w.text(), v, e));
  EXPECT_EQ(v.member("name")->text, "a \"quoted\"\tname");
}

}  // namespace
