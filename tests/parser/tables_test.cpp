// The exported keyword tables and words, as the framework finds them after load.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "standin.h"

namespace {

struct table_case {
  const char *label;
  const cmd_enum_entry *table;
  const char *name;
  const char *help;
};

class static_table_test : public testing::TestWithParam<table_case> {};

TEST_P(static_table_test, holds_one_row_and_the_terminator) {
  const auto &param = GetParam();
  ASSERT_NE(param.table[0].name, nullptr);
  ASSERT_NE(param.table[0].help, nullptr);
  EXPECT_STREQ(param.table[0].name, param.name);
  EXPECT_EQ(param.table[0].value, 0u);
  EXPECT_STREQ(param.table[0].help, param.help);
  EXPECT_EQ(param.table[1].name, nullptr);
  EXPECT_EQ(param.table[1].value, 0u);
  EXPECT_EQ(param.table[1].help, nullptr);
}

INSTANTIATE_TEST_SUITE_P(tables, static_table_test,
                         testing::Values(table_case{"blanktable", blanktable, "", ""},
                                         table_case{"niltable", niltable, "...nil...",
                                                    "No feature-sets currently available"},
                                         table_case{"helptable", helptable, "<WORD>",
                                                    "Create a new vdc"}),
                         [](const auto &p) { return std::string(p.param.label); });

TEST(exported_words_test, known_keywords_end_with_null) {
  ASSERT_NE(known_keywords[0], nullptr);
  ASSERT_NE(known_keywords[1], nullptr);
  ASSERT_NE(known_keywords[2], nullptr);
  EXPECT_STREQ(known_keywords[0], "resource");
  EXPECT_STREQ(known_keywords[1], "combined-hostname");
  EXPECT_STREQ(known_keywords[2], "Unallocated");
  EXPECT_EQ(known_keywords[3], nullptr);
}

TEST(exported_words_test, words_at_load) {
  ASSERT_NE(fs_help, nullptr);
  EXPECT_STREQ(fs_help, "installed feature-set");
  EXPECT_EQ(fs_sdb, nullptr);
  EXPECT_EQ(cmd_init, 0u);
  EXPECT_EQ(cli_table, 0u);
}

// The stand-in's default capability list allows entries 0 to 7 and leaves entry 8 out.
TEST(exported_words_test, card_table_is_filled_at_load_from_the_default_capabilities) {
  const char *names[] = {"m1", "f1", "m1xl", "f2", "m2xl", "f2e", "f3", "m3"};
  for (uint32_t row = 0; row < 8; ++row) {
    ASSERT_NE(card_table[row].name, nullptr) << row;
    EXPECT_STREQ(card_table[row].name, names[row]);
    EXPECT_EQ(card_table[row].value, 1u << row);
    EXPECT_EQ(std::string(card_table[row].help),
              std::string("Allow ") + names[row] + " modules for this VDC");
  }
  for (uint32_t row = 8; row < 10; ++row) {
    EXPECT_EQ(card_table[row].name, nullptr) << row;
    EXPECT_EQ(card_table[row].help, nullptr) << row;
    EXPECT_EQ(card_table[row].value, 0u) << row;
  }
}

}  // namespace
