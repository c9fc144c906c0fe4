// The JSON writer: escapes that the reader reads back. The reader's faults are chassis-file
// cases (data/chassis_faults.txt).
#include <gtest/gtest.h>

#include "json.h"

namespace {

using vdcsim::json::parse;
using vdcsim::json::parse_error;
using vdcsim::json::value;

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
