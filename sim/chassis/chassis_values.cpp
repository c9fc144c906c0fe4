// Reading one value of each kind from the events: numbers within bounds, codes, times,
// texts and VLAN ranges, and lists of them, each fault with its place and path.
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "chassis/chassis_reader.h"
#include "chassis/plain_scalar.h"

namespace vdcsim {
namespace {

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

}  // namespace

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

}  // namespace vdcsim
