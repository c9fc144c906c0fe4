// Names for the membership listings: the VDC name cut to 63 characters and the names
// that the interface service gives an interface index, in fixed buffers.
#ifndef ZMS_INTERFACE_NAMES_H
#define ZMS_INTERFACE_NAMES_H

#include <cstdint>
#include <string_view>

#include "vdc_platform.h"

namespace zms {

struct vdc_name_buffer {
  char text[64];
};

struct interface_name_buffer {
  char text[256];
};

// Readies the interface manager's client for the queries of one listing.
void open_interface_queries();

void copy_vdc_name(vdc_name_buffer &out, std::string_view name);

// The interface's long or short name; empty when the service gives none.
void format_long_name(interface_name_buffer &out, uint32_t ifindex);
void format_short_name(interface_name_buffer &out, uint32_t ifindex);

// Appends the breakout suffix "(b)" when the interface is a breakout port.
void mark_breakout(interface_name_buffer &name, uint32_t ifindex);

}  // namespace zms

#endif  // ZMS_INTERFACE_NAMES_H
