// Rules for the names of the simulated switch.
#ifndef VDCSIM_NAMES_H
#define VDCSIM_NAMES_H

#include <cstdint>
#include <string>
#include <string_view>

namespace vdcsim {

// Letters, digits, '-' and '_': linecard types and feature sets.
bool valid_keyword(std::string_view name);
// 1 to 63 letters, digits, '-', '_' and '.': the names the VDC manager accepts.
bool valid_vdc_name(std::string_view name);
// "00:00:5e:00:53:NN", from the documentation range of MAC addresses.
std::string default_mac(uint32_t vdc);
// The interface index of the interface at `position` in the chassis file, unless set.
uint32_t default_ifindex(size_t position);
// "Ethernet3/1" is "Eth3/1"; other names are their own short names.
std::string short_interface_name(const std::string &name);

}  // namespace vdcsim

#endif  // VDCSIM_NAMES_H
