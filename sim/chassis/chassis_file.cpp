// Reading a chassis file into the model: the order of the sections and every section
// but the VDCs and interfaces (chassis_vdcs.cpp). A reference to a VDC, a linecard type
// or a feature set that does not exist is reported where it stands.
#include "chassis/chassis_file.h"

#include <strings.h>

#include "chassis/chassis_parser.h"
#include "chassis/names.h"
#include "switch/session_files.h"

namespace vdcsim {
namespace {

constexpr uint32_t dirty_marker = 999;
constexpr uint32_t max_linecard_types = 16;

}  // namespace

bool chassis_parser::run(const doc::value &root) {
  node top{root, ""};
  if (!r_.object(top, {"clock", "switchwide_mode", "max_vdcs", "operator", "linecard_types",
                       "modules", "feature_sets", "error_texts", "vdcs", "interfaces", "storage",
                       "dirty_bits", "events"}))
    return false;
  r_.time(top, "clock", c_.clock);
  r_.text(top, "switchwide_mode", c_.switchwide_mode);
  r_.word(top, "max_vdcs", 1, 256, c_.max_vdcs);
  read_operator(top);
  r_.list(top, "linecard_types", [&](const node &n) { read_linecard_type(n); });
  r_.list(top, "modules", [&](const node &n) { read_module(n); });
  r_.list(top, "feature_sets", [&](const node &n) { read_feature_set(n); });
  r_.list(top, "error_texts", [&](const node &n) { read_error_text(n); });
  r_.list(
      top, "vdcs", [&](const node &n) { read_vdc(n); }, true);
  if (r_.ok() && c_.vdcs.empty()) r_.fail(root.member("vdcs")->at, "vdcs", "no VDC at all");
  if (const doc::value *list = top.v.member("interfaces"); list != nullptr) {
    c_.interfaces.reserve(list->items.size());
    interface_names_.reserve(2 * list->items.size());
    ifindexes_.reserve(list->items.size());
  }
  r_.list(top, "interfaces", [&](const node &n) { read_interface(n); });
  read_storage(top);
  read_dirty_bits(top);
  r_.list(top, "events", [&](const node &n) { read_event(n); });
  return r_.ok();
}

void chassis_parser::check(bool bad, const node &n, const char *name, std::string_view what) {
  if (!r_.ok() || !bad) return;
  const doc::value *v = n.v.member(name);
  r_.fail(v ? v->at : n.v.at, n.child(name), std::string(what));
}

void chassis_parser::check_item(bool bad, const node &n, const char *name, size_t i,
                                std::string_view what) {
  if (!r_.ok() || !bad) return;
  const doc::value &v = n.v.member(name)->items[i];
  r_.fail(v.at, n.child(name) + "[" + std::to_string(i) + "]", std::string(what));
}

void chassis_parser::read_operator(const node &top) {
  const doc::value *v = r_.field(top, "operator", false);
  if (v == nullptr) return;
  node n{*v, "operator"};
  if (!r_.object(n, {"user", "role"})) return;
  r_.text(n, "user", c_.op.user);
  r_.text(n, "role", c_.op.role);
  check(c_.op.user.empty(), n, "user", "the user name is empty");
}

void chassis_parser::read_linecard_type(const node &n) {
  if (!r_.object(n, {"value", "name", "ethernet", "fcoe"})) return;
  linecard_type t;
  r_.code(n, "value", t.value, true);
  r_.text(n, "name", t.name, true);
  r_.boolean(n, "ethernet", t.ethernet);
  r_.boolean(n, "fcoe", t.fcoe);
  check(!valid_keyword(t.name), n, "name", "expected a name of letters, digits, '-' and '_'");
  for (auto &other : c_.linecard_types)
    check(strcasecmp(other.name.c_str(), t.name.c_str()) == 0, n, "name",
          "linecard type \"" + t.name + "\" is listed twice");
  check(c_.linecard_types.size() == max_linecard_types, n, "name",
        "more than " + std::to_string(max_linecard_types) + " linecard types");
  c_.linecard_types.push_back(t);
}

const linecard_type *chassis_parser::linecard_type_named(const std::string &name) const {
  for (auto &t : c_.linecard_types)
    if (strcasecmp(t.name.c_str(), name.c_str()) == 0) return &t;
  return nullptr;
}

void chassis_parser::spell_as_declared(std::string &type) const {
  if (auto *t = linecard_type_named(type)) type = t->name;
}

void chassis_parser::read_module(const node &n) {
  if (!r_.object(n, {"slot", "type"})) return;
  module m;
  r_.word(n, "slot", 1, max_slot, m.slot, true);
  r_.text(n, "type", m.type, true);
  check(c_.find_module(m.slot) != nullptr, n, "slot",
        "slot " + std::to_string(m.slot) + " holds two modules");
  check(!known_linecard_type(m.type), n, "type", "no linecard type \"" + m.type + "\"");
  spell_as_declared(m.type);
  c_.modules.push_back(m);
}

void chassis_parser::read_feature_set(const node &n) {
  if (!r_.object(n, {"id", "name"})) return;
  feature_set fs;
  r_.word(n, "id", 0, UINT32_MAX, fs.id, true);
  r_.text(n, "name", fs.name, true);
  check(!valid_keyword(fs.name) || fs.name.size() > 31, n, "name",
        "expected a name of at most 31 letters, digits, '-' and '_'");
  check(c_.find_feature_set(fs.name) != nullptr, n, "name",
        "feature set \"" + fs.name + "\" is listed twice");
  for (auto &other : c_.feature_sets)
    check(other.id == fs.id, n, "id", "feature-set id " + std::to_string(fs.id) + " is taken");
  c_.feature_sets.push_back(fs);
}

void chassis_parser::read_error_text(const node &n) {
  if (!r_.object(n, {"code", "text"})) return;
  error_text e;
  r_.code(n, "code", e.code, true);
  r_.text(n, "text", e.text, true);
  c_.error_texts.push_back(e);
}

void chassis_parser::read_storage(const node &top) {
  const doc::value *v = r_.field(top, "storage", false);
  if (v == nullptr) return;
  node n{*v, "storage"};
  if (!r_.object(n, {"vdc", "sharing_eth_vdc", "reserved_vlans"})) return;
  r_.word(n, "vdc", 0, c_.max_vdcs, c_.fcoe.vdc);
  r_.word(n, "sharing_eth_vdc", 0, c_.max_vdcs, c_.fcoe.sharing_eth_vdc);
  check(c_.fcoe.vdc != 0 && !known_vdc(c_.fcoe.vdc), n, "vdc", "no such VDC");
  check(c_.fcoe.sharing_eth_vdc != 0 && !known_vdc(c_.fcoe.sharing_eth_vdc), n, "sharing_eth_vdc",
        "no such VDC");
  r_.list(n, "reserved_vlans", [&](const node &item) { read_vlan_range(item); });
}

void chassis_parser::read_vlan_range(const node &n) {
  int64_t low = 0;
  int64_t high = 0;
  if (n.v.type == doc::kind::number) {
    if (r_.whole(n.v, n.path, 1, 4094, low)) high = low;
  } else if (n.v.type == doc::kind::list && n.v.items.size() == 2) {
    if (r_.whole(n.v.items[0], n.path + "[0]", 1, 4094, low))
      r_.whole(n.v.items[1], n.path + "[1]", low, 4094, high);
  } else {
    r_.fail(n.v.at, n.path, "expected a VLAN number or a [low, high] pair");
  }
  c_.fcoe.reserved_vlans.push_back({static_cast<uint32_t>(low), static_cast<uint32_t>(high)});
}

void chassis_parser::read_dirty_bits(const node &top) {
  const doc::value *v = r_.field(top, "dirty_bits", false);
  if (v == nullptr) return;
  node n{*v, "dirty_bits"};
  if (!r_.object(n, {"dirty", "active", "pending"})) return;
  r_.words(n, "dirty", 0, dirty_marker - 1, c_.dirty.dirty);
  r_.words(n, "active", 0, dirty_marker - 1, c_.dirty.active);
  r_.words(n, "pending", 0, dirty_marker - 1, c_.dirty.pending);
}

void chassis_parser::read_event(const node &n) {
  if (!r_.object(
          n, {"time", "kind", "vdc", "vdc_name", "state", "desc", "dest_vdc", "sources", "ports"}))
    return;
  event e;
  std::string kind;
  r_.time(n, "time", e.time, true);
  r_.text(n, "kind", kind, true);
  auto parsed = event_kind_from(kind);
  check(r_.ok() && !parsed, n, "kind",
        "expected \"config\", \"port-config\", \"handshake-start\" or \"handshake-fail\"");
  if (parsed) e.kind = *parsed;
  r_.word(n, "vdc", 0, UINT16_MAX, e.vdc);
  r_.text(n, "vdc_name", e.vdc_name);
  r_.text(n, "state", e.state);
  r_.text(n, "desc", e.desc);
  r_.word(n, "dest_vdc", 0, UINT16_MAX, e.dest_vdc);
  r_.words(n, "sources", 0, c_.max_vdcs, e.sources);
  uint32_t ports = 0;
  r_.word(n, "ports", 0, INT32_MAX, ports);
  e.ports = static_cast<int32_t>(ports);
  check(e.vdc_name.size() > 63, n, "vdc_name", "longer than 63 characters");
  check(e.desc.size() > 99, n, "desc", "longer than 99 characters");
  c_.events.push_back(std::move(e));
}

bool parse_chassis(std::string_view text, const std::string &file_name, chassis &out,
                   std::string &error) {
  doc::value root;
  doc::parse_error syntax;
  if (!doc::parse(text, root, syntax)) {
    error = file_name + ":" + std::to_string(syntax.at.line) + ":" +
            std::to_string(syntax.at.column) + ": " + syntax.message;
    return false;
  }
  chassis loaded;
  loaded.vdcs.clear();
  chassis_parser parser(file_name, loaded);
  if (!parser.run(root)) {
    error = parser.error();
    return false;
  }
  out = std::move(loaded);
  return true;
}

bool load_chassis(const std::string &path, chassis &out, std::string &error) {
  std::string text;
  if (!read_bounded(path, max_chassis_bytes, true, text, error)) return false;
  return parse_chassis(text, path, out, error);
}

}  // namespace vdcsim
