// The running configuration: what changed since the chassis was loaded, as the shell
// commands that make the same changes again. Fed to `vdcsim --chassis SAME` as a script,
// they bring the switch to the same VDCs (with the same ids), interfaces, linecard types,
// allowed feature sets and first-time setups; the clock and the event history go their
// own way.
#ifndef VDCSIM_RUNNING_CONFIG_H
#define VDCSIM_RUNNING_CONFIG_H

#include <string>

#include "chassis/chassis.h"

namespace vdcsim {

// The script that takes `start` to `now`, one command to a line, after a "!" header.
// Commands for one VDC stand between "switchto vdc NAME" and "exit"; those of the
// default VDC need no switch.
std::string running_config(const chassis &start, const chassis &now);

}  // namespace vdcsim

#endif  // VDCSIM_RUNNING_CONFIG_H
