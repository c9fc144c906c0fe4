// The built-in chassis: six slots, five VDCs, a storage VDC, breakout ports, ports whose
// move status shows an issue, installed and allowed feature sets and some history.
#include <algorithm>
#include <string>

#include "chassis/chassis.h"
#include "chassis/names.h"

namespace vdcsim {
namespace {

constexpr int64_t feb_1_2024 = 1706745600;
constexpr int64_t day = 86400;

void add_ports(chassis &c, uint32_t slot, uint32_t first, uint32_t last, uint32_t owner) {
  for (uint32_t port = first; port <= last; ++port) {
    interface i;
    i.slot = slot;
    i.vdc = owner;
    i.name = "Ethernet" + std::to_string(slot) + "/" + std::to_string(port);
    i.short_name = "Eth" + std::to_string(slot) + "/" + std::to_string(port);
    c.interfaces.push_back(i);
  }
}

void add_breakout(chassis &c, uint32_t slot, uint32_t port, uint32_t owner) {
  for (uint32_t lane = 1; lane <= 4; ++lane) {
    interface i;
    i.slot = slot;
    i.vdc = owner;
    i.breakout = true;
    std::string suffix =
        std::to_string(slot) + "/" + std::to_string(port) + "/" + std::to_string(lane);
    i.name = "Ethernet" + suffix;
    i.short_name = "Eth" + suffix;
    c.interfaces.push_back(i);
  }
}

vdc make_vdc(uint32_t id, std::string name, int64_t created) {
  vdc v;
  v.id = id;
  v.name = std::move(name);
  v.mac = default_mac(id);
  v.boot_order = id;
  v.create_time = created;
  v.module_types = {"e1", "e2", "e2x", "e3", "e3x", "e4"};
  return v;
}

void add_vdcs(chassis &c) {
  vdc core = make_vdc(1, "switch", feb_1_2024);
  core.cpu_share = 10;
  core.feature_sets = {"mpls", "ptp"};
  c.vdcs.push_back(core);

  vdc prod = make_vdc(2, "prod", feb_1_2024 + 7 * day);
  prod.cpu_share = 10;
  prod.reload_count = 1;
  prod.restart_count = 2;
  prod.restart_time = feb_1_2024 + 20 * day + 3600;
  prod.restart_reason = "Restarted by the operator";
  prod.module_types = {"e3", "e3x"};
  prod.feature_sets = {"mpls", "vxlan", "evpn", "lisp"};
  c.vdcs.push_back(prod);

  vdc lab = make_vdc(3, "lab", feb_1_2024 + 14 * day);
  lab.state = "suspended";
  lab.ha_policy = "BRINGDOWN";
  lab.dual_sup_ha_policy = "BRINGDOWN";
  lab.cpu_share = 2;
  c.vdcs.push_back(lab);

  vdc san = make_vdc(4, "san", feb_1_2024 + 10 * day);
  san.type = "Storage";
  san.module_types = {"e3", "e3x", "s2"};
  san.feature_sets = {"fcoe"};
  san.setup_done = false;
  c.vdcs.push_back(san);

  vdc staging = make_vdc(5, "staging", feb_1_2024 + 28 * day);
  staging.cpu_share = 3;
  staging.feature_sets = {"mpls"};
  staging.setup_done = false;
  staging.setup_fails = true;
  c.vdcs.push_back(staging);
}

void add_interfaces(chassis &c) {
  c.modules = {{1, "e3"}, {2, "e3"}, {3, "e3x"}, {4, "e2"}, {5, "s2"}, {6, "e4"}};
  add_ports(c, 1, 1, 4, 1);
  add_ports(c, 1, 5, 8, 2);
  add_ports(c, 2, 1, 4, 2);
  add_ports(c, 2, 5, 6, 3);
  add_breakout(c, 3, 1, 2);
  add_ports(c, 3, 2, 3, 4);
  add_ports(c, 4, 1, 4, 1);
  add_ports(c, 4, 5, 6, 0);
  add_ports(c, 5, 1, 2, 4);
  add_ports(c, 6, 1, 2, 5);
  uint32_t ifindex = 0x1a000000;
  for (auto &i : c.interfaces) {
    i.ifindex = ifindex;
    ifindex += 0x200;
  }
  c.find_interface("Ethernet1/7")->shared_with = {4};
  c.find_interface("Ethernet1/8")->shared_with = {4};
  c.find_interface("Ethernet2/3")->move_status = 0x40a0001b;
  c.find_interface("Ethernet4/4")->move_result = 0x40a00005;
  c.find_interface("Ethernet3/1/2")->move_status = 0x40a00021;
}

void add_events(chassis &c) {
  for (auto &v : c.vdcs) {
    event e;
    e.time = v.create_time;
    e.vdc = v.id;
    e.vdc_name = v.name;
    e.state = "active";
    e.desc = "vdc created";
    c.events.push_back(e);
  }
  event ports;
  ports.time = feb_1_2024 + 7 * day + 60;
  ports.kind = event_kind::port_config;
  ports.vdc = 2;
  ports.vdc_name = "prod";
  ports.state = "active";
  ports.dest_vdc = 2;
  ports.sources = {1};
  ports.ports = 12;
  c.events.push_back(ports);
  event fail;
  fail.time = feb_1_2024 + 14 * day + 120;
  fail.kind = event_kind::handshake_fail;
  fail.vdc = 3;
  fail.vdc_name = "lab";
  fail.state = "suspended";
  c.events.push_back(fail);
  std::stable_sort(c.events.begin(), c.events.end(),
                   [](const event &a, const event &b) { return a.time < b.time; });
}

}  // namespace

chassis default_chassis() {
  chassis c;
  c.clock = feb_1_2024 + 29 * day + 9 * 3600;
  c.switchwide_mode = "e2 e3 e3x e4";
  c.linecard_types = {
      {0x1, "e1", true, false}, {0x2, "e2", true, false},  {0x4, "e2x", true, false},
      {0x8, "e3", true, true},  {0x10, "e3x", true, true}, {0x20, "s2", false, true},
      {0x40, "e4", true, true}, {0x80, "s4", false, true}, {0x100, "lab", false, false},
  };
  c.feature_sets = {{1, "mpls"}, {2, "fcoe"}, {3, "vxlan"},          {4, "ptp"},
                    {5, "lisp"}, {6, "evpn"}, {7, "segment-routing"}};
  c.error_texts = {{0x40a0001b, "Port is not in a state that allows a move"},
                   {0x40a00021, "Module type not allowed in the destination VDC"}};
  add_vdcs(c);
  add_interfaces(c);
  c.fcoe.vdc = 4;
  c.fcoe.sharing_eth_vdc = 2;
  c.fcoe.reserved_vlans = {{1002, 1002}, {3967, 4000}, {4094, 4094}};
  c.dirty.dirty = {3};
  c.dirty.active = {1, 2, 4};
  c.dirty.pending = {5};
  add_events(c);
  return c;
}

}  // namespace vdcsim
