// VDC services, the interface manager's client and the state database.
#include <cstdio>
#include <cstring>
#include <initializer_list>

#include "standin.h"

namespace {

using standin::log_call;

// The platform's state, reached without a call on the per-port paths.
standin::state &current = standin::platform();
standin::state &platform() {
  return current;
}
bool call_log_on() {
  return current.call_log;
}

// "name(n1, n2)": out of line, so that the per-port calls stay lean while the log is off.
[[gnu::noinline]] void log_numbers(const char *name, std::initializer_list<int64_t> numbers) {
  std::string line = std::string(name) + "(";
  for (int64_t n : numbers)
    line += (line.back() == '(' ? "" : ", ") + std::to_string(n);
  log_call(line + ")");
}

[[gnu::always_inline]] inline const standin::interface *find_interface(uint32_t ifindex) {
  return platform().interfaces.lookup(ifindex);
}

// Like snprintf with "%s", cut to the buffer: returns the characters written.
int32_t write_name(char *buf, int32_t size, const std::string *name) {
  if (name == nullptr || name->empty() || buf == nullptr || size <= 0) return 0;
  size_t written = strnlen(name->c_str(), static_cast<size_t>(size) - 1);
  std::memcpy(buf, name->data(), written);
  buf[written] = '\0';
  return static_cast<int32_t>(written);
}

// A feature-set key as the VDC it names (the same text on either byte order), any other key
// as its bytes.
std::string shown_key(const std::string &key) {
  uint16_t vdc = 0;
  if (key.size() == VDC_FS_KEY_LEN) std::memcpy(&vdc, key.data() + 1, sizeof vdc);
  if (key == standin::fs_key(vdc)) return std::string("feature-set key of vdc ").append(std::to_string(vdc));
  std::string shown;
  for (unsigned char byte : key)
    shown.append(shown.empty() ? "" : " ").append(std::to_string(byte));
  return "[" + shown + "]";
}

}  // namespace

extern "C" {

uint32_t cmd_vdc_get(void) {
  if (call_log_on()) log_numbers("cmd_vdc_get", {});
  return platform().current_vdc;
}

int32_t cmd_vdc_set(uint32_t vdc) {
  log_call("cmd_vdc_set(" + std::to_string(vdc) + ")");
  platform().current_vdc = vdc;
  return 0;
}

int32_t vdc_is_index_broken(uint32_t ifindex) {
  if (call_log_on()) log_numbers("vdc_is_index_broken", {ifindex});
  auto *intf = find_interface(ifindex);
  return intf != nullptr && intf->breakout;
}

int32_t get_max_allowed_vdc(void) {
  log_call("get_max_allowed_vdc()");
  return platform().max_allowed_vdc;
}

int32_t is_ft_supported_by_vdc(int32_t one, uint32_t fs_id, int32_t zero_a, int32_t zero_b) {
  log_call("is_ft_supported_by_vdc(" + std::to_string(one) + ", " + std::to_string(fs_id) + ", " +
           std::to_string(zero_a) + ", " + std::to_string(zero_b) + ")");
  return platform().ft_supported(fs_id);
}

int32_t im_ext_sbcr_init(int32_t client, uint32_t queue, const char *name) {
  if (call_log_on())
    log_call("im_ext_sbcr_init(" + std::to_string(client) + ", " + std::to_string(queue) + ", \"" +
             (name ? name : "") + "\")");
  return 0;
}

int32_t im_if_get_move_status(uint32_t ifindex, uint32_t *status) {
  if (call_log_on()) log_numbers("im_if_get_move_status", {ifindex});
  auto *intf = find_interface(ifindex);
  if (intf == nullptr) return 0x40a00005;
  if (intf->move_result != 0) return intf->move_result;
  *status = intf->move_status;
  return 0;
}

int32_t if_index_get_slot(uint32_t ifindex, uint8_t *slot) {
  if (call_log_on()) log_numbers("if_index_get_slot", {ifindex});
  auto *intf = find_interface(ifindex);
  if (intf == nullptr) return -1;
  *slot = intf->slot;
  return 0;
}

int32_t snprintf_if_index(char *buf, int32_t size, uint32_t ifindex) {
  if (call_log_on()) log_numbers("snprintf_if_index", {size, ifindex});
  auto *intf = find_interface(ifindex);
  return write_name(buf, size, intf ? &intf->long_name : nullptr);
}

int32_t snprintf_if_index_short(char *buf, int32_t size, uint32_t ifindex) {
  if (call_log_on()) log_numbers("snprintf_if_index_short", {size, ifindex});
  auto *intf = find_interface(ifindex);
  return write_name(buf, size, intf ? &intf->short_name : nullptr);
}

const char *syserr2str(uint32_t code) {
  if (call_log_on()) log_numbers("syserr2str", {code});
  auto &texts = platform().error_texts;
  auto it = texts.find(code);
  if (it != texts.end()) return it->second.c_str();
  static char unknown[48];
  std::snprintf(unknown, sizeof unknown, "Unknown error 0x%x", code);
  return unknown;
}

// A URI inside vdc_sdb_uri_lib is logged with its place there: "vdc_sdb_uri_lib+256 \"...\"".
uint32_t sdb_open(const char *uri, int32_t a, int32_t b, int32_t c, int32_t d) {
  std::string place;
  if (uri >= vdc_sdb_uri_lib && uri < vdc_sdb_uri_lib + 512)
    place = "vdc_sdb_uri_lib+" + std::to_string(uri - vdc_sdb_uri_lib) + " ";
  log_call("sdb_open(" + place + "\"" + std::string(uri ? uri : "") + "\", " + std::to_string(a) +
           ", " + std::to_string(b) + ", " + std::to_string(c) + ", " + std::to_string(d) + ")");
  return platform().sdb_open_result;
}

sdb_data *sdb_read(const char *uri, sdb_key *key, uint32_t *status) {
  static sdb_data result;
  std::string key_bytes(static_cast<const char *>(key->key), key->len);
  log_call("sdb_read(\"" + std::string(uri ? uri : "") + "\", " + shown_key(key_bytes) + ")");
  result = sdb_data{nullptr, 0};
  auto it = platform().sdb_records.find(key_bytes);
  if (platform().sdb_read_status) {
    *status = *platform().sdb_read_status;
  } else if (it == platform().sdb_records.end()) {
    *status = 0x40480003;
  } else {
    *status = 0;
  }
  if (*status == 0 && it != platform().sdb_records.end()) {
    result = sdb_data{it->second.data(), static_cast<uint32_t>(it->second.size())};
  }
  return &result;
}

}  // extern "C"
