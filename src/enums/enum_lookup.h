// Value-to-name and name-to-value lookups over an enumeration's name table.
// A table is a run of rows ended by a row whose name is empty (never null).
#ifndef ZMS_ENUM_LOOKUP_H
#define ZMS_ENUM_LOOKUP_H

#include <cstdint>
#include <span>

#include "zudoru_mgr_show.h"

namespace zms {

using enum_table = std::span<const vdc_enum_str_entry>;

// True when the last row, and only the last row, has an empty name.
consteval bool well_terminated(enum_table table) {
  if (table.empty() || table.back().name == nullptr || table.back().name[0] != '\0') return false;
  for (const auto &row : table.first(table.size() - 1)) {
    if (row.name == nullptr || row.name[0] == '\0') return false;
  }
  return true;
}

// The name of `value`; null when no row before the terminator holds it.
const char *enum_name(enum_table table, int32_t value);

// The value of the first row named `text`, letter case ignored; 0 when none is.
uint32_t enum_value(enum_table table, const char *text);

}  // namespace zms

#endif  // ZMS_ENUM_LOOKUP_H
