// Reading a chassis file into the model; every section is checked against the ones
// read before it, so a reference to a VDC, a linecard type or a feature set that does
// not exist is reported where it stands.
#include "chassis/chassis_file.h"

#include <strings.h>

#include <cctype>
#include <unordered_set>

#include "chassis/chassis_reader.h"
#include "chassis/names.h"
#include "switch/session_files.h"

namespace vdcsim {
namespace {

constexpr uint32_t dirty_marker = 999;
constexpr uint32_t max_linecard_types = 16;
constexpr uint32_t max_slot = 254;  // 255 stands for an unknown slot

std::string lowercase(std::string text) {
  for (char &c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

class chassis_parser {
 public:
  chassis_parser(const std::string &file, chassis &out) : r_(file), c_(out) {}

  bool run(const doc::value &root) {
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

  const std::string &error() const { return r_.error(); }

 private:
  // Reports `what` at the value of field `name` when `bad` holds.
  void check(bool bad, const node &n, const char *name, std::string_view what) {
    if (!r_.ok() || !bad) return;
    const doc::value *v = n.v.member(name);
    r_.fail(v ? v->at : n.v.at, n.child(name), std::string(what));
  }

  void check_item(bool bad, const node &n, const char *name, size_t i, std::string_view what) {
    if (!r_.ok() || !bad) return;
    const doc::value &v = n.v.member(name)->items[i];
    r_.fail(v.at, n.child(name) + "[" + std::to_string(i) + "]", std::string(what));
  }

  bool known_vdc(uint32_t id) const { return id < vdc_ids_.size() && vdc_ids_[id]; }

  void read_operator(const node &top) {
    const doc::value *v = r_.field(top, "operator", false);
    if (v == nullptr) return;
    node n{*v, "operator"};
    if (!r_.object(n, {"user", "role"})) return;
    r_.text(n, "user", c_.op.user);
    r_.text(n, "role", c_.op.role);
    check(c_.op.user.empty(), n, "user", "the user name is empty");
  }

  void read_linecard_type(const node &n) {
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

  // Names match in any case; a reference is kept as the name it refers to is written.
  const linecard_type *linecard_type_named(const std::string &name) const {
    for (auto &t : c_.linecard_types)
      if (strcasecmp(t.name.c_str(), name.c_str()) == 0) return &t;
    return nullptr;
  }
  bool known_linecard_type(const std::string &name) const {
    return linecard_type_named(name) != nullptr;
  }
  void spell_as_declared(std::string &type) const {
    if (auto *t = linecard_type_named(type)) type = t->name;
  }

  void read_module(const node &n) {
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

  void read_feature_set(const node &n) {
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

  void read_error_text(const node &n) {
    if (!r_.object(n, {"code", "text"})) return;
    error_text e;
    r_.code(n, "code", e.code, true);
    r_.text(n, "text", e.text, true);
    c_.error_texts.push_back(e);
  }

  void read_vdc(const node &n) {
    if (!r_.object(n, {"id", "name", "state", "mac", "ha_policy", "dual_sup_ha_policy",
                       "boot_order", "cpu_share", "create_time", "reload_count", "restart_count",
                       "restart_time", "restart_reason", "type", "module_types", "feature_sets",
                       "setup_done", "setup_fails"}))
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

  void read_vdc_texts(const node &n, vdc &v) {
    r_.text(n, "state", v.state);
    r_.text(n, "mac", v.mac);
    r_.text(n, "ha_policy", v.ha_policy);
    r_.text(n, "dual_sup_ha_policy", v.dual_sup_ha_policy);
    r_.text(n, "restart_reason", v.restart_reason);
    r_.text(n, "type", v.type);
  }

  void read_vdc_numbers(const node &n, vdc &v) {
    r_.word(n, "boot_order", 0, 1000, v.boot_order);
    r_.word(n, "cpu_share", 1, 10, v.cpu_share);
    r_.time(n, "create_time", v.create_time);
    r_.word(n, "reload_count", 0, INT32_MAX, v.reload_count);
    r_.word(n, "restart_count", 0, INT32_MAX, v.restart_count);
    r_.time(n, "restart_time", v.restart_time);
  }

  void check_vdc(const node &n, vdc &v) {
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

  void read_interface(const node &n) {
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

  void check_interface(const node &n, const interface &i) {
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

  void read_storage(const node &top) {
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

  void read_vlan_range(const node &n) {
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

  void read_dirty_bits(const node &top) {
    const doc::value *v = r_.field(top, "dirty_bits", false);
    if (v == nullptr) return;
    node n{*v, "dirty_bits"};
    if (!r_.object(n, {"dirty", "active", "pending"})) return;
    r_.words(n, "dirty", 0, dirty_marker - 1, c_.dirty.dirty);
    r_.words(n, "active", 0, dirty_marker - 1, c_.dirty.active);
    r_.words(n, "pending", 0, dirty_marker - 1, c_.dirty.pending);
  }

  void read_event(const node &n) {
    if (!r_.object(n, {"time", "kind", "vdc", "vdc_name", "state", "desc", "dest_vdc", "sources",
                       "ports"}))
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

  std::vector<bool> vdc_ids_;  // by id: read so far
  std::unordered_set<std::string> interface_names_;
  std::unordered_set<uint32_t> ifindexes_;
  chassis_reader r_;
  chassis &c_;
};

}  // namespace

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
