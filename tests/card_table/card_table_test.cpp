// card_table as the library fills it at load from the capability list.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "library_loader.h"

namespace {

// An entry allowed for an Ethernet and/or an FCoE VDC, with another name if one is given.
struct allowed {
  size_t entry;
  bool eth, fcoe;
  std::string name;
};

// Entries named lc0, lc1, ... with types 1000, 1001, ..., only the given ones allowed.
std::vector<standin::capability> entries(size_t count, const std::vector<allowed> &allow) {
  std::vector<standin::capability> list;
  for (size_t i = 0; i < count; ++i)
    list.push_back({static_cast<uint32_t>(1000 + i), "lc" + std::to_string(i), false, false});
  for (const auto &a : allow) {
    list[a.entry].eth = a.eth;
    list[a.entry].fcoe = a.fcoe;
    if (!a.name.empty()) list[a.entry].name = a.name;
  }
  return list;
}

using rows = std::vector<std::string>;

// Loads the library over the list and gives the 10 rows it filled.
rows loaded_rows(const std::vector<standin::capability> &list, void (*adjust)() = nullptr) {
  standin::set_capabilities(list);
  if (adjust) adjust();
  rows filled;
  {
    loaded_library library;
    EXPECT_TRUE(library.loaded()) << library.error();
    filled = library.rows();
  }
  EXPECT_TRUE(loaded_library::unloaded());
  return filled;
}

rows packed(rows filled) {
  filled.resize(10, "NULL|0|NULL");
  return filled;
}

struct card_case {
  const char *label;
  std::vector<standin::capability> capabilities;
  rows filled;  // the rows before the terminator, each as name|value|help
};

void PrintTo(const card_case &c, std::ostream *os) {
  *os << c.label;
}

class card_table_test : public testing::TestWithParam<card_case> {};

TEST_P(card_table_test, is_filled_at_load) {
  EXPECT_EQ(loaded_rows(GetParam().capabilities), packed(GetParam().filled));
}

std::vector<allowed> all_of(size_t count) {
  std::vector<allowed> list;
  for (size_t i = 0; i < count; ++i)
    list.push_back({i, true, true, ""});
  return list;
}

const card_case tables[] = {
    // label, capability list, filled rows
    {"entries_2_and_5", entries(9, {{2, true, false, ""}, {5, false, true, ""}}),
     rows{"lc2|1002|Allow lc2 modules for this VDC", "lc5|1005|Allow lc5 modules for this VDC"}},
    {"none", entries(9, {}), rows{}},
    {"all_nine_of_twelve", entries(12, all_of(12)), rows_of_lc0_to_lc8},
    {"only_entries_after_the_ninth", entries(12, {{9, true, true, ""}, {11, true, false, ""}}),
     rows{}},
    {"both_flags_give_one_row", entries(9, {{4, true, true, ""}}),
     rows{"lc4|1004|Allow lc4 modules for this VDC"}},
    {"first_and_last", entries(9, {{0, false, true, ""}, {8, true, false, ""}}),
     rows{"lc0|1000|Allow lc0 modules for this VDC", "lc8|1008|Allow lc8 modules for this VDC"}},
    // The help text is cut at 63 characters, the name only past 63.
    {"name_of_40", entries(9, {{1, true, false, "n123456789012345678901234567890123456789"}}),
     rows{"n123456789012345678901234567890123456789|1001|"
          "Allow n123456789012345678901234567890123456789 modules for this"}},
    {"name_of_70", entries(9, {{1, true, false, std::string(35, 'a') + std::string(35, 'b')}}),
     rows{"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaabbbbbbbbbbbbbbbbbbbbbbbbbbbb|1001|"
          "Allow aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaabbbbbbbbbbbbbbbbbbbbbb"}},
    {"name_of_36_fits_the_help", entries(9, {{1, true, false, std::string(36, 'x')}}),
     rows{"xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx|1001|"
          "Allow xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx modules for this VDC"}},
    {"percent_signs", entries(9, {{3, true, false, "m%s%n%d%%"}}),
     rows{"m%s%n%d%%|1003|Allow m%s%n%d%% modules for this VDC"}},
};

INSTANTIATE_TEST_SUITE_P(capabilities, card_table_test, testing::ValuesIn(tables),
                         [](const auto &p) { return std::string(p.param.label); });

TEST(card_table_test, entry_without_a_name_gives_an_empty_one) {
  auto filled = loaded_rows(entries(9, {{6, true, false, ""}, {7, true, false, ""}}),
                            [] { lc_capability_list[6].name = nullptr; });
  EXPECT_EQ(filled, packed({"|1006|Allow  modules for this VDC",
                            "lc7|1007|Allow lc7 modules for this VDC"}));
}

}  // namespace
