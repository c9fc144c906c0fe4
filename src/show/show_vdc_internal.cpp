// show_vdc_internal: the closing text of an internal display; the response is not read.
#include <cstdio>

#include "vdc_platform.h"

extern "C" int32_t show_vdc_internal(cmd_handle) {
  printf("\n backend printing done");
  return 0;
}
