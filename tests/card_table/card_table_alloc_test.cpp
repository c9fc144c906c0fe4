// card_table when a block cannot be allocated at load: the entry is left out, the rows
// stay packed and no block is lost.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "alloc_countdown.h"
#include "library_loader.h"

namespace {

TEST(card_table_alloc_test, leaves_out_the_entry_whose_block_fails) {
  std::vector<standin::capability> list;
  for (uint32_t i = 0; i < 9; ++i)
    list.push_back({1000 + i, "lc" + std::to_string(i), true, false});
  standin::set_capabilities(list);
  for (size_t fail_at = 0;; ++fail_at) {
    SCOPED_TRACE("allocation " + std::to_string(fail_at) + " failing");
    alloc_countdown::arm(fail_at, true);
    loaded_library library;
    alloc_countdown::disarm();
    ASSERT_TRUE(library.loaded()) << library.error();
    const alloc_countdown::allocation *failed = alloc_countdown::failed();
    std::vector<std::string> expected = rows_of_lc0_to_lc8;
    if (failed != nullptr) expected.erase(expected.begin() + fail_at / 2);
    expected.resize(10, "NULL|0|NULL");
    EXPECT_EQ(library.rows(), expected);
    EXPECT_EQ(alloc_countdown::live(), library.blocks());
    if (failed == nullptr) {
      EXPECT_EQ(fail_at, 18u);  // a name and a help block per entry
      break;
    }
    EXPECT_EQ(failed->size, 64u);
  }
}

}  // namespace
