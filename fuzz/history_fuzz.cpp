// The event-history printer on any record (or none) of the size the history service
// guarantees, and the fourteen enumeration lookups on any value and text; the first byte
// picks which.
#include <cstdio>
#include <iterator>

#include "fuzz_input.h"
#include "library_exports.h"

namespace {

#define ZMS_FUZZ_LOOKUP(name) name,
const char *(*const finds[])(int32_t) = {ZMS_ENUM_FINDS(ZMS_FUZZ_LOOKUP)};
uint32_t (*const str2enums[])(const char *) = {ZMS_ENUM_STR2ENUMS(ZMS_FUZZ_LOOKUP)};
#undef ZMS_FUZZ_LOOKUP
static_assert(std::size(finds) == std::size(str2enums));

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
  size_t which = in.byte() % std::size(finds);
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
