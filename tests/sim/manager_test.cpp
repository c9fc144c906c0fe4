// The VDC manager stand-in: responses in the order each display reads them, and the
// configuration changes with their refusals and history records.
#include <gtest/gtest.h>

#include <cstring>

#include "manager.h"
#include "sim_support.h"

namespace {

using vdcsim::chassis;
using vdcsim::manager;

chassis two_vdcs() {
  chassis c;
  c.clock = 100000;
  c.switchwide_mode = "e1";
  c.max_vdcs = 3;
  c.linecard_types = {{1, "e1", true, false}, {2, "s1", false, true}};
  c.modules = {{1, "e1"}, {2, "s1"}};
  c.feature_sets = {{1, "mpls"}, {2, "fcoe"}};
  vdcsim::vdc core;
  core.id = 1;
  core.name = "core";
  core.module_types = {"e1"};
  core.feature_sets = {"mpls"};
  core.cpu_share = 3;
  vdcsim::vdc edge = core;
  edge.id = 2;
  edge.name = "edge";
  edge.cpu_share = 1;
  edge.feature_sets = {};
  c.vdcs = {core, edge};
  c.interfaces = {{0x10, "Ethernet1/1", "Eth1/1", 1, 1, {2}, false, 0, 0},
                  {0x20, "Ethernet1/2", "Eth1/2", 1, 2, {}, false, 0, 0},
                  {0x30, "Ethernet2/1", "Eth2/1", 2, 0, {}, false, 0, 0}};
  c.fcoe = {2, 1, {{10, 20}, {30, 30}}};
  c.dirty = {{2}, {1}, {}};
  return c;
}

std::vector<uint32_t> ids(const std::vector<standin::attribute> &attrs) {
  std::vector<uint32_t> out;
  for (auto &a : attrs)
    out.push_back(a.id);
  return out;
}

uint32_t word_of(const standin::attribute &a, size_t index = 0) {
  uint32_t w = 0;
  std::memcpy(&w, a.value.data() + 4 * index, 4);
  return w;
}

struct fixture : testing::Test {
  chassis model = two_vdcs();
  vdcsim::library lib = sim_test::linked_library();
  manager mgr{model, lib, 1};
};

struct response_case {
  const char *name;
  cmd_ctx (*build)(const manager &);
  uint32_t current;
  std::vector<uint32_t> expected;
};

class responses : public fixture, public testing::WithParamInterface<response_case> {};

TEST_P(responses, follow_the_order_the_display_reads) {
  mgr.set_current(GetParam().current);
  EXPECT_EQ(ids(GetParam().build(mgr).response), GetParam().expected);
}

const std::vector<uint32_t> summary_row = {VDC_ATTR_ID,  VDC_ATTR_NAME, VDC_ATTR_STATE,
                                           VDC_ATTR_MAC, VDC_ATTR_TYPE, VDC_ATTR_SUPPORTED_LC};
const std::vector<uint32_t> detail_row = {VDC_ATTR_ID,
                                          VDC_ATTR_NAME,
                                          VDC_ATTR_STATE,
                                          VDC_ATTR_MAC,
                                          VDC_ATTR_HA_POLICY,
                                          VDC_ATTR_DUAL_SUP_HA_POLICY,
                                          VDC_ATTR_BOOT_ORDER,
                                          VDC_ATTR_CPU_SHARE,
                                          VDC_ATTR_CPU_SHARE_PCT,
                                          VDC_ATTR_CREATE_TIME,
                                          VDC_ATTR_RELOAD_COUNT,
                                          VDC_ATTR_UPTIME,
                                          VDC_ATTR_RESTART_COUNT,
                                          VDC_ATTR_RESTART_TIME,
                                          VDC_ATTR_RESTART_REASON,
                                          VDC_ATTR_TYPE,
                                          VDC_ATTR_SUPPORTED_LC};

std::vector<uint32_t> join(std::initializer_list<std::vector<uint32_t>> parts) {
  std::vector<uint32_t> out;
  for (auto &p : parts)
    out.insert(out.end(), p.begin(), p.end());
  return out;
}

INSTANTIATE_TEST_SUITE_P(
    all, responses,
    testing::Values(
        response_case{"summary", [](const manager &m) { return m.show(2); }, 1,
                      join({{VDC_ATTR_SWITCHWIDE_MODE}, summary_row, summary_row})},
        response_case{"summary_in_vdc_2", [](const manager &m) { return m.show(2); }, 2,
                      join({{VDC_ATTR_SWITCHWIDE_MODE}, summary_row})},
        response_case{"detail", [](const manager &m) { return m.show(5); }, 1,
                      join({{VDC_ATTR_SWITCHWIDE_MODE}, detail_row, detail_row})},
        response_case{"membership",
                      [](const manager &m) { return m.show(3); },
                      1,
                      {VDC_ATTR_ID, VDC_ATTR_NAME, VDC_ATTR_IF_INDEX, VDC_ATTR_ID, VDC_ATTR_NAME,
                       VDC_ATTR_IF_INDEX, VDC_ATTR_SHARED_IF_MARK, VDC_ATTR_IF_INDEX, VDC_ATTR_ID,
                       VDC_ATTR_NAME, VDC_ATTR_IF_INDEX}},
        response_case{"membership_in_vdc_2",
                      [](const manager &m) { return m.show(4); },
                      2,
                      {VDC_ATTR_ID, VDC_ATTR_NAME, VDC_ATTR_IF_INDEX, VDC_ATTR_SHARED_IF_MARK,
                       VDC_ATTR_IF_INDEX}},
        response_case{"feature_sets",
                      [](const manager &m) { return m.show(1); },
                      1,
                      {VDC_ATTR_NAME, VDC_ATTR_FEATURE_SET, VDC_ATTR_NAME}},
        response_case{"macs",
                      [](const manager &m) { return m.macs(); },
                      1,
                      {VDC_ATTR_ID, VDC_ATTR_MAC, VDC_ATTR_ID, VDC_ATTR_MAC}},
        response_case{"current",
                      [](const manager &m) { return m.current_vdc_response(); },
                      2,
                      {VDC_ATTR_CUR_ID, VDC_ATTR_CUR_NAME}},
        response_case{"storage",
                      [](const manager &m) { return m.storage(); },
                      1,
                      {VDC_ATTR_STORAGE_VDC, VDC_ATTR_SHARING_ETH_VDC, VDC_ATTR_RESERVED_VLANS}},
        response_case{"dirty_bits",
                      [](const manager &m) { return m.dirty_bits(); },
                      1,
                      {VDC_ATTR_ID, VDC_ATTR_ID, VDC_ATTR_ID, VDC_ATTR_ID}},
        response_case{"switch_to_2",
                      [](const manager &m) { return m.switch_to(2); },
                      1,
                      {VDC_ATTR_SKIP_FIRST_SETUP, VDC_ATTR_SWITCH_TARGET}},
        response_case{"switch_between_others",
                      [](const manager &m) { return m.switch_to(1); },
                      2,
                      {VDC_ATTR_ERR_NOT_AUTHORIZED}},
        response_case{"switch_to_none",
                      [](const manager &m) { return m.switch_to(3); },
                      1,
                      {VDC_ATTR_ERR_NO_VDC}}),
    [](const auto &row) { return std::string(row.param.name); });

TEST_F(fixture, a_name_over_32_characters_widens_the_summary_to_the_longest_name) {
  model.vdcs[1].name = std::string(40, 'x');
  cmd_ctx cmd = mgr.show(2);
  ASSERT_EQ(cmd.response[1].id, VDC_ATTR_NAME_WIDTH);
  EXPECT_EQ(word_of(cmd.response[1]), 40u);
  model.vdcs[1].name = std::string(32, 'x');
  EXPECT_EQ(mgr.show(2).response[1].id, VDC_ATTR_ID);
}

TEST_F(fixture, dirty_bits_carry_the_vdc_number_in_the_first_half_and_999_between_sections) {
  cmd_ctx cmd = mgr.dirty_bits();
  std::vector<uint16_t> halves;
  for (auto &a : cmd.response) {
    uint16_t half;
    std::memcpy(&half, a.value.data(), 2);
    halves.push_back(half);
    EXPECT_EQ(a.value.size(), 4u);
  }
  EXPECT_EQ(halves, (std::vector<uint16_t>{2, 999, 1, 999}));
}

TEST_F(fixture, the_vlan_list_holds_a_count_and_the_pairs) {
  cmd_ctx cmd = mgr.storage();
  auto &list = cmd.response[2];
  ASSERT_EQ(list.value.size(), 24u);
  EXPECT_EQ(word_of(list, 1), 2u);
  EXPECT_EQ(word_of(list, 2), 10u);
  EXPECT_EQ(word_of(list, 3), 20u);
  EXPECT_EQ(word_of(list, 4), 30u);
}

TEST_F(fixture, a_vdc_whose_setup_has_not_run_gets_no_skip_mark) {
  model.vdcs[1].setup_done = false;
  EXPECT_EQ(ids(mgr.switch_to(2).response), (std::vector<uint32_t>{VDC_ATTR_SWITCH_TARGET}));
  model.vdcs[1].state = "suspended";
  EXPECT_EQ(ids(mgr.switch_to(2).response), (std::vector<uint32_t>{VDC_ATTR_ERR_NO_VDC}));
}

TEST_F(fixture, detail_values_come_from_the_model_and_the_clock) {
  model.vdcs[1].create_time = model.clock - (2 * 86400 + 3 * 3600 + 4 * 60 + 5);
  EXPECT_EQ(mgr.uptime(model.vdcs[1]), "2 day(s), 3 hour(s), 4 minute(s), 5 second(s)");
  EXPECT_EQ(mgr.cpu_share_percent(model.vdcs[0]), 75u);
  model.vdcs[1].state = "suspended";
  EXPECT_EQ(mgr.uptime(model.vdcs[1]), "0 day(s), 0 hour(s), 0 minute(s), 0 second(s)");
}

TEST_F(fixture, an_event_record_is_laid_out_at_its_offsets) {
  vdcsim::event e;
  e.kind = vdcsim::event_kind::port_config;
  e.vdc = 2;
  e.vdc_name = "edge";
  e.state = "suspended";
  e.desc = "moved";
  e.dest_vdc = 2;
  e.sources = {1, 3};
  e.ports = 7;
  auto record = mgr.event_record(e);
  ASSERT_EQ(record.size(), VDC_EVENT_OFF_SOURCE_VDCS + 4 * 4u);
  uint16_t id;
  std::memcpy(&id, record.data(), 2);
  uint32_t state, source1, source2, source3;
  int32_t ports;
  std::memcpy(&state, record.data() + VDC_EVENT_OFF_VDC_STATE, 4);
  std::memcpy(&ports, record.data() + VDC_EVENT_OFF_NUM_PORTS, 4);
  std::memcpy(&source1, record.data() + VDC_EVENT_OFF_SOURCE_VDCS + 4, 4);
  std::memcpy(&source2, record.data() + VDC_EVENT_OFF_SOURCE_VDCS + 8, 4);
  std::memcpy(&source3, record.data() + VDC_EVENT_OFF_SOURCE_VDCS + 12, 4);
  EXPECT_EQ(id, 2);
  EXPECT_STREQ(reinterpret_cast<const char *>(record.data() + VDC_EVENT_OFF_VDC_NAME), "edge");
  EXPECT_STREQ(reinterpret_cast<const char *>(record.data() + VDC_EVENT_OFF_DESC), "moved");
  EXPECT_EQ(state, uint32_t{VDC_SUSPENDED});
  EXPECT_EQ(ports, 7);
  EXPECT_EQ(source1, 1u);
  EXPECT_EQ(source2, 0u);
  EXPECT_EQ(source3, 1u);
  EXPECT_EQ(mgr.event_code(e), VDC_EVENT_SEQ_PORT_CONFIG);
}

TEST_F(fixture, the_platform_holds_the_model_after_a_sync) {
  mgr.set_current(2);
  mgr.sync_platform(5);
  auto &p = standin::platform();
  EXPECT_EQ(p.current_vdc, 2u);
  EXPECT_EQ(p.vdc_environment, 5);
  EXPECT_EQ(p.max_allowed_vdc, 4);
  ASSERT_EQ(p.vdcs.size(), 2u);
  EXPECT_EQ(p.vdcs[1].name, "edge");
  EXPECT_EQ(p.interfaces.at(0x20).short_name, "Eth1/2");
  EXPECT_EQ(p.sdb_records.at(standin::fs_key(0)), standin::fs_list({{1, "mpls"}, {2, "fcoe"}}));
  EXPECT_EQ(p.sdb_records.at(standin::fs_key(1)), standin::fs_list({{1, "mpls"}}));
  EXPECT_EQ(p.sdb_records.at(standin::fs_key(2)), standin::fs_list({}));
  EXPECT_TRUE(standin::calls().empty());
}

struct change_case {
  const char *name;
  std::string (*act)(manager &);
  std::string refusal;
  size_t events_added;
};

class changes : public fixture, public testing::WithParamInterface<change_case> {};

TEST_P(changes, are_refused_with_a_reason_or_recorded) {
  size_t before = model.events.size();
  EXPECT_EQ(GetParam().act(mgr), GetParam().refusal);
  EXPECT_EQ(model.events.size() - before, GetParam().events_added);
}

std::vector<vdcsim::interface *> ports(manager &m, std::initializer_list<const char *> names) {
  std::vector<vdcsim::interface *> out;
  for (auto *n : names)
    out.push_back(m.model().find_interface(n));
  return out;
}

INSTANTIATE_TEST_SUITE_P(
    all, changes,
    testing::Values(
        change_case{"create",
                    [](manager &m) {
                      uint32_t id;
                      return m.create_vdc("new", id);
                    },
                    "", 1},
        change_case{"create_beyond_the_maximum",
                    [](manager &m) {
                      uint32_t id;
                      m.create_vdc("three", id);
                      return m.create_vdc("four", id);
                    },
                    "The switch holds its maximum of 3 VDCs.", 1},
        change_case{"delete", [](manager &m) { return m.delete_vdc(2); }, "", 1},
        change_case{"delete_the_default", [](manager &m) { return m.delete_vdc(1); },
                    "The default VDC cannot be deleted.", 0},
        change_case{"allocate", [](manager &m) { return m.allocate(ports(m, {"Eth1/1"}), 2); }, "",
                    1},
        change_case{"allocate_onto_a_refused_module",
                    [](manager &m) {
                      return m.allocate(ports(m, {"Eth1/1", "Eth2/1"}), 2);
                    },
                    "Ethernet2/1 is on a module of type s1, which vdc edge does not allow.", 0},
        change_case{"allow", [](manager &m) { return m.allow_feature_set(2, true); }, "", 1},
        change_case{"allow_twice", [](manager &m) { return m.allow_feature_set(1, true); },
                    "Feature set mpls is already allowed in vdc core.", 0},
        change_case{"disallow", [](manager &m) { return m.allow_feature_set(1, false); }, "", 1},
        change_case{"disallow_what_is_not_allowed",
                    [](manager &m) { return m.allow_feature_set(2, false); },
                    "Feature set fcoe is not allowed in vdc core.", 0},
        change_case{"limit",
                    [](manager &m) {
                      return m.limit_module_types({"e1", "s1"});
                    },
                    "", 1},
        change_case{"limit_below_the_ports",
                    [](manager &m) { return m.limit_module_types({"s1"}); },
                    "vdc core has Ethernet1/1 on a module of type e1.", 0}),
    [](const auto &row) { return std::string(row.param.name); });

TEST_F(fixture, a_new_vdc_takes_the_lowest_free_id_and_every_ethernet_type) {
  uint32_t id = 0;
  ASSERT_EQ(mgr.create_vdc("new", id), "");
  EXPECT_EQ(id, 3u);
  auto *v = model.find_vdc(3);
  ASSERT_NE(v, nullptr);
  EXPECT_EQ(v->module_types, (std::vector<std::string>{"e1"}));
  EXPECT_EQ(v->create_time, model.clock);
  EXPECT_FALSE(v->setup_done);
  EXPECT_EQ(model.events.back().desc, "vdc created");
}

TEST_F(fixture, deleting_a_vdc_leaves_its_interfaces_unallocated_and_unshared) {
  ASSERT_EQ(mgr.delete_vdc(2), "");
  EXPECT_EQ(model.find_interface("Eth1/2")->vdc, 0u);
  EXPECT_TRUE(model.find_interface("Eth1/1")->shared_with.empty());
  EXPECT_EQ(model.fcoe.vdc, 0u);
  EXPECT_EQ(model.events.back().desc, "vdc deleted");
  EXPECT_EQ(model.events.back().state, "delete in progress");
}

TEST_F(fixture, an_allocation_records_its_sources_and_port_count) {
  ASSERT_EQ(mgr.allocate(ports(mgr, {"Eth1/1", "Eth1/2"}), 2), "");
  auto &e = model.events.back();
  EXPECT_EQ(e.kind, vdcsim::event_kind::port_config);
  EXPECT_EQ(e.dest_vdc, 2u);
  EXPECT_EQ(e.sources, (std::vector<uint32_t>{1}));
  EXPECT_EQ(e.ports, 2);
  EXPECT_TRUE(model.find_interface("Eth1/1")->shared_with.empty());
}

}  // namespace
