// show_vdc_mac: each VDC's MAC address on a line of its own.
#include <cstdio>

#include "attr_reader.h"

extern "C" int32_t show_vdc_mac(cmd_handle handle) {
  zms::response_walk walk(handle);
  for (zms::attr a; walk.next(a);) {
    if (a.id != VDC_ATTR_MAC) continue;
    if (auto mac = zms::read_text(a.value)) printf("%.*s\n", zms::precision(*mac), mac->data());
  }
  return zms::response_walk::end_mark();
}
