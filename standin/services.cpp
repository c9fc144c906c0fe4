// VDC services, the interface manager's client and the state database.
#include <cstdio>
#include <cstring>

#include "standin.h"

namespace {

using standin::log_call;
using standin::platform;

const standin::interface *find_interface(uint32_t ifindex) {
  auto it = platform().interfaces.find(ifindex);
  return it == platform().interfaces.end() ? nullptr : &it->second;
}

int32_t write_name(char *buf, int32_t size, const std::string *name) {
  if (name == nullptr || name->empty() || buf == nullptr || size <= 0) return 0;
  int written = std::snprintf(buf, static_cast<size_t>(size), "%s", name->c_str());
  return written < size ? written : size - 1;
}

// A feature-set key as the VDC it names (the same text on either byte order), any other key
// as its bytes.
std::string shown_key(const std::string &key) {
  uint16_t vdc = 0;
  if (key.size() == VDC_FS_KEY_LEN) std::memcpy(&vdc, key.data() + 1, sizeof vdc);
  if (key == standin::fs_key(vdc)) return "feature-set key of vdc " + std::to_string(vdc);
  std::string shown;
  for (unsigned char byte : key)
    shown += (shown.empty() ? "" : " ") + std::to_string(byte);
  return "[" + shown + "]";
}

}  // namespace

extern "C" {

uint32_t cmd_vdc_get(void) {
  log_call("cmd_vdc_get()");
  return platform().current_vdc;
}

int32_t cmd_vdc_set(uint32_t vdc) {
  log_call("cmd_vdc_set(" + std::to_string(vdc) + ")");
  platform().current_vdc = vdc;
  return 0;
}

int32_t vdc_is_index_broken(uint32_t ifindex) {
  log_call("vdc_is_index_broken(" + std::to_string(ifindex) + ")");
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
  log_call("im_ext_sbcr_init(" + std::to_string(client) + ", " + std::to_string(queue) + ", \"" +
           (name ? name : "") + "\")");
  return 0;
}

int32_t im_if_get_move_status(uint32_t ifindex, uint32_t *status) {
  log_call("im_if_get_move_status(" + std::to_string(ifindex) + ")");
  auto *intf = find_interface(ifindex);
  if (intf == nullptr) return 0x40a00005;
  if (intf->move_result != 0) return intf->move_result;
  *status = intf->move_status;
  return 0;
}

int32_t if_index_get_slot(uint32_t ifindex, uint8_t *slot) {
  log_call("if_index_get_slot(" + std::to_string(ifindex) + ")");
  auto *intf = find_interface(ifindex);
  if (intf == nullptr) return -1;
  *slot = intf->slot;
  return 0;
}

int32_t snprintf_if_index(char *buf, int32_t size, uint32_t ifindex) {
  log_call("snprintf_if_index(" + std::to_string(size) + ", " + std::to_string(ifindex) + ")");
  auto *intf = find_interface(ifindex);
  return write_name(buf, size, intf ? &intf->long_name : nullptr);
}

int32_t snprintf_if_index_short(char *buf, int32_t size, uint32_t ifindex) {
  log_call("snprintf_if_index_short(" + std::to_string(size) + ", " + std::to_string(ifindex) +
           ")");
  auto *intf = find_interface(ifindex);
  return write_name(buf, size, intf ? &intf->short_name : nullptr);
}

const char *syserr2str(uint32_t code) {
  log_call("syserr2str(" + std::to_string(code) + ")");
  auto it = platform().error_texts.find(code);
  if (it != platform().error_texts.end()) return it->second.c_str();
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
