// show_vdc_dirtybit: one list of VDC numbers, split into sections by a marker number:
// dirty VDCs first, then active ones, then those active or pending.
#include <array>
#include <cstdio>

#include "attr_reader.h"

namespace {

constexpr uint16_t section_marker = VDC_DIRTY_BIT_MARKER;

enum section { dirty, active, active_or_pending };

struct section_row {
  const char *suffix;
  section after_marker;
};

constexpr std::array<section_row, 3> sections = {{
    {" dirty\n", active},
    {" active\n", active_or_pending},
    {" active or pending\n", active},
}};

}  // namespace

extern "C" int32_t show_vdc_dirtybit(cmd_handle handle) {
  section current = dirty;
  zms::response_walk walk(handle);
  for (zms::attr a; walk.next(a);) {
    if (a.id != VDC_ATTR_ID) continue;
    // Here the VDC number is the value's first 16-bit unit.
    auto number = zms::read_first_half(a.value);
    if (!number) continue;
    if (*number == section_marker)
      current = sections[current].after_marker;
    else
      printf("Vdc %d%s", *number, sections[current].suffix);
  }
  return zms::response_walk::end_mark();
}
