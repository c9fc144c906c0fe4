// The event-history printer on any record of the size the history service guarantees.
#include <cstdio>

#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  zms_fuzz::silence_stdout();
  zms_fuzz::input in(data, size);
  standin::reset();
  standin::platform().max_allowed_vdc = static_cast<int8_t>(in.byte()) % 9;
  uint32_t code = in.byte() & 1 ? VDC_EVENT_SEQ_CONFIG | (in.byte() & 3) : in.word();
  uint32_t pair[2] = {in.word(), in.word()};
  auto record = in.bytes(VDC_EVENT_OFF_SOURCE_VDCS + 8 * 4);
  record.resize(VDC_EVENT_OFF_SOURCE_VDCS + 8 * 4);
  vdc_mgr_history_cli(record.data(), 2, code, pair, 5);
  fflush(stdout);
  return 0;
}
