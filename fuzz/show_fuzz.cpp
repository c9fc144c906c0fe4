// Every show handler on an arbitrary response: whatever the bytes, no read leaves a value.
#include <cstdio>

#include "fuzz_input.h"
#include "library_exports.h"

namespace {

using handler = int32_t (*)(cmd_handle);
#define ZMS_FUZZ_HANDLER(name) name,
constexpr handler handlers[] = {ZMS_SHOW_HANDLERS(ZMS_FUZZ_HANDLER)};
#undef ZMS_FUZZ_HANDLER

void add_interfaces() {
  auto &intfs = standin::platform().interfaces;
  intfs[1] = {"Ethernet1/1", "Eth1/1", 1, false, 0, 0};
  intfs[2] = {"Ethernet1/2", "Eth1/2", 1, true, 0, 7};
  intfs[3] = {std::string(300, 'x'), std::string(300, 'y'), 255, true, 31, 0};
  intfs[4] = {"", "", 2, false, 0, 0};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  zms_fuzz::silence_stdout();
  zms_fuzz::input in(data, size);
  standin::reset();
  add_interfaces();
  handler show = handlers[in.byte() % (sizeof handlers / sizeof handlers[0])];
  standin::platform().current_vdc = in.byte() & 1 ? 1 : 2;
  cmd_ctx cmd;
  cmd.request.push_back(standin::attribute{VDC_REQ_SHOW_SELECT, in.bytes(in.byte() % 6)});
  cmd.response = zms_fuzz::attributes(in);
  show(&cmd);
  fflush(stdout);
  return 0;
}
