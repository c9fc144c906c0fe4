#include "interface_names.h"

#include <algorithm>
#include <cstring>

namespace zms {
namespace {

constexpr int32_t interface_client = 262;
constexpr size_t longest_vdc_name = sizeof(vdc_name_buffer::text) - 1;

using formatter = int32_t (*)(char *, int32_t, uint32_t);

void format_name(formatter format, interface_name_buffer &out, uint32_t ifindex) {
  constexpr int32_t size = sizeof out.text;
  if (format(out.text, size, ifindex) == 0) out.text[0] = '\0';
  // A name that fills the buffer may come without its terminator.
  out.text[size - 1] = '\0';
}

}  // namespace

void open_interface_queries() {
  im_ext_sbcr_init(interface_client, cmd_q, "clish");
}

void copy_vdc_name(vdc_name_buffer &out, std::string_view name) {
  // The value need not be terminated inside its length: the copy reads a terminated source.
  char source[sizeof out.text];
  size_t len = std::min(name.size(), longest_vdc_name);
  std::memcpy(source, name.data(), len);
  source[len] = '\0';
  strncpy_s(out.text, sizeof out.text, source, longest_vdc_name);
}

void format_long_name(interface_name_buffer &out, uint32_t ifindex) {
  format_name(snprintf_if_index, out, ifindex);
}

void format_short_name(interface_name_buffer &out, uint32_t ifindex) {
  format_name(snprintf_if_index_short, out, ifindex);
}

void mark_breakout(interface_name_buffer &name, uint32_t ifindex) {
  if (vdc_is_index_broken(ifindex) != 0)
    __strcat_s_to_buf(sizeof name.text, name.text, sizeof name.text, "(b)");
}

}  // namespace zms
