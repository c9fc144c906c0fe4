#include "standin.h"

namespace standin {

// At most half the slots are in use, so every probe ends at an empty slot.
void interface_table::rebuild(size_t slots) {
  size_t count = 1;
  while (count < slots)
    count *= 2;
  slots_.assign(count, slot{});
  mask_ = count - 1;
  last_ = 0;
  for (size_t i = 0; i < entries_.size(); ++i)
    place(i);
}

void interface_table::place(size_t position) {
  size_t at = slot_of(entries_[position].first);
  while (slots_[at].held != nullptr)
    at = (at + 1) & mask_;
  slots_[at] = {entries_[position].first, &entries_[position].second};
}

interface &interface_table::operator[](uint32_t ifindex) {
  if (auto *s = probe(ifindex)) return *s->held;
  entries_.push_back({ifindex, interface{}});
  if (entries_.size() * 2 > slots_.size())
    rebuild(entries_.size() * 4);
  else
    place(entries_.size() - 1);
  return entries_.back().second;
}

void interface_table::clear() {
  entries_.clear();
  slots_.clear();
  mask_ = 0;
  last_ = 0;
}

void interface_table::reserve(size_t count) {
  if (count * 2 > slots_.size()) rebuild(count * 4);
}

}  // namespace standin
