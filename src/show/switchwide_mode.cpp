#include "switchwide_mode.h"

#include <cstdio>

#include "attr_reader.h"

namespace zms {

void print_switchwide_mode(cmd_handle handle) {
  auto value = lookup_response(handle, VDC_ATTR_SWITCHWIDE_MODE);
  if (!value) return;
  if (auto mode = read_text(*value))
    printf("\nSwitchwide mode is %.*s\n", precision(*mode), mode->data());
}

}  // namespace zms
