// The one place that knows how attribute values are laid out. Every read is
// bounded by the value's length: a value shorter than its layout reads as absent,
// and a string without a NUL inside its length ends at its last byte.
#ifndef ZMS_ATTR_READER_H
#define ZMS_ATTR_READER_H

#include <climits>
#include <cstdint>
#include <cstring>
#include <ctime>
#include <optional>
#include <string_view>

#include "vdc_platform.h"

namespace zms {

struct attr_value {
  const unsigned char *data = nullptr;
  uint32_t len = 0;

  constexpr bool holds(uint32_t bytes) const { return data != nullptr && len >= bytes; }
};

struct attr {
  uint32_t id = VDC_ATTR_WALK_END;
  attr_value value;
};

inline attr_value make_value(void *data, uint32_t len) {
  return attr_value{static_cast<const unsigned char *>(data), len};
}

// Walks a response once, from its first attribute to its end mark.
class response_walk {
 public:
  explicit response_walk(cmd_handle handle) : handle_(handle) {}

  bool next(attr &out) {
    void *data = nullptr;
    uint32_t len = 0;
    out.id = cmd_rsp_attr_getnext(handle_, &data, &len);
    if (out.id == VDC_ATTR_WALK_END) return false;
    out.value = make_value(data, len);
    return true;
  }

  // What the walk's last call returned: the end mark once the walk is over.
  static constexpr int32_t end_mark() { return static_cast<int32_t>(VDC_ATTR_WALK_END); }

 private:
  cmd_handle handle_;
};

inline std::optional<attr_value> lookup_response(cmd_handle handle, uint32_t id) {
  void *data = nullptr;
  uint32_t len = 0;
  if (cmd_rsp_attr_get(handle, id, &data, &len) != 0) return std::nullopt;
  return make_value(data, len);
}

// A 32-bit word at byte offset `offset`, in host byte order.
inline std::optional<uint32_t> read_word(attr_value v, uint32_t offset = 0) {
  if (offset > UINT32_MAX - 4 || !v.holds(offset + 4)) return std::nullopt;
  uint32_t word;
  std::memcpy(&word, v.data + offset, sizeof word);
  return word;
}

inline std::optional<int32_t> read_signed_word(attr_value v) {
  auto word = read_word(v);
  if (!word) return std::nullopt;
  return static_cast<int32_t>(*word);
}

// The VDC number of a VDC id word: its low-order 16 bits.
inline std::optional<uint16_t> read_vdc_number(attr_value v) {
  auto word = read_word(v);
  if (!word) return std::nullopt;
  return static_cast<uint16_t>(*word & 0xffffu);
}

// The value's first 16-bit unit, in host byte order.
inline std::optional<uint16_t> read_first_half(attr_value v) {
  if (!v.holds(2)) return std::nullopt;
  uint16_t half;
  std::memcpy(&half, v.data, sizeof half);
  return half;
}

inline std::optional<std::string_view> read_text(attr_value v) {
  if (v.data == nullptr) return std::nullopt;
  const char *text = reinterpret_cast<const char *>(v.data);
  return std::string_view(text, strnlen(text, v.len));
}

// A text to print with "%.*s" as it lies: printf stops at its NUL or at the value's end,
// whichever comes first, so it need not be measured beforehand.
struct printable_text {
  const char *data;
  int precision;
};

inline std::optional<printable_text> read_printable_text(attr_value v) {
  if (v.data == nullptr) return std::nullopt;
  int precision = v.len > INT_MAX ? INT_MAX : static_cast<int>(v.len);
  return printable_text{reinterpret_cast<const char *>(v.data), precision};
}

// A 32-bit time value, widened to the host's time_t.
inline std::optional<time_t> read_time(attr_value v) {
  auto word = read_signed_word(v);
  if (!word) return std::nullopt;
  return static_cast<time_t>(*word);
}

// A VLAN range list: word 0 (not read), a count, then (low, high) pairs from byte 8.
struct vlan_range {
  int32_t low;
  int32_t high;
};

inline std::optional<uint32_t> read_vlan_count(attr_value v) {
  return read_word(v, 4);
}

// Range `index` of the list, when the value's length holds the whole pair.
inline std::optional<vlan_range> read_vlan_range(attr_value v, uint32_t index) {
  constexpr uint32_t first = 8, pair = 8;
  uint32_t pairs = v.len < first ? 0 : (v.len - first) / pair;
  if (index >= pairs) return std::nullopt;
  auto low = read_word(v, first + index * pair);
  auto high = read_word(v, first + index * pair + 4);
  if (!low || !high) return std::nullopt;
  return vlan_range{static_cast<int32_t>(*low), static_cast<int32_t>(*high)};
}

// Precision argument for printing a bounded text with "%.*s".
inline int precision(std::string_view text) {
  return text.size() > INT_MAX ? INT_MAX : static_cast<int>(text.size());
}

}  // namespace zms

#endif  // ZMS_ATTR_READER_H
