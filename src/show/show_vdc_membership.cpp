// show_vdc_membership: each VDC's interfaces, three cells to a line, grouped by slot; in
// the default VDC, ports whose move status shows an issue are marked.
#include <cstdio>

#include "attr_reader.h"
#include "interface_names.h"

namespace {

constexpr uint8_t no_slot = 255;
constexpr unsigned cells_per_line = 3;
constexpr uint32_t default_vdc = 1;

// Marks in front of a port's name; a marked cell carries no breakout suffix.
constexpr char unmarked = '\0';
constexpr char no_status_mark = '!';
constexpr char issue_mark = '*';

struct listing {
  unsigned cells = 0;
  uint8_t slot = no_slot;
  bool issue_seen = false;
  uint32_t move_status = 0;
  zms::vdc_name_buffer name{};
  zms::interface_name_buffer port{};

  bool line_open() const { return cells % cells_per_line != 0; }
};

void open_vdc(listing &l, zms::attr_value value) {
  auto number = zms::read_vdc_number(value);
  if (!number) return;
  if (l.line_open()) putchar('\n');
  printf("\nvdc_id: %d ", *number);
  l.cells = 0;
  l.slot = no_slot;
}

void print_name(listing &l, zms::attr_value value) {
  auto text = zms::read_text(value);
  if (!text) return;
  zms::copy_vdc_name(l.name, *text);
  printf("vdc_name: %s interfaces:\n\t", l.name.text);
}

// An interface whose slot cannot be read stays in the current group.
uint8_t slot_of(uint32_t ifindex, uint8_t current) {
  uint8_t area[sizeof(uint32_t)] = {current, current, current, current};
  if_index_get_slot(ifindex, area);
  return area[0];
}

void place_cell(listing &l, uint8_t slot) {
  if (l.slot != no_slot && slot != l.slot) {
    if (l.line_open()) putchar('\n');
    printf("\n\t");
    l.cells = 0;
  }
  l.slot = slot;
  ++l.cells;
}

char mark_of(listing &l, uint32_t ifindex) {
  if (cmd_vdc_get() != default_vdc) return unmarked;
  if (im_if_get_move_status(ifindex, &l.move_status) != 0) return no_status_mark;
  return l.move_status != 0 ? issue_mark : unmarked;
}

void print_cell(listing &l, uint32_t ifindex) {
  zms::format_long_name(l.port, ifindex);
  char mark = mark_of(l, ifindex);
  if (mark != unmarked) {
    printf("%c%-20s ", mark, l.port.text);
    l.issue_seen = true;
    return;
  }
  zms::mark_breakout(l.port, ifindex);
  printf("%-20s  ", l.port.text);
}

void print_interface(listing &l, zms::attr_value value) {
  auto ifindex = zms::read_word(value);
  if (!ifindex) return;
  place_cell(l, slot_of(*ifindex, l.slot));
  print_cell(l, *ifindex);
  if (!l.line_open()) printf("\n\t");
}

}  // namespace

extern "C" int32_t show_vdc_membership(cmd_handle handle) {
  zms::open_interface_queries();
  listing l;
  puts("Flags : b - breakout port ");
  puts("---------------------------------");
  zms::response_walk walk(handle);
  for (zms::attr a; walk.next(a);) {
    switch (a.id) {
      case VDC_ATTR_ID:
        open_vdc(l, a.value);
        break;
      case VDC_ATTR_NAME:
        print_name(l, a.value);
        break;
      case VDC_ATTR_SHARED_IF_MARK:
        printf("\nImplicitly shared interfaces:\n\t");
        break;
      case VDC_ATTR_IF_INDEX:
        print_interface(l, a.value);
        break;
      default:
        break;
    }
  }
  int32_t result = puts("\n\n");
  if (l.issue_seen)
    result = puts(
        "* Denotes an issue with the port. Check 'show vdc membership status' for more details");
  return result;
}
