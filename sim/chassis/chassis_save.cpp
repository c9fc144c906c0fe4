// Writing the model as a chassis file: the nested shells of a switch read the state the
// outer shell left, and write back what they changed.
#include <cstdio>
#include <ctime>
#include <type_traits>

#include "chassis/chassis_file.h"
#include "chassis/json.h"
#include "chassis/names.h"
#include "switch/session_files.h"

namespace vdcsim {
namespace {

void hex_code(json::writer &w, const char *name, uint32_t code) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%x", code);
  w.key(name);
  w.string(text);
}

void text_field(json::writer &w, const char *name, const std::string &text) {
  w.key(name);
  w.string(text);
}

void number_field(json::writer &w, const char *name, int64_t number) {
  w.key(name);
  w.integer(number);
}

void bool_field(json::writer &w, const char *name, bool flag) {
  w.key(name);
  w.boolean(flag);
}

void time_field(json::writer &w, const char *name, int64_t seconds) {
  text_field(w, name, format_time(seconds));
}

// A named array with one element written by `write_item` per item.
template <typename T, typename Fn>
void array_field(json::writer &w, const char *name, const std::vector<T> &items, Fn write_item) {
  w.key(name);
  w.begin_array();
  for (auto &item : items)
    write_item(item);
  w.end_array();
}

template <typename T>
void list_field(json::writer &w, const char *name, const std::vector<T> &items) {
  array_field(w, name, items, [&w](const T &item) {
    if constexpr (std::is_same_v<T, std::string>)
      w.string(item);
    else
      w.integer(item);
  });
}

void write_linecards(json::writer &w, const chassis &c) {
  array_field(w, "linecard_types", c.linecard_types, [&w](const auto &t) {
    w.begin_object();
    hex_code(w, "value", t.value);
    text_field(w, "name", t.name);
    bool_field(w, "ethernet", t.ethernet);
    bool_field(w, "fcoe", t.fcoe);
    w.end_object();
  });
  array_field(w, "modules", c.modules, [&w](const auto &m) {
    w.begin_object();
    number_field(w, "slot", m.slot);
    text_field(w, "type", m.type);
    w.end_object();
  });
}

void write_feature_sets(json::writer &w, const chassis &c) {
  array_field(w, "feature_sets", c.feature_sets, [&w](const auto &fs) {
    w.begin_object();
    number_field(w, "id", fs.id);
    text_field(w, "name", fs.name);
    w.end_object();
  });
  array_field(w, "error_texts", c.error_texts, [&w](const auto &e) {
    w.begin_object();
    hex_code(w, "code", e.code);
    text_field(w, "text", e.text);
    w.end_object();
  });
}

void write_vdc(json::writer &w, const vdc &v) {
  w.begin_object();
  number_field(w, "id", v.id);
  text_field(w, "name", v.name);
  text_field(w, "state", v.state);
  text_field(w, "mac", v.mac);
  text_field(w, "ha_policy", v.ha_policy);
  text_field(w, "dual_sup_ha_policy", v.dual_sup_ha_policy);
  number_field(w, "boot_order", v.boot_order);
  number_field(w, "cpu_share", v.cpu_share);
  time_field(w, "create_time", v.create_time);
  number_field(w, "reload_count", v.reload_count);
  number_field(w, "restart_count", v.restart_count);
  time_field(w, "restart_time", v.restart_time);
  text_field(w, "restart_reason", v.restart_reason);
  text_field(w, "type", v.type);
  list_field(w, "module_types", v.module_types);
  list_field(w, "feature_sets", v.feature_sets);
  bool_field(w, "setup_done", v.setup_done);
  bool_field(w, "setup_fails", v.setup_fails);
  w.end_object();
}

// Interfaces are most of a large chassis: fields that hold their defaults are left out.
void write_interface(json::writer &w, const interface &i, size_t position) {
  w.begin_object();
  text_field(w, "name", i.name);
  if (i.short_name != short_interface_name(i.name)) text_field(w, "short_name", i.short_name);
  if (i.ifindex != default_ifindex(position)) hex_code(w, "ifindex", i.ifindex);
  number_field(w, "slot", i.slot);
  if (i.vdc != 0) number_field(w, "vdc", i.vdc);
  if (!i.shared_with.empty()) list_field(w, "shared_with", i.shared_with);
  if (i.breakout) bool_field(w, "breakout", i.breakout);
  if (i.move_result != 0) hex_code(w, "move_result", static_cast<uint32_t>(i.move_result));
  if (i.move_status != 0) hex_code(w, "move_status", i.move_status);
  w.end_object();
}

void write_storage(json::writer &w, const chassis &c) {
  w.key("storage");
  w.begin_object();
  number_field(w, "vdc", c.fcoe.vdc);
  number_field(w, "sharing_eth_vdc", c.fcoe.sharing_eth_vdc);
  array_field(w, "reserved_vlans", c.fcoe.reserved_vlans, [&w](const auto &r) {
    w.begin_array();
    w.integer(r.low);
    w.integer(r.high);
    w.end_array();
  });
  w.end_object();
}

void write_dirty_bits(json::writer &w, const chassis &c) {
  w.key("dirty_bits");
  w.begin_object();
  list_field(w, "dirty", c.dirty.dirty);
  list_field(w, "active", c.dirty.active);
  list_field(w, "pending", c.dirty.pending);
  w.end_object();
}

void write_event(json::writer &w, const event &e) {
  w.begin_object();
  time_field(w, "time", e.time);
  text_field(w, "kind", event_kind_name(e.kind));
  number_field(w, "vdc", e.vdc);
  text_field(w, "vdc_name", e.vdc_name);
  text_field(w, "state", e.state);
  text_field(w, "desc", e.desc);
  number_field(w, "dest_vdc", e.dest_vdc);
  list_field(w, "sources", e.sources);
  number_field(w, "ports", e.ports);
  w.end_object();
}

}  // namespace

std::string format_time(int64_t seconds) {
  time_t t = static_cast<time_t>(seconds);
  struct tm tm {};
  gmtime_r(&t, &tm);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &tm);
  return text;
}

std::string chassis_to_json(const chassis &c) {
  json::writer w;
  w.begin_object();
  time_field(w, "clock", c.clock);
  text_field(w, "switchwide_mode", c.switchwide_mode);
  number_field(w, "max_vdcs", c.max_vdcs);
  w.key("operator");
  w.begin_object();
  text_field(w, "user", c.op.user);
  text_field(w, "role", c.op.role);
  w.end_object();
  write_linecards(w, c);
  write_feature_sets(w, c);
  array_field(w, "vdcs", c.vdcs, [&w](const vdc &v) { write_vdc(w, v); });
  size_t position = 0;
  array_field(w, "interfaces", c.interfaces,
              [&](const interface &i) { write_interface(w, i, position++); });
  write_storage(w, c);
  write_dirty_bits(w, c);
  array_field(w, "events", c.events, [&w](const event &e) { write_event(w, e); });
  w.end_object();
  return w.text();
}

bool save_chassis(const std::string &path, const chassis &c, std::string &error) {
  return replace_file(path, chassis_to_json(c), error);
}

}  // namespace vdcsim
