// The event-history printer on any record (or none) of the size the history service
// guarantees, and the fourteen enumeration lookups on any value and text; the first byte
// picks which.
#include <cstdio>

#include "fuzz_input.h"

namespace {

using find_fn = const char *(*)(int32_t);
const find_fn finds[] = {__vdc_state_t_find,
                         __vdc_type_t_find,
                         __vdc_show_type_t_find,
                         __vdc_res_req_type_t_find,
                         __vdc_port_memb_status_t_find,
                         __vdc_event_type_enums_t_find,
                         __vdc_fs_action_t_find};
uint32_t (*const str2enums[])(const char *) = {
    [](const char *t) -> uint32_t { return __vdc_state_t_str2enum(t); },
    [](const char *t) -> uint32_t { return __vdc_type_t_str2enum(t); },
    [](const char *t) -> uint32_t { return __vdc_show_type_t_str2enum(t); },
    [](const char *t) -> uint32_t { return __vdc_res_req_type_t_str2enum(t); },
    [](const char *t) -> uint32_t { return __vdc_port_memb_status_t_str2enum(t); },
    [](const char *t) -> uint32_t { return __vdc_event_type_enums_t_str2enum(t); },
    [](const char *t) -> uint32_t { return __vdc_fs_action_t_str2enum(t); }};

void print_record(zms_fuzz::input &in) {
  standin::platform().max_allowed_vdc = static_cast<int8_t>(in.byte()) % 9;
  uint32_t code = in.byte() & 1 ? VDC_EVENT_SEQ_CONFIG | (in.byte() & 3) : in.word();
  uint32_t pair[2] = {in.word(), in.word()};
  uint8_t absent = in.byte();
  auto record = in.bytes(VDC_EVENT_OFF_SOURCE_VDCS + 8 * 4);
  record.resize(VDC_EVENT_OFF_SOURCE_VDCS + 8 * 4);
  vdc_mgr_history_cli(absent & 1 ? nullptr : record.data(), 2, code, absent & 2 ? nullptr : pair,
                      5);
}

void look_up(zms_fuzz::input &in) {
  size_t which = in.byte() % 7;
  finds[which](static_cast<int32_t>(in.word()));
  std::string text = in.text();
  str2enums[which](in.byte() & 1 ? nullptr : text.c_str());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  zms_fuzz::silence_stdout();
  zms_fuzz::input in(data, size);
  standin::reset();
  if (in.byte() & 1)
    look_up(in);
  else
    print_record(in);
  fflush(stdout);
  return 0;
}
