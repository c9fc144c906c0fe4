#include "switch/manager.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>

#include "chassis/names.h"

namespace vdcsim {
namespace {

constexpr uint32_t event_code_base = 0x01b30000;

std::vector<uint8_t> feature_set_list(const chassis &c, const std::vector<std::string> &names) {
  std::vector<std::pair<uint32_t, std::string>> sets;
  for (auto &name : names)
    if (auto *fs = c.find_feature_set(name)) sets.emplace_back(fs->id, fs->name);
  return standin::fs_list(sets);
}

template <typename T>
void put(std::vector<uint8_t> &record, size_t offset, T value) {
  std::memcpy(record.data() + offset, &value, sizeof value);
}

void put_text(std::vector<uint8_t> &record, size_t offset, size_t size, const std::string &text) {
  std::memcpy(record.data() + offset, text.data(), std::min(text.size(), size - 1));
}

}  // namespace

manager::manager(chassis &model, const library &lib, uint32_t current_vdc)
    : model_(model), lib_(lib), current_(current_vdc) {}

const vdc &manager::current_vdc() const {
  const vdc *v = model_.find_vdc(current_);
  return v ? *v : model_.default_vdc();
}

void manager::sync_platform(uint32_t vdc_environment) {
  auto &p = standin::platform();
  standin::clear_calls();
  p.current_vdc = current_;
  p.max_allowed_vdc = static_cast<int32_t>(model_.max_vdcs + 1);
  p.username = user_.empty() ? model_.op.user : user_;
  p.vdc_environment = static_cast<int32_t>(vdc_environment ? vdc_environment : current_);
  bool in_step = synced_version_ == version_ && p.vdcs.size() == model_.vdcs.size() &&
                 p.interfaces.size() == model_.interfaces.size();
  if (in_step) return;
  synced_version_ = version_;
  p.vdcs.clear();
  for (auto &v : model_.vdcs)
    p.vdcs.push_back({v.id, v.name});
  p.interfaces.clear();
  for (auto &i : model_.interfaces) {
    p.interfaces[i.ifindex] = standin::interface {
      i.name, i.short_name, static_cast<uint8_t>(i.slot), i.breakout, i.move_result, i.move_status
    };
  }
  p.sdb_records.clear();
  std::vector<std::string> installed;
  for (auto &fs : model_.feature_sets)
    installed.push_back(fs.name);
  p.sdb_records[standin::fs_key(0)] = feature_set_list(model_, installed);
  for (auto &v : model_.vdcs)
    p.sdb_records[standin::fs_key(static_cast<uint16_t>(v.id))] =
        feature_set_list(model_, v.feature_sets);
  p.error_texts.clear();
  for (auto &e : model_.error_texts)
    p.error_texts[e.code] = e.text;
}

uint32_t manager::state_code(const std::string &state) const {
  std::string name = "VDC_";
  for (char c : state)
    name += c == ' ' || c == '-' ? '_' : static_cast<char>(std::toupper(c));
  return lib_.__vdc_state_t_str2enum(name.c_str());
}

uint32_t manager::event_code(const event &e) const {
  return event_code_base + static_cast<uint32_t>(e.kind);
}

std::vector<uint8_t> manager::event_record(const event &e) const {
  size_t sources = model_.max_vdcs + 1;
  std::vector<uint8_t> record(VDC_EVENT_OFF_SOURCE_VDCS + 4 * sources, 0);
  put(record, VDC_EVENT_OFF_VDC_ID, static_cast<uint16_t>(e.vdc));
  put_text(record, VDC_EVENT_OFF_VDC_NAME, VDC_EVENT_NAME_LEN, e.vdc_name);
  put(record, VDC_EVENT_OFF_VDC_STATE, state_code(e.state));
  put_text(record, VDC_EVENT_OFF_DESC, VDC_EVENT_DESC_LEN, e.desc);
  put(record, VDC_EVENT_OFF_DEST_VDC_ID, static_cast<uint16_t>(e.dest_vdc));
  put(record, VDC_EVENT_OFF_NUM_PORTS, e.ports);
  for (uint32_t source : e.sources)
    if (source < sources) put(record, VDC_EVENT_OFF_SOURCE_VDCS + 4 * source, uint32_t{1});
  return record;
}

std::string manager::uptime(const vdc &v) const {
  int64_t since = v.restart_count > 0 ? std::max(v.create_time, v.restart_time) : v.create_time;
  int64_t up = v.state == "active" && model_.clock > since ? model_.clock - since : 0;
  char text[96];
  std::snprintf(text, sizeof text, "%lld day(s), %lld hour(s), %lld minute(s), %lld second(s)",
                static_cast<long long>(up / 86400), static_cast<long long>(up / 3600 % 24),
                static_cast<long long>(up / 60 % 60), static_cast<long long>(up % 60));
  return text;
}

uint32_t manager::cpu_share_percent(const vdc &v) const {
  uint32_t total = 0;
  for (auto &other : model_.vdcs)
    total += other.cpu_share;
  return total == 0 ? 0 : v.cpu_share * 100 / total;
}

void manager::record(event_kind kind, const vdc &v, const std::string &desc) {
  event e;
  e.time = model_.clock;
  e.kind = kind;
  e.vdc = v.id;
  e.vdc_name = v.name;
  e.state = v.state;
  e.desc = desc.substr(0, VDC_EVENT_DESC_LEN - 1);
  model_.events.push_back(e);
}

std::string manager::create_vdc(const std::string &name, uint32_t &id) {
  id = 0;
  for (uint32_t candidate = 2; candidate <= model_.max_vdcs && id == 0; ++candidate)
    if (model_.find_vdc(candidate) == nullptr) id = candidate;
  if (id == 0)
    return "The switch holds its maximum of " + std::to_string(model_.max_vdcs) + " VDCs.";
  vdc v;
  v.id = id;
  v.name = name;
  v.mac = default_mac(id);
  v.boot_order = id;
  v.create_time = model_.clock;
  v.setup_done = false;
  for (auto &t : model_.linecard_types)
    if (t.ethernet) v.module_types.push_back(t.name);
  model_.vdcs.push_back(v);
  std::sort(model_.vdcs.begin(), model_.vdcs.end(),
            [](const vdc &a, const vdc &b) { return a.id < b.id; });
  record(event_kind::config, *model_.find_vdc(id), "vdc created");
  changed();
  return "";
}

std::string manager::delete_vdc(uint32_t id) {
  if (id == VDC_DEFAULT_ID) return "The default VDC cannot be deleted.";
  vdc *v = model_.find_vdc(id);
  if (v == nullptr) return "No VDC " + std::to_string(id) + ".";
  vdc gone = *v;
  gone.state = "delete in progress";
  for (auto &i : model_.interfaces) {
    if (i.vdc == id) i.vdc = 0;
    std::erase(i.shared_with, id);
  }
  if (model_.fcoe.vdc == id) model_.fcoe.vdc = 0;
  if (model_.fcoe.sharing_eth_vdc == id) model_.fcoe.sharing_eth_vdc = 0;
  std::erase_if(model_.vdcs, [id](const vdc &other) { return other.id == id; });
  record(event_kind::config, gone, "vdc deleted");
  changed();
  return "";
}

std::string manager::allocate(const std::vector<interface *> &ports, uint32_t target) {
  vdc *v = model_.find_vdc(target);
  if (v == nullptr) return "No VDC " + std::to_string(target) + ".";
  for (auto *port : ports) {
    const module *m = model_.find_module(port->slot);
    if (m == nullptr) continue;
    if (std::find(v->module_types.begin(), v->module_types.end(), m->type) == v->module_types.end())
      return port->name + " is on a module of type " + m->type + ", which vdc " + v->name +
             " does not allow.";
  }
  event e;
  e.time = model_.clock;
  e.kind = event_kind::port_config;
  e.vdc = v->id;
  e.vdc_name = v->name;
  e.state = v->state;
  e.dest_vdc = v->id;
  e.ports = static_cast<int32_t>(ports.size());
  for (auto *port : ports) {
    if (port->vdc != target &&
        std::find(e.sources.begin(), e.sources.end(), port->vdc) == e.sources.end())
      e.sources.push_back(port->vdc);
    port->vdc = target;
    std::erase(port->shared_with, target);
  }
  std::sort(e.sources.begin(), e.sources.end());
  model_.events.push_back(e);
  changed();
  return "";
}

std::string manager::allow_feature_set(uint32_t fs_id, bool allow) {
  vdc *v = model_.find_vdc(current_);
  const feature_set *fs = nullptr;
  for (auto &candidate : model_.feature_sets)
    if (candidate.id == fs_id) fs = &candidate;
  if (v == nullptr || fs == nullptr) return "No feature set with id " + std::to_string(fs_id) + ".";
  auto it = std::find(v->feature_sets.begin(), v->feature_sets.end(), fs->name);
  bool allowed = it != v->feature_sets.end();
  if (allow && allowed)
    return "Feature set " + fs->name + " is already allowed in vdc " + v->name + ".";
  if (!allow && !allowed)
    return "Feature set " + fs->name + " is not allowed in vdc " + v->name + ".";
  if (allow)
    v->feature_sets.push_back(fs->name);
  else
    v->feature_sets.erase(it);
  record(event_kind::config, *v, "feature-set " + fs->name + (allow ? " allowed" : " disallowed"));
  changed();
  return "";
}

std::string manager::limit_module_types(const std::vector<std::string> &types) {
  vdc *v = model_.find_vdc(current_);
  if (v == nullptr) return "No current VDC.";
  for (auto &i : model_.interfaces) {
    if (i.vdc != v->id) continue;
    const module *m = model_.find_module(i.slot);
    if (m != nullptr && std::find(types.begin(), types.end(), m->type) == types.end())
      return "vdc " + v->name + " has " + i.name + " on a module of type " + m->type + ".";
  }
  v->module_types = types;
  std::string desc = "module-type";
  for (auto &t : types)
    desc += " " + t;
  record(event_kind::config, *v, desc);
  return "";
}

void manager::record_switch(uint32_t target) {
  const vdc *v = model_.find_vdc(target);
  if (v != nullptr) record(event_kind::handshake_start, *v, "");
}

}  // namespace vdcsim
