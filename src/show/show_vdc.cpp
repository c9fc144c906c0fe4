// show_vdc: reads the request's display selector and hands the command to its renderer.
#include <array>
#include <cstdio>

#include "attr_reader.h"

namespace {

using renderer = int32_t (*)(cmd_handle);

// Indexed by selector - 1.
constexpr std::array<renderer, 5> renderers = {
    show_vdc_fs, show_vdc_detail, show_vdc_membership, show_vdc_membership_status,
    show_vdc_detail2,
};

}  // namespace

extern "C" int32_t show_vdc(cmd_handle handle) {
  void *data = nullptr;
  uint32_t len = 0;
  int32_t status = cmd_req_attr_get(handle, VDC_REQ_SHOW_SELECT, &data, &len);
  if (status != 0) return status;
  uint32_t selector = zms::read_word(zms::make_value(data, len)).value_or(0);
  if (selector >= 1 && selector <= renderers.size()) return renderers[selector - 1](handle);
  return printf("unknown parameter 0x%x, len %d\n", selector, static_cast<int32_t>(len));
}
