// show_vdc_mode: the VDC that the shell works in.
#include <cstdio>

#include "attr_reader.h"

extern "C" int32_t show_vdc_mode(cmd_handle handle) {
  printf("Current vdc is ");
  zms::response_walk walk(handle);
  for (zms::attr a; walk.next(a);) {
    if (a.id == VDC_ATTR_CUR_ID) {
      if (auto number = zms::read_vdc_number(a.value)) printf("%d", *number);
    } else if (a.id == VDC_ATTR_CUR_NAME) {
      if (auto name = zms::read_text(a.value))
        printf(" - %.*s", zms::precision(*name), name->data());
    }
  }
  return putchar('\n');
}
