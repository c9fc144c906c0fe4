#include <cstring>

#include "standin.h"

extern "C" {
uint32_t cmd_q = 0;
uint32_t g_cli_sup_state = 1;
char vdc_sdb_uri_lib[512];

lc_capability lc_capability_list[standin::capability_slots] = {
    {0x1, "m1", {0, 0}},   {0x2, "f1", {0, 0}},   {0x4, "m1xl", {0, 0}},
    {0x8, "f2", {0, 0}},   {0x10, "m2xl", {0, 0}}, {0x20, "f2e", {0, 0}},
    {0x40, "f3", {0, 0}},  {0x80, "m3", {0, 0}},   {0x100, "f4", {0, 0}},
};
uint32_t allowed_eth_cap[standin::capability_slots] = {1, 1, 1, 1, 1, 1, 1, 1, 0};
uint32_t allowed_fcoe_cap[standin::capability_slots] = {0, 0, 0, 1, 0, 1, 1, 0, 0};
}

namespace standin {
namespace {

std::vector<std::string> call_log;
char capability_names[capability_slots][128];

}  // namespace

state &platform() {
  static state current;
  return current;
}

void reset() {
  platform() = state{};
  call_log.clear();
  cmd_q = 0;
  g_cli_sup_state = 1;
  std::memset(vdc_sdb_uri_lib, 0, sizeof vdc_sdb_uri_lib);
}

const std::vector<std::string> &calls() { return call_log; }
void clear_calls() { call_log.clear(); }
void log_call(std::string line) { call_log.push_back(std::move(line)); }

attribute word(uint32_t id, uint32_t value) { return words(id, {value}); }

attribute words(uint32_t id, const std::vector<uint32_t> &values) {
  std::vector<uint8_t> bytes(values.size() * sizeof(uint32_t));
  if (!values.empty()) std::memcpy(bytes.data(), values.data(), bytes.size());
  return attribute{id, std::move(bytes)};
}

attribute text(uint32_t id, std::string_view value) {
  std::vector<uint8_t> bytes(value.begin(), value.end());
  bytes.push_back(0);
  return attribute{id, std::move(bytes)};
}

attribute bytes(uint32_t id, std::vector<uint8_t> value) { return attribute{id, std::move(value)}; }

attribute mark(uint32_t id) { return word(id, 0); }

std::string fs_key(uint16_t vdc) {
  std::string key(5, '\0');
  key[0] = static_cast<char>(VDC_FS_KEY_TYPE);
  std::memcpy(&key[1], &vdc, sizeof vdc);
  return key;
}

std::vector<uint8_t> fs_list(const std::vector<std::pair<uint32_t, std::string>> &sets) {
  std::vector<uint8_t> list(4 + sets.size() * sizeof(vdc_fs_rec_t), 0);
  uint32_t count = static_cast<uint32_t>(sets.size());
  std::memcpy(list.data(), &count, sizeof count);
  for (size_t i = 0; i < sets.size(); ++i) {
    vdc_fs_rec_t rec{};
    rec.id = sets[i].first;
    std::strncpy(rec.name, sets[i].second.c_str(), sizeof rec.name - 1);
    std::memcpy(list.data() + 4 + i * sizeof rec, &rec, sizeof rec);
  }
  return list;
}

void set_capabilities(const std::vector<capability> &caps) {
  std::memset(lc_capability_list, 0, sizeof lc_capability_list);
  std::memset(allowed_eth_cap, 0, sizeof allowed_eth_cap);
  std::memset(allowed_fcoe_cap, 0, sizeof allowed_fcoe_cap);
  for (size_t i = 0; i < caps.size() && i < capability_slots; ++i) {
    std::snprintf(capability_names[i], sizeof capability_names[i], "%s", caps[i].name.c_str());
    lc_capability_list[i].type = caps[i].type;
    lc_capability_list[i].name = capability_names[i];
    allowed_eth_cap[i] = caps[i].eth;
    allowed_fcoe_cap[i] = caps[i].fcoe;
  }
}

void free_match(cmd_match_result *result) {
  if (result == nullptr) return;
  free(result->value);
  free(result->text);
  free(result->message);
  free(result);
}

}  // namespace standin
