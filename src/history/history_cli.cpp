// Prints one VDC manager event-history record: the service's header, then the body of
// the two event codes that carry one.
#include <cstdio>

#include "history/event_record.h"
#include "show/attr_reader.h"
#include "vdc_platform.h"

namespace {

using zms::event_record;
using zms::precision;

constexpr uint32_t event_type_mask = 0xffffu;

// The state's name, or a placeholder built in `buf` for a value without one.
template <size_t N>
const char *state_name(uint32_t state, char (&buf)[N]) {
  const char *name = __vdc_state_t_find(static_cast<int32_t>(state));
  if (name != nullptr) return name;
  snprintf(buf, N, "UNKNOWN(%u)", static_cast<unsigned>(state));
  return buf;
}

void print_vdc_line(const event_record &record) {
  char unknown[24];
  std::string_view name = record.vdc_name();
  printf("    vdc_id = %d   vdc_name = %.*s   vdc_state = %s \n", record.vdc_id(), precision(name),
         name.data(), state_name(record.vdc_state(), unknown));
}

void print_config_body(const event_record &record) {
  print_vdc_line(record);
  std::string_view desc = record.desc();
  if (!desc.empty()) printf("    desc = %.*s \n", precision(desc), desc.data());
}

void print_port_config_body(const event_record &record) {
  print_vdc_line(record);
  printf("    Dest_vdc_id = %d ", record.dest_vdc_id());
  printf(" Source_vdcs = ");
  // The limit is asked anew before each element.
  for (int32_t i = 0; i < get_max_allowed_vdc(); ++i) {
    if (record.source_vdc(static_cast<uint32_t>(i)) == 1) printf("%d ", i);
  }
  printf(" Num of Ports = %d", record.num_ports());
  putchar('\n');
}

}  // namespace

extern "C" void vdc_mgr_history_cli(const void *record, uintptr_t arg2, uint32_t code,
                                    const uint32_t *pair, uintptr_t arg5) {
  const char *type_name =
      __vdc_event_type_enums_t_find(static_cast<int32_t>(code & event_type_mask));
  uint32_t local_pair[2] = {0, 0};
  if (pair != nullptr) {
    local_pair[0] = pair[0];
    local_pair[1] = pair[1];
  }
  sdwrap_hist_print_event_header(arg5, type_name, arg2, local_pair);
  if (record == nullptr) return;
  if (code == VDC_EVENT_SEQ_CONFIG) {
    print_config_body(event_record(record));
  } else if (code == VDC_EVENT_SEQ_PORT_CONFIG) {
    print_port_config_body(event_record(record));
  }
}
