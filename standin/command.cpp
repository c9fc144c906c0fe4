// The command framework's attribute operations over a cmd_ctx.
#include <cstdio>

#include "standin.h"

namespace {

// A zero-length value still has an address; only null_value delivers a null pointer.
uint8_t empty_value[1];

void *value_of(standin::attribute &a) {
  if (a.null_value) return nullptr;
  return a.value.empty() ? empty_value : a.value.data();
}

std::string hex(uint32_t id) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "0x%x", id);
  return buf;
}

int32_t find(std::vector<standin::attribute> &attrs, uint32_t id, void **value, uint32_t *len) {
  for (auto &a : attrs) {
    if (a.id != id) continue;
    *value = value_of(a);
    *len = static_cast<uint32_t>(a.value.size());
    return 0;
  }
  return -1;
}

}  // namespace

extern "C" {

uint32_t cmd_rsp_attr_getnext(cmd_handle handle, void **value, uint32_t *len) {
  ++handle->getnext_calls;
  if (handle->cursor >= handle->response.size()) return VDC_ATTR_WALK_END;
  auto &a = handle->response[handle->cursor++];
  *value = value_of(a);
  *len = static_cast<uint32_t>(a.value.size());
  return a.id;
}

int32_t cmd_rsp_attr_get(cmd_handle handle, uint32_t id, void **value, uint32_t *len) {
  if (standin::call_log_on()) standin::log_call("cmd_rsp_attr_get(" + hex(id) + ")");
  return find(handle->response, id, value, len);
}

int32_t cmd_req_attr_get(cmd_handle handle, uint32_t id, void **value, uint32_t *len) {
  if (standin::call_log_on()) standin::log_call("cmd_req_attr_get(" + hex(id) + ")");
  return find(handle->request, id, value, len);
}

int32_t cmd_req_action_is_set(cmd_handle handle) {
  standin::log_call("cmd_req_action_is_set()");
  return handle->action_set;
}

int32_t cmd_req_script_mode_get(cmd_handle handle) {
  standin::log_call("cmd_req_script_mode_get()");
  return handle->script_mode;
}

int32_t cmd_attr_value_replace(uint32_t id, void *value, uint32_t len) {
  standin::log_call("cmd_attr_value_replace(" + hex(id) + ", " + std::to_string(len) + ")");
  standin::platform().replaced_value = value;
  return 0;
}

}  // extern "C"
