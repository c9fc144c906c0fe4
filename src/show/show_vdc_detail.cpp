// show_vdc_detail: the VDC summary table, one row per VDC, cells in arrival order.
#include <array>
#include <cstdio>

#include "attr_reader.h"
#include "switchwide_mode.h"

namespace {

struct column {
  uint32_t id;
  const char *heading;
  const char *underline;
  int width;
};

constexpr int name_column = 1;
constexpr int narrow_name_width = 34;
constexpr uint32_t widest_narrow_name = 32;
// Names have at most 63 characters; a wider claim is malformed and is not honoured.
constexpr uint32_t widest_name = 1024;

constexpr std::array<column, 6> columns = {{
    {VDC_ATTR_ID, "vdc_id", "------", 8},
    {VDC_ATTR_NAME, "vdc_name", "--------", narrow_name_width},
    {VDC_ATTR_STATE, "state", "-----", 20},
    {VDC_ATTR_MAC, "mac", "----------", 20},
    {VDC_ATTR_TYPE, "type", "---------", 12},
    {VDC_ATTR_SUPPORTED_LC, "lc", "------", 8},
}};

int name_width(cmd_handle handle) {
  auto value = zms::lookup_response(handle, VDC_ATTR_NAME_WIDTH);
  uint32_t longest = value ? zms::read_word(*value).value_or(0) : 0;
  if (longest <= widest_narrow_name) return narrow_name_width;
  if (longest > widest_name) longest = widest_name;
  return static_cast<int>(longest) + 2;
}

// The column that shows attribute `id`; columns.size() when none does.
size_t column_of(uint32_t id) {
  size_t i = 0;
  while (i < columns.size() && columns[i].id != id)
    ++i;
  return i;
}

int width_of(size_t index, int name_cells) {
  return index == name_column ? name_cells : columns[index].width;
}

void print_line(const char *column::*text, int name_cells) {
  putchar('\n');
  for (size_t i = 0; i < columns.size(); ++i)
    printf("%-*s", width_of(i, name_cells), columns[i].*text);
}

void print_cell(size_t index, zms::attr_value value, int name_cells) {
  int width = width_of(index, name_cells);
  if (columns[index].id == VDC_ATTR_ID) {
    if (auto number = zms::read_vdc_number(value)) printf("%-*d", width, *number);
    return;
  }
  auto text = zms::read_printable_text(value);
  if (!text) return;
  printf("%-*.*s", width, text->precision, text->data);
  if (columns[index].id == VDC_ATTR_SUPPORTED_LC) putchar('\n');
}

}  // namespace

extern "C" int32_t show_vdc_detail(cmd_handle handle) {
  zms::print_switchwide_mode(handle);
  int name_cells = name_width(handle);
  print_line(&column::heading, name_cells);
  print_line(&column::underline, name_cells);
  putchar('\n');
  zms::response_walk walk(handle);
  for (zms::attr a; walk.next(a);) {
    size_t column = column_of(a.id);
    if (column < columns.size()) print_cell(column, a.value, name_cells);
  }
  return putchar('\n');
}
