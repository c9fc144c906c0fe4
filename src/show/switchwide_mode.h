#ifndef ZMS_SWITCHWIDE_MODE_H
#define ZMS_SWITCHWIDE_MODE_H

#include "vdc_platform.h"

namespace zms {

// Prints "\nSwitchwide mode is %s\n" when the response holds the switch-wide mode.
void print_switchwide_mode(cmd_handle handle);

}  // namespace zms

#endif  // ZMS_SWITCHWIDE_MODE_H
