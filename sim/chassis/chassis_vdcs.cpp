// The VDC and interface sections of a chassis file: ids, names and interface indexes
// must be unique, and every reference must name a VDC, linecard type or feature set
// read before it.
#include <strings.h>

#include "chassis/chassis_parser.h"
#include "chassis/names.h"

namespace vdcsim {
namespace {

std::string lowercase(std::string text) {
  for (char &c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

}  // namespace

void chassis_parser::read_vdc(const node &n) {
  if (!r_.object(n, {"id", "name", "state", "mac", "ha_policy", "dual_sup_ha_policy", "boot_order",
                     "cpu_share", "create_time", "reload_count", "restart_count", "restart_time",
                     "restart_reason", "type", "module_types", "feature_sets", "setup_done",
                     "setup_fails"}))
    return;
  vdc v;
  r_.word(n, "id", 1, c_.max_vdcs, v.id, true);
  r_.text(n, "name", v.name, true);
  v.mac = default_mac(v.id);
  v.create_time = c_.clock;
  read_vdc_texts(n, v);
  read_vdc_numbers(n, v);
  r_.texts(n, "module_types", v.module_types);
  r_.texts(n, "feature_sets", v.feature_sets);
  r_.boolean(n, "setup_done", v.setup_done);
  r_.boolean(n, "setup_fails", v.setup_fails);
  check_vdc(n, v);
  vdc_ids_.resize(c_.max_vdcs + 1);
  if (v.id <= c_.max_vdcs) vdc_ids_[v.id] = true;
  c_.vdcs.push_back(v);
}

void chassis_parser::read_vdc_texts(const node &n, vdc &v) {
  r_.text(n, "state", v.state);
  r_.text(n, "mac", v.mac);
  r_.text(n, "ha_policy", v.ha_policy);
  r_.text(n, "dual_sup_ha_policy", v.dual_sup_ha_policy);
  r_.text(n, "restart_reason", v.restart_reason);
  r_.text(n, "type", v.type);
}

void chassis_parser::read_vdc_numbers(const node &n, vdc &v) {
  r_.word(n, "boot_order", 0, 1000, v.boot_order);
  r_.word(n, "cpu_share", 1, 10, v.cpu_share);
  r_.time(n, "create_time", v.create_time);
  r_.word(n, "reload_count", 0, INT32_MAX, v.reload_count);
  r_.word(n, "restart_count", 0, INT32_MAX, v.restart_count);
  r_.time(n, "restart_time", v.restart_time);
}

void chassis_parser::check_vdc(const node &n, vdc &v) {
  check(c_.vdcs.empty() && v.id != 1, n, "id", "the first VDC is the default VDC, id 1");
  check(known_vdc(v.id), n, "id", "VDC id " + std::to_string(v.id) + " is taken");
  check(!valid_vdc_name(v.name), n, "name",
        "expected a VDC name of 1 to 63 letters, digits, '-', '_' and '.'");
  for (auto &other : c_.vdcs)
    if (strcasecmp(other.name.c_str(), v.name.c_str()) == 0)
      check(true, n, "name", "VDC name \"" + v.name + "\" is taken");
  for (size_t i = 0; i < v.module_types.size(); ++i)
    check_item(!known_linecard_type(v.module_types[i]), n, "module_types", i,
               "no linecard type \"" + v.module_types[i] + "\"");
  for (size_t i = 0; i < v.feature_sets.size(); ++i)
    check_item(c_.find_feature_set(v.feature_sets[i]) == nullptr, n, "feature_sets", i,
               "no installed feature set \"" + v.feature_sets[i] + "\"");
  for (size_t i = 0; i < v.feature_sets.size(); ++i)
    for (size_t j = 0; j < i; ++j)
      check_item(strcasecmp(v.feature_sets[i].c_str(), v.feature_sets[j].c_str()) == 0, n,
                 "feature_sets", i, "feature set \"" + v.feature_sets[i] + "\" is listed twice");
  if (!r_.ok()) return;
  for (auto &type : v.module_types)
    spell_as_declared(type);
  for (auto &name : v.feature_sets)
    name = c_.find_feature_set(name)->name;
}

void chassis_parser::read_interface(const node &n) {
  if (!r_.object(n, {"name", "short_name", "ifindex", "slot", "vdc", "shared_with", "breakout",
                     "move_result", "move_status"}))
    return;
  interface i;
  i.ifindex = default_ifindex(c_.interfaces.size());
  r_.text(n, "name", i.name, true);
  i.short_name = short_interface_name(i.name);
  r_.text(n, "short_name", i.short_name);
  r_.code(n, "ifindex", i.ifindex);
  r_.word(n, "slot", 1, max_slot, i.slot, true);
  r_.word(n, "vdc", 0, c_.max_vdcs, i.vdc);
  r_.words(n, "shared_with", 1, c_.max_vdcs, i.shared_with);
  r_.boolean(n, "breakout", i.breakout);
  uint32_t result = 0;
  r_.code(n, "move_result", result);
  i.move_result = static_cast<int32_t>(result);
  r_.code(n, "move_status", i.move_status);
  check_interface(n, i);
  c_.interfaces.push_back(std::move(i));
}

void chassis_parser::check_interface(const node &n, const interface &i) {
  check(i.name.empty() || i.name.size() > 200, n, "name", "expected 1 to 200 characters");
  check(i.short_name.empty() || i.short_name.size() > 200, n, "short_name",
        "expected 1 to 200 characters");
  // Long and short names share one space of names, in any case.
  std::string name = lowercase(i.name), short_name = lowercase(i.short_name);
  if (!interface_names_.insert(name).second)
    check(true, n, "name", "interface \"" + i.name + "\" is listed twice");
  else if (short_name != name && !interface_names_.insert(short_name).second)
    check(true, n, "short_name", "interface \"" + i.short_name + "\" is listed twice");
  if (!ifindexes_.insert(i.ifindex).second) check(true, n, "ifindex", "interface index is taken");
  if (i.vdc != 0 && !known_vdc(i.vdc)) check(true, n, "vdc", "no VDC " + std::to_string(i.vdc));
  for (size_t k = 0; k < i.shared_with.size(); ++k)
    if (!known_vdc(i.shared_with[k]))
      check_item(true, n, "shared_with", k, "no VDC " + std::to_string(i.shared_with[k]));
}

}  // namespace vdcsim
