// Fills card_table with the linecard types of the capability list when the library is
// loaded. The blocks it allocates live as long as the process.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "vdc_platform.h"

namespace {

constexpr size_t capability_entries = 9;
constexpr size_t block_size = 64;

bool allowed(size_t entry) {
  return allowed_eth_cap[entry] != 0 || allowed_fcoe_cap[entry] != 0;
}

// False, with nothing kept, when a block cannot be allocated.
bool fill_row(cmd_enum_entry &row, const lc_capability &capability) {
  const char *name = capability.name != nullptr ? capability.name : "";
  auto *name_block = static_cast<char *>(malloc(block_size));
  if (name_block == nullptr) return false;
  auto *help_block = static_cast<char *>(malloc(block_size));
  if (help_block == nullptr) {
    free(name_block);
    return false;
  }
  snprintf(name_block, block_size, "%s", name);
  snprintf(help_block, block_size, "Allow %s modules for this VDC", name);
  row = cmd_enum_entry{name_block, capability.type, help_block};
  return true;
}

// Rows are packed in entry order; the row after the last filled one ends the table.
__attribute__((constructor)) void fill_card_table() {
  memset(card_table, 0, sizeof card_table);
  size_t rows = 0;
  for (size_t entry = 0; entry < capability_entries; ++entry) {
    if (allowed(entry) && fill_row(card_table[rows], lc_capability_list[entry])) ++rows;
  }
}

}  // namespace
