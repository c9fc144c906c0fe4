#include "chassis/names.h"

#include <cctype>
#include <cstdio>

namespace vdcsim {
namespace {

bool name_char(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_';
}

}  // namespace

bool valid_keyword(std::string_view name) {
  if (name.empty()) return false;
  for (char c : name)
    if (!name_char(c)) return false;
  return true;
}

bool valid_vdc_name(std::string_view name) {
  if (name.empty() || name.size() > 63) return false;
  for (char c : name)
    if (!name_char(c) && c != '.') return false;
  return true;
}

std::string default_mac(uint32_t vdc) {
  char mac[32];
  std::snprintf(mac, sizeof mac, "00:00:5e:00:53:%02x", vdc & 0xffu);
  return mac;
}

uint32_t default_ifindex(size_t position) {
  return 0x1a000000u + static_cast<uint32_t>(position) * 0x200u;
}

std::string short_interface_name(const std::string &name) {
  constexpr std::string_view long_prefix = "Ethernet";
  if (name.compare(0, long_prefix.size(), long_prefix) == 0 && name.size() > long_prefix.size())
    return "Eth" + name.substr(long_prefix.size());
  return name;
}

}  // namespace vdcsim
