// Writing the model as a chassis file: the nested shells of a switch read the state the
// outer shell left and write back what they changed, and `copy running-config` saves it.
#include <ctime>

#include "chassis/chassis_file.h"
#include "chassis/names.h"
#include "chassis/yaml_writer.h"
#include "util/files.h"

namespace vdcsim {
namespace {

// A list field with one entry per item, each written by `write_item`.
template <typename T, typename Fn>
void list_field(yaml_writer &w, const char *name, const std::vector<T> &items, bool flow,
                Fn write_item) {
  if (items.empty()) return w.raw(name, "[]");
  w.open(name);
  for (auto &item : items) {
    w.begin_item(flow);
    write_item(item);
    w.end_item();
  }
  w.close();
}

void write_top(yaml_writer &w, const chassis &c) {
  w.text("clock", format_time(c.clock));
  w.text("switchwide_mode", c.switchwide_mode);
  w.integer("max_vdcs", c.max_vdcs);
  w.open("operator");
  w.text("user", c.op.user);
  w.text("role", c.op.role);
  w.close();
}

void write_linecards(yaml_writer &w, const chassis &c) {
  list_field(w, "linecard_types", c.linecard_types, true, [&w](const auto &t) {
    w.hex("value", t.value);
    w.text("name", t.name);
    w.boolean("ethernet", t.ethernet);
    w.boolean("fcoe", t.fcoe);
  });
  list_field(w, "modules", c.modules, true, [&w](const auto &m) {
    w.integer("slot", m.slot);
    w.text("type", m.type);
  });
}

void write_feature_sets(yaml_writer &w, const chassis &c) {
  list_field(w, "feature_sets", c.feature_sets, true, [&w](const auto &fs) {
    w.integer("id", fs.id);
    w.text("name", fs.name);
  });
  list_field(w, "error_texts", c.error_texts, true, [&w](const auto &e) {
    w.hex("code", e.code);
    w.text("text", e.text);
  });
}

void write_vdc(yaml_writer &w, const vdc &v) {
  w.integer("id", v.id);
  w.text("name", v.name);
  w.text("state", v.state);
  w.text("mac", v.mac);
  w.text("ha_policy", v.ha_policy);
  w.text("dual_sup_ha_policy", v.dual_sup_ha_policy);
  w.integer("boot_order", v.boot_order);
  w.integer("cpu_share", v.cpu_share);
  w.text("create_time", format_time(v.create_time));
  w.integer("reload_count", v.reload_count);
  w.integer("restart_count", v.restart_count);
  w.text("restart_time", format_time(v.restart_time));
  w.text("restart_reason", v.restart_reason);
  w.text("type", v.type);
  w.texts("module_types", v.module_types);
  w.texts("feature_sets", v.feature_sets);
  w.boolean("setup_done", v.setup_done);
  w.boolean("setup_fails", v.setup_fails);
}

// Interfaces are most of a large chassis: fields that hold their defaults are left out.
void write_interface(yaml_writer &w, const interface &i, size_t position) {
  w.text("name", i.name);
  if (i.short_name != short_interface_name(i.name)) w.text("short_name", i.short_name);
  if (i.ifindex != default_ifindex(position)) w.hex("ifindex", i.ifindex);
  w.integer("slot", i.slot);
  if (i.vdc != 0) w.integer("vdc", i.vdc);
  if (!i.shared_with.empty()) w.integers("shared_with", i.shared_with);
  if (i.breakout) w.boolean("breakout", i.breakout);
  if (i.move_result != 0) w.hex("move_result", static_cast<uint32_t>(i.move_result));
  if (i.move_status != 0) w.hex("move_status", i.move_status);
}

void write_storage(yaml_writer &w, const chassis &c) {
  w.open("storage");
  w.integer("vdc", c.fcoe.vdc);
  w.integer("sharing_eth_vdc", c.fcoe.sharing_eth_vdc);
  std::string ranges = "[";
  for (auto &r : c.fcoe.reserved_vlans)
    ranges.append(ranges.size() > 1 ? ", [" : "[")
        .append(std::to_string(r.low) + ", " + std::to_string(r.high) + "]");
  w.raw("reserved_vlans", ranges + "]");
  w.close();
  w.open("dirty_bits");
  w.integers("dirty", c.dirty.dirty);
  w.integers("active", c.dirty.active);
  w.integers("pending", c.dirty.pending);
  w.close();
}

void write_event(yaml_writer &w, const event &e) {
  w.text("time", format_time(e.time));
  w.text("kind", event_kind_name(e.kind));
  w.integer("vdc", e.vdc);
  w.text("vdc_name", e.vdc_name);
  w.text("state", e.state);
  w.text("desc", e.desc);
  w.integer("dest_vdc", e.dest_vdc);
  w.integers("sources", e.sources);
  w.integer("ports", e.ports);
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

std::string chassis_to_yaml(const chassis &c) {
  yaml_writer w;
  w.comment("vdcsim chassis (sim/CHASSIS.md)");
  write_top(w, c);
  write_linecards(w, c);
  write_feature_sets(w, c);
  list_field(w, "vdcs", c.vdcs, false, [&w](const vdc &v) { write_vdc(w, v); });
  size_t position = 0;
  list_field(w, "interfaces", c.interfaces, true,
             [&](const interface &i) { write_interface(w, i, position++); });
  write_storage(w, c);
  list_field(w, "events", c.events, true, [&w](const event &e) { write_event(w, e); });
  return w.str();
}

bool save_chassis(const std::string &path, const chassis &c, std::string &error) {
  return replace_file(path, chassis_to_yaml(c), error);
}

}  // namespace vdcsim
