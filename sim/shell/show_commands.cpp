// The show commands: each asks the VDC manager stand-in for its response and hands the
// command to the library's handler, which prints the display.
#include <cstdio>

#include "shell/actions.h"
#include "util/output.h"

namespace vdcsim {
namespace {

// Calls a handler on a response, with the platform in step with the model.
template <typename Handler>
bool display(session &s, cmd_ctx cmd, Handler handler) {
  s.mgr.sync_platform();
  handler(&cmd);
  output::flush();
  return true;
}

const char *named(const char *name) {
  return name ? name : "(unnamed)";
}

void print_internal_vdc(session &s, const vdc &v) {
  uint32_t state = s.mgr.state_code(v.state);
  std::printf("vdc %u %s: %s (%u)\n", v.id, v.name.c_str(),
              named(s.lib.__vdc_state_t_find(static_cast<int32_t>(state))), state);
  uint32_t counts[3] = {0, 0, 0};
  for (auto &i : s.model.interfaces) {
    bool shared = false;
    for (uint32_t with : i.shared_with)
      shared = shared || with == v.id;
    if (shared) ++counts[VDC_PORT_MEMB_SHARED];
    if (i.vdc != v.id) continue;
    bool issue = i.move_result != 0 || i.move_status != 0;
    ++counts[issue ? VDC_PORT_MEMB_INVALID : VDC_PORT_MEMB_VALID];
  }
  for (int32_t status = 0; status < 3; ++status)
    std::printf("  %-24s %u\n", named(s.lib.__vdc_port_memb_status_t_find(status)), counts[status]);
}

}  // namespace

bool show_summary(session &s, std::span<const param_value>) {
  return display(s, s.mgr.show(VDC_SELECT_SUMMARY), s.lib.show_vdc);
}

bool show_detail(session &s, std::span<const param_value>) {
  return display(s, s.mgr.show(VDC_SELECT_DETAIL), s.lib.show_vdc);
}

bool show_membership(session &s, std::span<const param_value>) {
  return display(s, s.mgr.show(VDC_SELECT_MEMBERSHIP), s.lib.show_vdc);
}

bool show_membership_status(session &s, std::span<const param_value>) {
  return display(s, s.mgr.show(VDC_SELECT_MEMBERSHIP_STATUS), s.lib.show_vdc);
}

bool show_feature_sets(session &s, std::span<const param_value>) {
  return display(s, s.mgr.show(VDC_SELECT_FEATURE_SETS), s.lib.show_vdc);
}

bool show_current(session &s, std::span<const param_value>) {
  return display(s, s.mgr.current_vdc_response(), s.lib.show_vdc_mode);
}

bool show_macs(session &s, std::span<const param_value>) {
  return display(s, s.mgr.macs(), s.lib.show_vdc_mac);
}

bool show_dirty_bits(session &s, std::span<const param_value>) {
  return display(s, s.mgr.dirty_bits(), s.lib.show_vdc_dirtybit);
}

bool show_storage(session &s, std::span<const param_value>) {
  return display(s, s.mgr.storage(), s.lib.show_fcoe);
}

// The VDC manager's own state, closed by the library's internal display.
bool show_internal(session &s, std::span<const param_value>) {
  for (auto &v : s.model.vdcs)
    if (s.mgr.in_default_vdc() || v.id == s.mgr.current()) print_internal_vdc(s, v);
  display(s, cmd_ctx{}, s.lib.show_vdc_internal);
  std::putchar('\n');
  return true;
}

bool show_event_history(session &s, std::span<const param_value>) {
  s.mgr.sync_platform();
  uintptr_t index = 0;
  for (auto &e : s.model.events) {
    std::vector<uint8_t> record = s.mgr.event_record(e);
    uint32_t pair[2] = {static_cast<uint32_t>(e.time), 0};
    s.lib.vdc_mgr_history_cli(record.data(), index++, s.mgr.event_code(e), pair, 0);
  }
  output::flush();
  return true;
}

}  // namespace vdcsim
