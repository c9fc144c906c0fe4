// The checks of each record once its fields are read: names and ids that must be unique
// (names in any case), references to the VDCs, linecard types and feature sets read
// before it, and the defaults worked out from other fields.
#include <string>

#include "chassis/chassis_reader.h"
#include "chassis/names.h"

namespace vdcsim {
namespace {

constexpr size_t max_linecard_types = 16;

std::string lowercase(std::string_view text) {
  std::string out(text);
  for (char &c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

}  // namespace

template <class R>
bool chassis_reader::fail_at(const record_marks<R> &m, const where &at, std::string_view name,
                             const std::string &what) {
  size_t i = row_of<R>(name);
  return fail(m.seen[i] ? m.field[i] : m.at, where{&at, name}, what);
}

template <class R>
bool chassis_reader::fail_item(const record_marks<R> &m, const where &at, std::string_view name,
                               size_t k, const std::string &what) {
  where list{&at, name};
  return fail(m.items[row_of<R>(name)][k], where{&list, "", k}, what);
}

bool chassis_reader::check(operator_account &r, const record_marks<operator_account> &m,
                           const where &at) {
  return !r.user.empty() || fail_at(m, at, "user", "the user name is empty");
}

bool chassis_reader::check(linecard_type &r, const record_marks<linecard_type> &m,
                           const where &at) {
  if (!valid_keyword(r.name))
    return fail_at(m, at, "name", "expected a name of letters, digits, '-' and '_'");
  if (!linecard_types_.emplace(lowercase(r.name), c_.linecard_types.size()).second)
    return fail_at(m, at, "name", "linecard type \"" + r.name + "\" is listed twice");
  if (c_.linecard_types.size() == max_linecard_types)
    return fail_at(m, at, "name",
                   "more than " + std::to_string(max_linecard_types) + " linecard types");
  return true;
}

bool chassis_reader::check(module &r, const record_marks<module> &m, const where &at) {
  if (c_.find_module(r.slot) != nullptr)
    return fail_at(m, at, "slot", "slot " + std::to_string(r.slot) + " holds two modules");
  auto type = linecard_types_.find(lowercase(r.type));
  if (type == linecard_types_.end())
    return fail_at(m, at, "type", "no linecard type \"" + r.type + "\"");
  r.type = c_.linecard_types[type->second].name;
  return true;
}

bool chassis_reader::check(feature_set &r, const record_marks<feature_set> &m, const where &at) {
  if (!valid_keyword(r.name) || r.name.size() > 31)
    return fail_at(m, at, "name", "expected a name of at most 31 letters, digits, '-' and '_'");
  if (!feature_sets_.emplace(lowercase(r.name), c_.feature_sets.size()).second)
    return fail_at(m, at, "name", "feature set \"" + r.name + "\" is listed twice");
  if (!feature_set_ids_.insert(r.id).second)
    return fail_at(m, at, "id", "feature-set id " + std::to_string(r.id) + " is taken");
  return true;
}

bool chassis_reader::check(vdc &r, const record_marks<vdc> &m, const where &at) {
  if (!m.seen[row_of<vdc>("mac")]) r.mac = default_mac(r.id);
  if (!m.seen[row_of<vdc>("create_time")]) r.create_time = c_.clock;
  if (c_.vdcs.empty() && r.id != 1)
    return fail_at(m, at, "id", "the first VDC is the default VDC, id 1");
  if (known_vdc(r.id)) return fail_at(m, at, "id", "VDC id " + std::to_string(r.id) + " is taken");
  if (!valid_vdc_name(r.name))
    return fail_at(m, at, "name",
                   "expected a VDC name of 1 to 63 letters, digits, '-', '_' and '.'");
  if (!vdc_names_.insert(lowercase(r.name)).second)
    return fail_at(m, at, "name", "VDC name \"" + r.name + "\" is taken");
  if (!check_lists(r, m, at)) return false;
  vdc_ids_.resize(c_.max_vdcs + 1);
  vdc_ids_[r.id] = true;
  return true;
}

// A VDC's linecard types and feature sets name ones the chassis has, each once; they
// are kept as the chassis spells them.
bool chassis_reader::check_lists(vdc &r, const record_marks<vdc> &m, const where &at) {
  std::unordered_set<std::string> accepted, allowed;
  for (size_t k = 0; k < r.module_types.size(); ++k) {
    auto type = linecard_types_.find(lowercase(r.module_types[k]));
    if (type == linecard_types_.end())
      return fail_item(m, at, "module_types", k, "no linecard type \"" + r.module_types[k] + "\"");
    if (!accepted.insert(type->first).second)
      return fail_item(m, at, "module_types", k,
                       "linecard type \"" + r.module_types[k] + "\" is listed twice");
    r.module_types[k] = c_.linecard_types[type->second].name;
  }
  for (size_t k = 0; k < r.feature_sets.size(); ++k) {
    auto set = feature_sets_.find(lowercase(r.feature_sets[k]));
    if (set == feature_sets_.end())
      return fail_item(m, at, "feature_sets", k,
                       "no installed feature set \"" + r.feature_sets[k] + "\"");
    if (!allowed.insert(set->first).second)
      return fail_item(m, at, "feature_sets", k,
                       "feature set \"" + r.feature_sets[k] + "\" is listed twice");
    r.feature_sets[k] = c_.feature_sets[set->second].name;
  }
  return true;
}

bool chassis_reader::check(interface &r, const record_marks<interface> &m, const where &at) {
  if (!m.seen[row_of<interface>("short_name")]) r.short_name = short_interface_name(r.name);
  if (!m.seen[row_of<interface>("ifindex")]) r.ifindex = default_ifindex(c_.interfaces.size());
  if (r.name.empty() || r.name.size() > 200)
    return fail_at(m, at, "name", "expected 1 to 200 characters");
  if (r.short_name.empty() || r.short_name.size() > 200)
    return fail_at(m, at, "short_name", "expected 1 to 200 characters");
  // Long and short names share one space of names, in any case.
  std::string name = lowercase(r.name), short_name = lowercase(r.short_name);
  if (!interface_names_.insert(name).second)
    return fail_at(m, at, "name", "interface \"" + r.name + "\" is listed twice");
  if (short_name != name && !interface_names_.insert(short_name).second)
    return fail_at(m, at, "short_name", "interface \"" + r.short_name + "\" is listed twice");
  if (!ifindexes_.insert(r.ifindex).second)
    return fail_at(m, at, "ifindex", "interface index is taken");
  if (r.vdc != 0 && !known_vdc(r.vdc))
    return fail_at(m, at, "vdc", "no VDC " + std::to_string(r.vdc));
  for (size_t k = 0; k < r.shared_with.size(); ++k)
    if (!known_vdc(r.shared_with[k]))
      return fail_item(m, at, "shared_with", k, "no VDC " + std::to_string(r.shared_with[k]));
  return true;
}

bool chassis_reader::check(storage &r, const record_marks<storage> &m, const where &at) {
  if (r.vdc != 0 && !known_vdc(r.vdc)) return fail_at(m, at, "vdc", "no such VDC");
  if (r.sharing_eth_vdc != 0 && !known_vdc(r.sharing_eth_vdc))
    return fail_at(m, at, "sharing_eth_vdc", "no such VDC");
  return true;
}

}  // namespace vdcsim
