// card_table as the library fills it at load from the capability list.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "library_loader.h"

namespace {

using standin::capability;

// Entries named lc0, lc1, ... with types 0x100, 0x101, ..., none of them allowed.
std::vector<capability> entries(size_t count) {
  std::vector<capability> list;
  for (size_t i = 0; i < count; ++i)
    list.push_back({static_cast<uint32_t>(0x100 + i), "lc" + std::to_string(i), false, false});
  return list;
}

std::vector<capability> allowing(std::vector<capability> list, size_t entry, bool eth, bool fcoe,
                                 std::string name = "") {
  list[entry].eth = eth;
  list[entry].fcoe = fcoe;
  if (!name.empty()) list[entry].name = std::move(name);
  return list;
}

card_row row(const std::string &name, uint32_t value) {
  return {name, value, "Allow " + name + " modules for this VDC"};
}

const std::string name_40 = "n123456789012345678901234567890123456789";
const std::string name_70 = std::string(35, 'a') + std::string(35, 'b');

struct card_case {
  const char *label;
  std::vector<capability> capabilities;
  std::function<void()> adjust;  // changes made to the capability list after setting it
  std::vector<card_row> filled;  // the rows before the terminator
};

class card_table_test : public testing::TestWithParam<card_case> {};

TEST_P(card_table_test, is_filled_at_load) {
  const auto &param = GetParam();
  standin::set_capabilities(param.capabilities);
  if (param.adjust) param.adjust();
  std::vector<card_row> rows;
  {
    loaded_library library;
    ASSERT_TRUE(library.loaded()) << library.error();
    rows = library.rows();
  }
  ASSERT_TRUE(loaded_library::unloaded());
  std::vector<card_row> expected = param.filled;
  expected.resize(10);
  EXPECT_EQ(rows, expected);
}

std::vector<capability> all_allowed(size_t count) {
  auto list = entries(count);
  for (auto &entry : list)
    entry.eth = entry.fcoe = true;
  return list;
}

INSTANTIATE_TEST_SUITE_P(
    capabilities, card_table_test,
    testing::Values(card_case{"entries_2_and_5",
                              allowing(allowing(entries(9), 2, true, false), 5, false, true),
                              nullptr,
                              {row("lc2", 0x102), row("lc5", 0x105)}},
                    card_case{"none", entries(9), nullptr, {}},
                    card_case{"all_nine_of_twelve",
                              all_allowed(12),
                              nullptr,
                              {row("lc0", 0x100), row("lc1", 0x101), row("lc2", 0x102),
                               row("lc3", 0x103), row("lc4", 0x104), row("lc5", 0x105),
                               row("lc6", 0x106), row("lc7", 0x107), row("lc8", 0x108)}},
                    card_case{"only_entries_after_the_ninth",
                              allowing(allowing(entries(12), 9, true, true), 11, true, false),
                              nullptr,
                              {}},
                    card_case{"both_flags_give_one_row",
                              allowing(entries(9), 4, true, true),
                              nullptr,
                              {row("lc4", 0x104)}},
                    card_case{"first_and_last",
                              allowing(allowing(entries(9), 0, false, true), 8, true, false),
                              nullptr,
                              {row("lc0", 0x100), row("lc8", 0x108)}},
                    card_case{"name_of_40",
                              allowing(entries(9), 1, true, false, name_40),
                              nullptr,
                              {{name_40, 0x101,
                                "Allow n123456789012345678901234567890123456789 modules for "
                                "this"}}},
                    card_case{"name_of_70",
                              allowing(entries(9), 1, true, false, name_70),
                              nullptr,
                              {{std::string(35, 'a') + std::string(28, 'b'), 0x101,
                                "Allow " + std::string(35, 'a') + std::string(22, 'b')}}},
                    card_case{"name_of_36_fits_the_help",
                              allowing(entries(9), 1, true, false, std::string(36, 'x')),
                              nullptr,
                              {row(std::string(36, 'x'), 0x101)}},
                    card_case{"percent_signs",
                              allowing(entries(9), 3, true, false, "m%s%n%d%%"),
                              nullptr,
                              {row("m%s%n%d%%", 0x103)}},
                    card_case{"null_name",
                              allowing(allowing(entries(9), 6, true, false), 7, true, false),
                              [] { lc_capability_list[6].name = nullptr; },
                              {row("", 0x106), row("lc7", 0x107)}}),
    [](const auto &p) { return std::string(p.param.label); });

}  // namespace
