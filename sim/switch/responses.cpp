// The VDC manager's answers to the show and switch commands. Each VDC's record
// follows its VDC_ATTR_ID in the order the display reads it.
#include <cstring>

#include "switch/manager.h"

namespace vdcsim {
namespace {

using standin::attribute;
using standin::mark;
using standin::text;
using standin::word;

std::string joined(const std::vector<std::string> &words) {
  std::string line;
  for (auto &w : words)
    line += (line.empty() ? "" : " ") + w;
  return line;
}

attribute time_value(uint32_t id, int64_t seconds) {
  return word(id, static_cast<uint32_t>(static_cast<int32_t>(seconds)));
}

// The dirty-bit display reads a VDC number from the first 16-bit unit of the value.
attribute first_half(uint32_t id, uint32_t number) {
  std::vector<uint8_t> value(4, 0);
  uint16_t half = static_cast<uint16_t>(number);
  std::memcpy(value.data(), &half, sizeof half);
  return standin::bytes(id, value);
}

void add_all(std::vector<attribute> &to, std::vector<attribute> items) {
  for (auto &a : items)
    to.push_back(std::move(a));
}

}  // namespace

std::vector<const vdc *> manager::visible_vdcs() const {
  std::vector<const vdc *> shown;
  for (auto &v : model_.vdcs)
    if (in_default_vdc() || v.id == current_) shown.push_back(&v);
  return shown;
}

cmd_ctx manager::show(uint32_t selector) const {
  cmd_ctx cmd;
  cmd.request.push_back(word(VDC_REQ_SHOW_SELECT, selector));
  switch (selector) {
    case 1:
      add_feature_sets(cmd);
      break;
    case 2:
      add_summary(cmd);
      break;
    case 3:
    case 4:
      add_membership(cmd);
      break;
    case 5:
      add_detail(cmd);
      break;
    default:
      break;
  }
  return cmd;
}

void manager::add_summary(cmd_ctx &cmd) const {
  auto &r = cmd.response;
  if (!model_.switchwide_mode.empty())
    r.push_back(text(VDC_ATTR_SWITCHWIDE_MODE, model_.switchwide_mode));
  size_t longest = 0;
  for (auto *v : visible_vdcs())
    longest = std::max(longest, v->name.size());
  if (longest > narrow_name_limit)
    r.push_back(word(VDC_ATTR_NAME_WIDTH, static_cast<uint32_t>(longest)));
  for (auto *v : visible_vdcs()) {
    add_all(r,
            {word(VDC_ATTR_ID, v->id), text(VDC_ATTR_NAME, v->name), text(VDC_ATTR_STATE, v->state),
             text(VDC_ATTR_MAC, v->mac), text(VDC_ATTR_TYPE, v->type),
             text(VDC_ATTR_SUPPORTED_LC, joined(v->module_types))});
  }
}

void manager::add_detail(cmd_ctx &cmd) const {
  auto &r = cmd.response;
  if (!model_.switchwide_mode.empty())
    r.push_back(text(VDC_ATTR_SWITCHWIDE_MODE, model_.switchwide_mode));
  for (auto *v : visible_vdcs()) {
    add_all(r,
            {word(VDC_ATTR_ID, v->id), text(VDC_ATTR_NAME, v->name), text(VDC_ATTR_STATE, v->state),
             text(VDC_ATTR_MAC, v->mac), text(VDC_ATTR_HA_POLICY, v->ha_policy),
             text(VDC_ATTR_DUAL_SUP_HA_POLICY, v->dual_sup_ha_policy),
             word(VDC_ATTR_BOOT_ORDER, v->boot_order), word(VDC_ATTR_CPU_SHARE, v->cpu_share),
             word(VDC_ATTR_CPU_SHARE_PCT, cpu_share_percent(*v)),
             time_value(VDC_ATTR_CREATE_TIME, v->create_time),
             word(VDC_ATTR_RELOAD_COUNT, v->reload_count), text(VDC_ATTR_UPTIME, uptime(*v)),
             word(VDC_ATTR_RESTART_COUNT, v->restart_count),
             time_value(VDC_ATTR_RESTART_TIME, v->restart_time),
             text(VDC_ATTR_RESTART_REASON, v->restart_reason), text(VDC_ATTR_TYPE, v->type),
             text(VDC_ATTR_SUPPORTED_LC, joined(v->module_types))});
  }
}

// One pass over the interfaces sorts them to their owners and to the VDCs that share
// them, each list in chassis order.
void manager::add_membership(cmd_ctx &cmd) const {
  size_t slots = model_.max_vdcs + 1;
  std::vector<std::vector<uint32_t>> owned(slots), shared(slots);
  for (auto &i : model_.interfaces) {
    if (i.vdc < slots) owned[i.vdc].push_back(i.ifindex);
    for (uint32_t with : i.shared_with) {
      if (with == 0 || with >= slots) continue;
      auto &list = shared[with];
      if (list.empty() || list.back() != i.ifindex) list.push_back(i.ifindex);
    }
  }
  auto &r = cmd.response;
  auto add_vdc = [&](uint32_t id, const std::string &name) {
    r.push_back(word(VDC_ATTR_ID, id));
    r.push_back(text(VDC_ATTR_NAME, name));
    for (uint32_t ifindex : owned[id])
      r.push_back(word(VDC_ATTR_IF_INDEX, ifindex));
    if (!shared[id].empty()) r.push_back(mark(VDC_ATTR_SHARED_IF_MARK));
    for (uint32_t ifindex : shared[id])
      r.push_back(word(VDC_ATTR_IF_INDEX, ifindex));
  };
  for (auto *v : visible_vdcs())
    if (v->id < slots) add_vdc(v->id, v->name);
  if (in_default_vdc() && !owned[0].empty()) add_vdc(0, "Unallocated");
}

void manager::add_feature_sets(cmd_ctx &cmd) const {
  for (auto *v : visible_vdcs()) {
    cmd.response.push_back(text(VDC_ATTR_NAME, v->name));
    for (auto &fs : v->feature_sets)
      cmd.response.push_back(text(VDC_ATTR_FEATURE_SET, fs));
  }
}

cmd_ctx manager::macs() const {
  cmd_ctx cmd;
  for (auto *v : visible_vdcs())
    add_all(cmd.response, {word(VDC_ATTR_ID, v->id), text(VDC_ATTR_MAC, v->mac)});
  return cmd;
}

cmd_ctx manager::dirty_bits() const {
  cmd_ctx cmd;
  auto section = [&](const std::vector<uint32_t> &ids) {
    for (uint32_t id : ids)
      cmd.response.push_back(first_half(VDC_ATTR_ID, id));
  };
  section(model_.dirty.dirty);
  cmd.response.push_back(first_half(VDC_ATTR_ID, VDC_DIRTY_BIT_MARKER));
  section(model_.dirty.active);
  cmd.response.push_back(first_half(VDC_ATTR_ID, VDC_DIRTY_BIT_MARKER));
  section(model_.dirty.pending);
  return cmd;
}

cmd_ctx manager::current_vdc_response() const {
  cmd_ctx cmd;
  add_all(cmd.response,
          {word(VDC_ATTR_CUR_ID, current_), text(VDC_ATTR_CUR_NAME, current_vdc().name)});
  return cmd;
}

cmd_ctx manager::storage() const {
  cmd_ctx cmd;
  auto &f = model_.fcoe;
  if (f.vdc != 0) cmd.response.push_back(word(VDC_ATTR_STORAGE_VDC, f.vdc));
  if (f.sharing_eth_vdc != 0)
    cmd.response.push_back(word(VDC_ATTR_SHARING_ETH_VDC, f.sharing_eth_vdc));
  if (!f.reserved_vlans.empty()) {
    std::vector<uint32_t> list = {0, static_cast<uint32_t>(f.reserved_vlans.size())};
    for (auto &range : f.reserved_vlans) {
      list.push_back(range.low);
      list.push_back(range.high);
    }
    cmd.response.push_back(standin::words(VDC_ATTR_RESERVED_VLANS, list));
  }
  return cmd;
}

// Switching is refused between two VDCs other than the default one, and into a VDC
// that is not active. A VDC whose first-time setup has run skips it.
cmd_ctx manager::switch_to(uint32_t target) const {
  cmd_ctx cmd;
  cmd.script_mode = 1;
  const vdc *v = model_.find_vdc(target);
  if (!in_default_vdc() && target != current_) {
    cmd.response.push_back(mark(VDC_ATTR_ERR_NOT_AUTHORIZED));
  } else if (v == nullptr || v->state != "active") {
    cmd.response.push_back(mark(VDC_ATTR_ERR_NO_VDC));
  } else {
    if (v->setup_done) cmd.response.push_back(mark(VDC_ATTR_SKIP_FIRST_SETUP));
    cmd.response.push_back(word(VDC_ATTR_SWITCH_TARGET, target));
  }
  return cmd;
}

}  // namespace vdcsim
