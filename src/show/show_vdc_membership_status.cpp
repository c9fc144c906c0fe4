// show_vdc_membership_status: the move status of every port of every VDC, one line each.
// Only the default VDC may query port status.
#include <cstdio>

#include "attr_reader.h"
#include "interface_names.h"

namespace {

constexpr uint32_t default_vdc = 1;

struct listing {
  uint32_t move_status = 0;
  zms::vdc_name_buffer name{};
  zms::interface_name_buffer port{};
};

void print_id(zms::attr_value value) {
  if (auto number = zms::read_vdc_number(value)) printf("\nvdc_id: %d ", *number);
}

void print_heading(listing &l, zms::attr_value value) {
  auto text = zms::read_text(value);
  if (!text) return;
  zms::copy_vdc_name(l.name, *text);
  printf("vdc_name: %s interfaces:\n", l.name.text);
  printf("%-10s  %-12s\n", "Port", "Status");
  printf("%-10s  %-12s\n", "----", "----------");
}

const char *error_text(uint32_t code) {
  const char *text = syserr2str(code);
  return text != nullptr ? text : "";
}

void print_port(listing &l, zms::attr_value value) {
  auto ifindex = zms::read_word(value);
  if (!ifindex) return;
  zms::format_short_name(l.port, *ifindex);
  zms::mark_breakout(l.port, *ifindex);
  const char *name = l.port.text;
  int32_t result = im_if_get_move_status(*ifindex, &l.move_status);
  if (result != 0)
    printf("%-10s  ERROR:Unable to retrieve port status (0x%x)\n", name,
           static_cast<uint32_t>(result));
  else if (l.move_status == 0)
    printf("%-10s  OK\n", name);
  else
    printf("%-10s  ERROR:%s (0x%x)\n", name, error_text(l.move_status), l.move_status);
}

}  // namespace

extern "C" int32_t show_vdc_membership_status(cmd_handle handle) {
  zms::open_interface_queries();
  listing l;
  if (cmd_vdc_get() != default_vdc) return puts("Port status is only available in default vdc");
  puts("Flags : b - breakout port");
  puts("---------------------------------");
  zms::response_walk walk(handle);
  for (zms::attr a; walk.next(a);) {
    switch (a.id) {
      case VDC_ATTR_ID:
        print_id(a.value);
        break;
      case VDC_ATTR_NAME:
        print_heading(l, a.value);
        break;
      case VDC_ATTR_IF_INDEX:
        print_port(l, a.value);
        break;
      default:
        break;
    }
  }
  return puts("\n\n");
}
