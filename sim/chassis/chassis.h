// chassis/: the simulated switch, the built-in one and chassis files read and written.
// The simulated switch: its VDCs, linecards, interfaces, feature sets, storage and
// dirty-bit data, the operator, the clock and the event history. The VDC manager
// stand-in answers every command from this model and changes it as the operator acts.
#ifndef VDCSIM_CHASSIS_H
#define VDCSIM_CHASSIS_H

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vdcsim {

struct vdc {
  uint32_t id = 0;
  std::string name;
  std::string state = "active";
  std::string mac;
  std::string ha_policy = "RESTART";
  std::string dual_sup_ha_policy = "SWITCHOVER";
  uint32_t boot_order = 1;
  uint32_t cpu_share = 5;
  int64_t create_time = 0;
  uint32_t reload_count = 0;
  uint32_t restart_count = 0;
  int64_t restart_time = 0;
  std::string restart_reason;
  std::string type = "Ethernet";
  std::vector<std::string> module_types;  // linecard types the VDC accepts
  std::vector<std::string> feature_sets;  // allowed feature sets, by name
  bool setup_done = true;                 // first-time setup has run
  bool setup_fails = false;               // the first-time setup program fails
};

struct linecard_type {
  uint32_t value = 0;
  std::string name;
  bool ethernet = false;
  bool fcoe = false;
};

struct module {
  uint32_t slot = 0;
  std::string type;
};

struct interface {
  uint32_t ifindex = 0;
  std::string name;  // long name
  std::string short_name;
  uint32_t slot = 0;
  uint32_t vdc = 0;  // owner; 0 is unallocated
  std::vector<uint32_t> shared_with;
  bool breakout = false;
  int32_t move_result = 0;   // non-zero: the move status cannot be read
  uint32_t move_status = 0;  // non-zero: an error code
};

struct feature_set {
  uint32_t id = 0;
  std::string name;
};

struct error_text {
  uint32_t code = 0;
  std::string text;
};

struct vlan_range {
  uint32_t low = 0;
  uint32_t high = 0;
  bool operator==(const vlan_range &) const = default;
};

struct storage {
  uint32_t vdc = 0;
  uint32_t sharing_eth_vdc = 0;
  std::vector<vlan_range> reserved_vlans;
};

struct dirty_bits {
  std::vector<uint32_t> dirty;
  std::vector<uint32_t> active;
  std::vector<uint32_t> pending;
};

struct operator_account {
  std::string user = "admin";
  std::string role = "NETWORK_ADMIN";  // empty: no role at all
};

enum class event_kind { config, port_config, handshake_start, handshake_fail };

struct event {
  int64_t time = 0;
  event_kind kind = event_kind::config;
  uint32_t vdc = 0;
  std::string vdc_name;
  std::string state;
  std::string desc;
  uint32_t dest_vdc = 0;
  std::vector<uint32_t> sources;
  int32_t ports = 0;
};

struct chassis {
  int64_t clock = 0;  // seconds since the epoch; one second passes per command
  std::string switchwide_mode;
  uint32_t max_vdcs = 8;
  operator_account op;
  std::vector<linecard_type> linecard_types;
  std::vector<module> modules;
  std::vector<feature_set> feature_sets;  // installed
  std::vector<error_text> error_texts;
  std::vector<vdc> vdcs;
  std::vector<interface> interfaces;
  storage fcoe;
  dirty_bits dirty;
  std::vector<event> events;

  vdc *find_vdc(uint32_t id);
  const vdc *find_vdc(uint32_t id) const;
  vdc *find_vdc(const std::string &name);
  const module *find_module(uint32_t slot) const;
  const feature_set *find_feature_set(const std::string &name) const;
  interface *find_interface(const std::string &name);
  const vdc &default_vdc() const { return vdcs.front(); }
};

// The built-in chassis, sim/chassis/builtin.yaml: every attribute of every display has
// something to show.
chassis default_chassis();

const char *event_kind_name(event_kind kind);
std::optional<event_kind> event_kind_from(const std::string &name);
// "\"config\", ... or \"handshake-fail\"": the names an event's kind takes.
std::string event_kind_choices();

}  // namespace vdcsim

#endif  // VDCSIM_CHASSIS_H
