#include <stdexcept>

#include "standin.h"

namespace standin {

// Slots point into the entries: a copy indexes its own.
interface_table::interface_table(const interface_table &other) : entries_(other.entries_) {
  rebuild(other.slots_.size());
}

interface_table &interface_table::operator=(const interface_table &other) {
  if (this != &other) {
    entries_ = other.entries_;
    rebuild(other.slots_.size());
  }
  return *this;
}

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
  slots_[at] = {entries_[position].first, static_cast<uint32_t>(position),
                &entries_[position].second};
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

interface &interface_table::at(uint32_t ifindex) {
  auto *s = probe(ifindex);
  if (s == nullptr) throw std::out_of_range("no interface with this index");
  return *s->held;
}

const interface &interface_table::at(uint32_t ifindex) const {
  return const_cast<interface_table *>(this)->at(ifindex);
}

interface_table::iterator interface_table::find(uint32_t ifindex) {
  auto *s = probe(ifindex);
  return s != nullptr ? entries_.begin() + s->position : entries_.end();
}

interface_table::const_iterator interface_table::find(uint32_t ifindex) const {
  auto *s = probe(ifindex);
  return s != nullptr ? entries_.begin() + s->position : entries_.end();
}

size_t interface_table::erase(uint32_t ifindex) {
  auto *s = probe(ifindex);
  if (s == nullptr) return 0;
  if (s->position + 1 != entries_.size()) entries_[s->position] = std::move(entries_.back());
  entries_.pop_back();
  rebuild(slots_.size());
  return 1;
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
