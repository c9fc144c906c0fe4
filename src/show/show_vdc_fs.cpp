// show_vdc_fs: the feature sets that each VDC may use, under a heading per VDC.
#include <cstdio>

#include "attr_reader.h"

extern "C" int32_t show_vdc_fs(cmd_handle handle) {
  zms::response_walk walk(handle);
  for (zms::attr a; walk.next(a);) {
    if (a.id != VDC_ATTR_NAME && a.id != VDC_ATTR_FEATURE_SET) continue;
    auto text = zms::read_text(a.value);
    if (!text) continue;
    if (a.id == VDC_ATTR_NAME)
      printf("\nvdc %.*s allowed feature-sets:\n", zms::precision(*text), text->data());
    else
      printf("\t%.*s\n", zms::precision(*text), text->data());
  }
  return putchar('\n');
}
