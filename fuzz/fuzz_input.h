// Turns fuzzer bytes into what the framework would hand the library.
#ifndef ZMS_FUZZ_INPUT_H
#define ZMS_FUZZ_INPUT_H

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "attribute_ids.h"
#include "standin.h"

namespace zms_fuzz {

class input {
 public:
  input(const uint8_t *data, size_t size) : data_(data), size_(size) {}

  bool empty() const { return pos_ >= size_; }

  uint8_t byte() { return pos_ < size_ ? data_[pos_++] : 0; }

  uint32_t word() {
    uint32_t w = 0;
    size_t n = size_ - pos_ < 4 ? size_ - pos_ : 4;
    std::memcpy(&w, data_ + pos_, n);
    pos_ += n;
    return w;
  }

  std::vector<uint8_t> bytes(size_t n) {
    if (n > size_ - pos_) n = size_ - pos_;
    std::vector<uint8_t> out(data_ + pos_, data_ + pos_ + n);
    pos_ += n;
    return out;
  }

  std::string text() {
    auto b = bytes(byte() % 80);
    return std::string(b.begin(), b.end());
  }

 private:
  const uint8_t *data_;
  size_t size_;
  size_t pos_ = 0;
};

// Identifiers the library knows, so that most attributes land on a handled case.
#define ZMS_ID(name, value) name,
constexpr uint32_t known_ids[] = {ZMS_ATTRIBUTES(ZMS_ID)};
#undef ZMS_ID

// The library prints as it goes; a fuzzer has no use for the text. Done once per process.
inline void silence_stdout() {
  static bool silenced = freopen("/dev/null", "w", stdout) != nullptr;
  (void)silenced;
}

// The rest of the input as attributes.
inline std::vector<standin::attribute> attributes(input &in);

// One attribute: a byte picks a known identifier (or takes the next word as a raw one),
// a byte gives the length, then the value; a length of 255 delivers a null value.
inline standin::attribute next_attribute(input &in) {
  uint8_t pick = in.byte();
  constexpr size_t known = sizeof known_ids / sizeof known_ids[0];
  uint32_t id = pick < known ? known_ids[pick] : in.word();
  uint8_t len = in.byte();
  if (len == 255) return standin::attribute{id, {}, true};
  return standin::attribute{id, in.bytes(len)};
}

inline std::vector<standin::attribute> attributes(input &in) {
  std::vector<standin::attribute> out;
  while (!in.empty())
    out.push_back(next_attribute(in));
  return out;
}

}  // namespace zms_fuzz

#endif  // ZMS_FUZZ_INPUT_H
