// show_fcoe: the storage VDC, the Ethernet VDC sharing with it and the reserved VLANs.
#include <cstdio>

#include "attr_reader.h"

namespace {

void print_range(const char *separator, zms::vlan_range range) {
  if (range.low == range.high)
    printf("%s%d", separator, range.low);
  else
    printf("%s%d-%d", separator, range.low, range.high);
}

// The first range prints whatever the count says; the others only within the count.
void print_reserved_vlans(zms::attr_value value) {
  printf("Reserved Vlans: ");
  if (auto first = zms::read_vlan_range(value, 0)) {
    print_range("", *first);
    uint32_t count = zms::read_vlan_count(value).value_or(0);
    for (uint32_t i = 1; i < count; ++i) {
      auto range = zms::read_vlan_range(value, i);
      if (!range) break;
      print_range(", ", *range);
    }
  }
  putchar('\n');
}

void print_number(const char *label, zms::attr_value value) {
  if (auto number = zms::read_signed_word(value)) printf("%s%d\n", label, *number);
}

}  // namespace

extern "C" int32_t show_fcoe(cmd_handle handle) {
  zms::response_walk walk(handle);
  for (zms::attr a; walk.next(a);) {
    switch (a.id) {
      case VDC_ATTR_STORAGE_VDC:
        print_number("Storage VDC: ", a.value);
        break;
      case VDC_ATTR_SHARING_ETH_VDC:
        print_number("Sharing Ethernet VDC: ", a.value);
        break;
      case VDC_ATTR_RESERVED_VLANS:
        print_reserved_vlans(a.value);
        break;
      default:
        break;
    }
  }
  return zms::response_walk::end_mark();
}
