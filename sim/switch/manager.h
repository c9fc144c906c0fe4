// The VDC manager stand-in: it answers each command from the chassis model with the
// response attributes in the order the library's displays read them, keeps the
// stand-in platform's view of the switch in step with the model, and carries out
// the operator's configuration changes, recording each in the event history.
#ifndef VDCSIM_MANAGER_H
#define VDCSIM_MANAGER_H

#include <climits>
#include <cstdint>
#include <string>
#include <vector>

#include "chassis/chassis.h"
#include "standin.h"
#include "switch/library.h"

namespace vdcsim {

// VDC names longer than this widen the summary table's name column.
constexpr size_t narrow_name_limit = 32;

class manager {
 public:
  manager(chassis &model, const library &lib, uint32_t current_vdc);

  chassis &model() { return model_; }
  uint32_t current() const { return current_; }
  void set_current(uint32_t vdc) { current_ = vdc; }
  // The operator this shell's platform names, in place of the chassis's.
  void set_user(std::string user) { user_ = std::move(user); }
  const vdc &current_vdc() const;
  bool in_default_vdc() const { return current_ == VDC_DEFAULT_ID; }

  // Puts the model into the stand-in platform: VDC names, interfaces, feature-set
  // lists under their keys, error texts, the operator; and clears its call log. The
  // tables are built again only after a change to the model.
  void sync_platform(uint32_t vdc_environment = 0);
  // The model changed other than through this manager (it was read back, say).
  void changed() { ++version_; }
  // One second passes per command, up to the last second a chassis file can hold.
  void tick() {
    if (model_.clock < INT32_MAX) ++model_.clock;
  }

  // Responses, each with the request that asked for it.
  cmd_ctx show(uint32_t selector) const;  // through show_vdc, selectors 1 to 5
  cmd_ctx macs() const;
  cmd_ctx dirty_bits() const;
  cmd_ctx current_vdc_response() const;
  cmd_ctx storage() const;
  cmd_ctx switch_to(uint32_t target) const;

  // Event-history records as the VDC manager lays them out, oldest first.
  std::vector<uint8_t> event_record(const event &e) const;
  uint32_t event_code(const event &e) const;
  uint32_t state_code(const std::string &state) const;

  // Configuration changes; each returns an empty string or why it was refused.
  std::string create_vdc(const std::string &name, uint32_t &id);
  std::string delete_vdc(uint32_t id);
  std::string allocate(const std::vector<interface *> &ports, uint32_t target);
  std::string allow_feature_set(uint32_t fs_id, bool allow);
  std::string limit_module_types(const std::vector<std::string> &types);
  void record_switch(uint32_t target);

  std::string uptime(const vdc &v) const;
  uint32_t cpu_share_percent(const vdc &v) const;

 private:
  std::vector<const vdc *> visible_vdcs() const;
  void add_summary(cmd_ctx &cmd) const;
  void add_detail(cmd_ctx &cmd) const;
  void add_membership(cmd_ctx &cmd) const;
  void add_feature_sets(cmd_ctx &cmd) const;
  void record(event_kind kind, const vdc &v, const std::string &desc);

  chassis &model_;
  const library &lib_;
  uint32_t current_;
  std::string user_;
  uint64_t version_ = 0;
  uint64_t synced_version_ = UINT64_MAX;
};

}  // namespace vdcsim

#endif  // VDCSIM_MANAGER_H
