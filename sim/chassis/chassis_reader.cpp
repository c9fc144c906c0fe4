// Reading the fields of the table from the events: each kind of field, records, lists and
// the top level, where sections are read in the order their references need.
#include "chassis/chassis_reader.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <ctime>

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

std::string describe(const yevent &e) {
  if (e.type == ev::list) return "a list";
  if (e.type == ev::object) return "an object";
  switch (classify(e.text, e.plain).kind) {
    case scalar_kind::null:
      return "null";
    case scalar_kind::boolean:
      return "true or false";
    case scalar_kind::number:
      return "a number";
    case scalar_kind::string:
      break;
  }
  return "a string";
}

// A field's name as messages show it: quoted unless a plain word.
std::string shown(std::string_view name) {
  bool word = !name.empty() && std::all_of(name.begin(), name.end(), [](char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '-';
  });
  return word ? std::string(name) : "\"" + std::string(name) + "\"";
}

std::string range_text(int64_t low, int64_t high) {
  return "a whole number from " + std::to_string(low) + " to " + std::to_string(high);
}

// "0x" or "0X" and one to eight hexadecimal digits, nothing else.
bool parse_hex(std::string_view text, int64_t &out) {
  if (text.size() < 3 || text.size() > 10 || text[0] != '0' || (text[1] != 'x' && text[1] != 'X'))
    return false;
  for (size_t i = 2; i < text.size(); ++i)
    if (!std::isxdigit(static_cast<unsigned char>(text[i]))) return false;
  out = static_cast<int64_t>(std::strtoull(std::string(text.substr(2)).c_str(), nullptr, 16));
  return true;
}

bool parse_iso_time(const std::string &text, int64_t &out) {
  struct tm tm {};
  int consumed = 0;
  if (std::sscanf(text.c_str(), "%4d-%2d-%2dT%2d:%2d:%2dZ%n", &tm.tm_year, &tm.tm_mon, &tm.tm_mday,
                  &tm.tm_hour, &tm.tm_min, &tm.tm_sec, &consumed) != 6 ||
      consumed != static_cast<int>(text.size()))
    return false;
  if (tm.tm_mon < 1 || tm.tm_mon > 12 || tm.tm_mday < 1 || tm.tm_mday > 31 || tm.tm_hour > 23 ||
      tm.tm_min > 59 || tm.tm_sec > 59)
    return false;
  tm.tm_year -= 1900;
  tm.tm_mon -= 1;
  out = static_cast<int64_t>(timegm(&tm));
  return true;
}

template <class T>
void store(T &member, int64_t value) {
  if constexpr (std::is_integral_v<T>) member = static_cast<T>(value);
}

}  // namespace

std::string where::text() const {
  std::string up = parent ? parent->text() : "";
  if (name.empty() && parent) return up + "[" + std::to_string(index) + "]";
  return up.empty() ? std::string(name) : up + "." + std::string(name);
}

bool chassis_reader::fail(mark at, const where &path, const std::string &what) {
  std::string p = path.text();
  return events_.fail(at, p.empty() ? what : p + ": " + what);
}

bool chassis_reader::number(const yevent &e, const where &at, int64_t low, int64_t high, bool hex,
                            int64_t &out) {
  scalar v = e.type == ev::scalar ? classify(e.text, e.plain) : scalar{scalar_kind::null};
  int64_t n = v.whole;
  if (hex && e.type == ev::scalar && v.kind == scalar_kind::string) {
    if (!parse_hex(e.text, n))
      return fail(e.at, at, "expected " + range_text(low, high) + " or a hexadecimal \"0x...\"");
  } else if (e.type != ev::scalar || v.kind != scalar_kind::number || !v.integral) {
    bool fraction = e.type == ev::scalar && v.kind == scalar_kind::number;
    return fail(
        e.at, at,
        "expected " + range_text(low, high) + ", found " + (fraction ? "a fraction" : describe(e)));
  }
  bool fits = v.kind != scalar_kind::number || v.fits;
  if (!fits || n < low || n > high)
    return fail(e.at, at,
                "expected " + range_text(low, high) + ", found " +
                    (fits ? std::to_string(n) : std::string(e.text)));
  out = n;
  return true;
}

bool chassis_reader::time(const yevent &e, const where &at, int64_t &out) {
  if (e.type != ev::scalar || classify(e.text, e.plain).kind != scalar_kind::string)
    return number(e, at, 0, INT32_MAX, false, out);
  std::string written(e.text);
  int64_t seconds = 0;
  if (!parse_iso_time(written, seconds))
    return fail(e.at, at, "expected a time such as \"2024-03-01T09:00:00Z\"");
  if (seconds < 0 || seconds > INT32_MAX)
    return fail(
        e.at, at,
        "expected a time from 1970-01-01T00:00:00Z to 2038-01-19T03:14:07Z, found " + written);
  out = seconds;
  return true;
}

bool chassis_reader::text(const yevent &e, const where &at, std::string &out) {
  if (e.type != ev::scalar) return fail(e.at, at, "expected a string, found " + describe(e));
  out = e.text;
  return true;
}

bool chassis_reader::vlan(const yevent &e, const where &at, vlan_range &out) {
  int64_t low = 0, high = 0;
  const char *pair = "expected a VLAN number or a [low, high] pair";
  if (e.type == ev::scalar && classify(e.text, e.plain).kind == scalar_kind::number) {
    if (!number(e, at, 1, 4094, false, low)) return false;
    high = low;
  } else if (e.type == ev::list) {
    yevent item;
    if (!next(item) || item.type == ev::end) return !events_.failed() && fail(e.at, at, pair);
    if (!number(item, where{&at, "", 0}, 1, 4094, false, low) || !next(item)) return false;
    if (item.type == ev::end) return fail(e.at, at, pair);
    if (!number(item, where{&at, "", 1}, low, 4094, false, high) || !next(item)) return false;
    if (item.type != ev::end) return fail(e.at, at, pair);
  } else {
    return fail(e.at, at, pair);
  }
  out = {static_cast<uint32_t>(low), static_cast<uint32_t>(high)};
  return true;
}

bool chassis_reader::each(const yevent &first, const where &at, std::vector<mark> *marks,
                          const std::function<bool(const yevent &, const where &)> &item) {
  if (first.type != ev::list)
    return fail(first.at, at, "expected a list, found " + describe(first));
  yevent e;
  for (size_t i = 0; next(e) && e.type != ev::end; ++i) {
    if (marks) marks->push_back(e.at);
    if (!item(e, where{&at, "", i})) return false;
  }
  return !events_.failed();
}

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
