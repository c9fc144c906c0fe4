// Reading the fields of the table from the events: each kind of field, records, lists and
// the top level, where sections are read in the order their references need.
#include "chassis/chassis_reader.h"

#include <algorithm>
#include <cctype>

#include "chassis/plain_scalar.h"

namespace vdcsim {
namespace {

// The sections that refer to others, and what they refer to.
struct dependency {
  std::string_view section;
  std::array<std::string_view, 4> on;
};
constexpr std::array<dependency, 5> dependencies = {{
    {"modules", {"linecard_types"}},
    {"vdcs", {"clock", "max_vdcs", "linecard_types", "feature_sets"}},
    {"interfaces", {"max_vdcs", "vdcs"}},
    {"storage", {"max_vdcs", "vdcs"}},
    {"events", {"max_vdcs"}},
}};

struct section_names {
  std::vector<std::string_view> &out;
  void record(std::string_view name, const auto &) {
    if (!name.empty()) out.push_back(name);
  }
  void list(std::string_view name, const auto &, bool) { out.push_back(name); }
};

// The names of the top level: the chassis's own fields, then its sections.
const std::vector<std::string_view> &top_names() {
  static const std::vector<std::string_view> names = [] {
    std::vector<std::string_view> all;
    for (auto &row : fields_of<chassis>::rows)
      all.push_back(row.name);
    const chassis none;
    visit_sections(none, section_names{all});
    return all;
  }();
  return names;
}

size_t top_index(std::string_view name) {
  auto &names = top_names();
  return static_cast<size_t>(std::find(names.begin(), names.end(), name) - names.begin());
}

// A field's name as messages show it: quoted unless a plain word.
std::string shown(std::string_view name) {
  bool word = !name.empty() && std::all_of(name.begin(), name.end(), [](char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '-';
  });
  return word ? std::string(name) : "\"" + std::string(name) + "\"";
}

template <class T>
void store(T &member, int64_t value) {
  if constexpr (std::is_integral_v<T>) member = static_cast<T>(value);
}

}  // namespace

template <class R>
bool chassis_reader::field_value(size_t i, R &r, const yevent &e, const where &at,
                                 record_marks<R> &m) {
  const field<R> &f = fields_of<R>::rows[i];
  int64_t n = 0;
  switch (f.kind) {
    case field_kind::number:
    case field_kind::code:
      if (!number(e, at, f.low, bound(f.high), f.kind == field_kind::code, n)) return false;
      return std::visit([&](auto p) { return store(r.*p, n), true; }, f.at);
    case field_kind::time:
      return time(e, at, r.*std::get<int64_t R::*>(f.at));
    case field_kind::text:
      return text(e, at, r.*std::get<std::string R::*>(f.at));
    case field_kind::flag: {
      scalar v = e.type == ev::scalar ? classify(e.text, e.plain) : scalar{};
      if (e.type != ev::scalar || v.kind != scalar_kind::boolean)
        return fail(e.at, at, "expected true or false, found " + describe(e));
      return r.*std::get<bool R::*>(f.at) = v.flag, true;
    }
    case field_kind::choice: {
      std::string name;
      if (!text(e, at, name)) return false;
      auto kind = event_kind_from(name);
      if (!kind) return fail(e.at, at, "expected " + event_kind_choices());
      return r.*std::get<event_kind R::*>(f.at) = *kind, true;
    }
    case field_kind::numbers:
      return each(e, at, &m.items[i], [&](const yevent &item, const where &path) {
        return number(item, path, f.low, bound(f.high), false, n) &&
               ((r.*std::get<std::vector<uint32_t> R::*>(f.at)).push_back(static_cast<uint32_t>(n)),
                true);
      });
    case field_kind::texts:
      return each(e, at, &m.items[i], [&](const yevent &item, const where &path) {
        auto &list = r.*std::get<std::vector<std::string> R::*>(f.at);
        return text(item, path, list.emplace_back());
      });
    case field_kind::vlans:
      return each(e, at, &m.items[i], [&](const yevent &item, const where &path) {
        auto &list = r.*std::get<std::vector<vlan_range> R::*>(f.at);
        return vlan(item, path, list.emplace_back());
      });
  }
  return false;
}

template <class R>
bool chassis_reader::record(R &r, const yevent &first, const where &at, record_marks<R> &m) {
  if (first.type != ev::object)
    return fail(first.at, at, "expected an object, found " + describe(first));
  m.at = first.at;
  yevent e;
  while (next(e) && e.type != ev::end) {
    if (e.type != ev::scalar) return fail(e.at, where{}, "expected a field name");
    size_t i = row_of<R>(e.text);
    std::string name(e.text);
    mark key_at = e.at;
    if (!next(e)) return false;
    if (i == m.n) return fail(e.at, where{&at, shown(name)}, "unknown field");
    if (m.seen[i]) return fail(key_at, where{}, "duplicate field \"" + name + "\"");
    m.seen[i] = true;
    m.field[i] = e.at;
    if (!field_value(i, r, e, where{&at, fields_of<R>::rows[i].name}, m)) return false;
  }
  if (events_.failed()) return false;
  for (size_t i = 0; i < m.n; ++i)
    if (fields_of<R>::rows[i].required && !m.seen[i])
      return fail(m.at, at, "missing field \"" + std::string(fields_of<R>::rows[i].name) + "\"");
  return check(r, m, at) && lengths(r, m, at);
}

// Texts longer than their row allows, once the record's own checks had their say.
template <class R>
bool chassis_reader::lengths(const R &r, const record_marks<R> &m, const where &at) {
  for (size_t i = 0; i < m.n; ++i) {
    const field<R> &f = fields_of<R>::rows[i];
    if (f.kind == field_kind::text && f.high > 0 &&
        (r.*std::get<std::string R::*>(f.at)).size() > static_cast<size_t>(f.high))
      return fail(m.field[i], where{&at, f.name},
                  "longer than " + std::to_string(f.high) + " characters");
  }
  return true;
}

template <class R>
bool chassis_reader::items(const yevent &first, const where &at, std::vector<R> &out) {
  return each(first, at, nullptr, [&](const yevent &e, const where &path) {
    R r;
    record_marks<R> m;
    if (!record(r, e, path, m)) return false;
    out.push_back(std::move(r));
    return true;
  });
}

// Reads the section `want` when the sections are visited.
struct chassis_reader::section_reader {
  chassis_reader &self;
  std::string_view want;
  const yevent &first;
  bool ok = true;

  template <class R>
  void record(std::string_view name, R &r) {
    record_marks<R> m;
    if (name == want) ok = self.record(r, first, where{nullptr, name}, m);
  }
  template <class R>
  void list(std::string_view name, std::vector<R> &items, bool required) {
    if (name != want) return;
    ok = self.items(first, where{nullptr, name}, items);
    if (ok && required && items.empty())
      ok = self.fail(first.at, where{nullptr, name}, "no VDC at all");
  }
};

bool chassis_reader::section(size_t index, const yevent &first) {
  section_reader r{*this, top_names()[index], first};
  visit_sections(c_, r);
  return r.ok;
}

bool chassis_reader::ready(size_t index) const {
  for (auto &d : dependencies)
    if (d.section == top_names()[index])
      for (auto on : d.on)
        if (!on.empty() && !read_[top_index(on)]) return false;
  return true;
}

bool chassis_reader::run() {
  yevent e;
  if (!events_.start() || !next(e)) return false;
  if (e.type != ev::object) return fail(e.at, where{}, "expected an object, found " + describe(e));
  mark top = e.at;
  record_marks<chassis> m;
  std::bitset<16> seen;
  std::vector<std::pair<size_t, yaml_events::span>> later;
  while (next(e) && e.type != ev::end) {
    if (e.type != ev::scalar) return fail(e.at, where{}, "expected a field name");
    std::string name(e.text);
    mark key_at = e.at;
    size_t index = top_index(name);
    bool defer = index < top_names().size() && index >= m.n && !ready(index) &&
                 !events_.replaying() && !seen[index];
    if (defer) {
      seen.set(index);
      later.emplace_back(index, yaml_events::span{});
      if (!events_.record(later.back().second)) return false;
      continue;
    }
    if (!next(e)) return false;
    if (index == top_names().size())
      return fail(e.at, where{nullptr, shown(name)}, "unknown field");
    if (seen[index]) return fail(key_at, where{}, "duplicate field \"" + name + "\"");
    seen.set(index);
    bool ok = index < m.n ? field_value(index, c_, e, where{nullptr, top_names()[index]}, m)
                          : section(index, e);
    if (!ok) return false;
    read_.set(index);
  }
  if (events_.failed()) return false;
  std::sort(later.begin(), later.end(), [](auto &a, auto &b) { return a.first < b.first; });
  for (auto &[index, span] : later) {
    events_.replay(span);
    if (!next(e) || !section(index, e)) return false;
    read_.set(index);
  }
  if (!seen[top_index("vdcs")]) return fail(top, where{}, "missing field \"vdcs\"");
  return events_.finish();
}

}  // namespace vdcsim
