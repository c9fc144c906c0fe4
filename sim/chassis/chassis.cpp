#include "chassis/chassis.h"

#include <strings.h>

#include <array>
#include <utility>

namespace vdcsim {
namespace {

constexpr std::array<std::pair<event_kind, const char *>, 4> event_kinds = {{
    {event_kind::config, "config"},
    {event_kind::port_config, "port-config"},
    {event_kind::handshake_start, "handshake-start"},
    {event_kind::handshake_fail, "handshake-fail"},
}};

}  // namespace

vdc *chassis::find_vdc(uint32_t id) {
  for (auto &v : vdcs)
    if (v.id == id) return &v;
  return nullptr;
}

const vdc *chassis::find_vdc(uint32_t id) const {
  for (auto &v : vdcs)
    if (v.id == id) return &v;
  return nullptr;
}

vdc *chassis::find_vdc(const std::string &name) {
  for (auto &v : vdcs)
    if (strcasecmp(v.name.c_str(), name.c_str()) == 0) return &v;
  return nullptr;
}

const module *chassis::find_module(uint32_t slot) const {
  for (auto &m : modules)
    if (m.slot == slot) return &m;
  return nullptr;
}

const feature_set *chassis::find_feature_set(const std::string &name) const {
  for (auto &fs : feature_sets)
    if (strcasecmp(fs.name.c_str(), name.c_str()) == 0) return &fs;
  return nullptr;
}

interface *chassis::find_interface(const std::string &name) {
  for (auto &i : interfaces) {
    if (strcasecmp(i.name.c_str(), name.c_str()) == 0 ||
        strcasecmp(i.short_name.c_str(), name.c_str()) == 0)
      return &i;
  }
  return nullptr;
}

const char *event_kind_name(event_kind kind) {
  for (auto &[k, name] : event_kinds)
    if (k == kind) return name;
  return "config";
}

std::optional<event_kind> event_kind_from(const std::string &name) {
  for (auto &[k, n] : event_kinds)
    if (name == n) return k;
  return std::nullopt;
}

std::string event_kind_choices() {
  std::string text;
  for (size_t i = 0; i < event_kinds.size(); ++i)
    text += (i == 0                        ? "\""
             : i + 1 == event_kinds.size() ? " or \""
                                           : ", \"") +
            std::string(event_kinds[i].second) + "\"";
  return text;
}

}  // namespace vdcsim
