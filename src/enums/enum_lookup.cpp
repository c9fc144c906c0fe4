#include "enums/enum_lookup.h"

#include <strings.h>

namespace zms {
namespace {

bool is_terminator(const vdc_enum_str_entry &row) {
  return row.name[0] == '\0';
}

}  // namespace

const char *enum_name(enum_table table, int32_t value) {
  const auto wanted = static_cast<uint32_t>(value);
  if (table.front().value == wanted) return table.front().name;
  for (const auto &row : table.subspan(1)) {
    if (is_terminator(row)) return nullptr;
    if (row.value == wanted) return row.name;
  }
  return nullptr;
}

uint32_t enum_value(enum_table table, const char *text) {
  if (text == nullptr) return 0;
  if (strcasecmp(table.front().name, text) == 0) return table.front().value;
  for (const auto &row : table.subspan(1)) {
    if (is_terminator(row)) return 0;
    if (strcasecmp(row.name, text) == 0) return row.value;
  }
  return 0;
}

}  // namespace zms
