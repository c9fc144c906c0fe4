#include "chassis/chassis_reader.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace vdcsim {
namespace {

std::string range_text(int64_t low, int64_t high) {
  return "a whole number from " + std::to_string(low) + " to " + std::to_string(high);
}

// "0x" or "0X" and one to eight hexadecimal digits, nothing else.
bool parse_hex(const std::string &text, int64_t &out) {
  if (text.size() < 3 || text.size() > 10 || text[0] != '0' || (text[1] != 'x' && text[1] != 'X'))
    return false;
  for (size_t i = 2; i < text.size(); ++i)
    if (!std::isxdigit(static_cast<unsigned char>(text[i]))) return false;
  out = static_cast<int64_t>(std::strtoull(text.c_str() + 2, nullptr, 16));
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

void chassis_reader::fail(const doc::position &at, const std::string &path,
                          const std::string &what) {
  if (!error_.empty()) return;
  error_ = file_ + ":" + std::to_string(at.line) + ":" + std::to_string(at.column) + ": " +
           (path.empty() ? "" : path + ": ") + what;
}

bool chassis_reader::object(const node &n, std::initializer_list<const char *> known) {
  if (!ok()) return false;
  if (n.v.type != doc::kind::object) {
    fail(n.v.at, n.path, std::string("expected an object, found ") + doc::describe(n.v.type));
    return false;
  }
  for (size_t i = 0; i < n.v.names.size(); ++i) {
    bool found = false;
    for (const char *k : known)
      found = found || n.v.names[i] == k;
    if (!found) {
      fail(n.v.items[i].at, n.child(n.v.names[i].c_str()), "unknown field");
      return false;
    }
  }
  return true;
}

const doc::value *chassis_reader::field(const node &n, const char *name, bool required) {
  if (!ok()) return nullptr;
  const doc::value *v = n.v.member(name);
  if (v == nullptr && required) fail(n.v.at, n.path, std::string("missing field \"") + name + "\"");
  return v;
}

void chassis_reader::text(const node &n, const char *name, std::string &out, bool required) {
  const doc::value *v = field(n, name, required);
  if (v == nullptr) return;
  if (!v->scalar()) {
    fail(v->at, n.child(name), std::string("expected a string, found ") + doc::describe(v->type));
    return;
  }
  out = v->text;
}

void chassis_reader::boolean(const node &n, const char *name, bool &out) {
  const doc::value *v = field(n, name, false);
  if (v == nullptr) return;
  if (v->type != doc::kind::boolean) {
    fail(v->at, n.child(name),
         std::string("expected true or false, found ") + doc::describe(v->type));
    return;
  }
  out = v->flag;
}

bool chassis_reader::number_value(const doc::value &v, const place &at, int64_t low, int64_t high,
                                  bool hex, int64_t &out) {
  int64_t n = v.whole;
  if (hex && v.type == doc::kind::string) {
    if (!parse_hex(v.text, n)) {
      fail(v.at, at.text(), "expected " + range_text(low, high) + " or a hexadecimal \"0x...\"");
      return false;
    }
  } else if (v.type != doc::kind::number || !v.integral) {
    fail(v.at, at.text(),
         "expected " + range_text(low, high) + ", found " +
             (v.type == doc::kind::number ? "a fraction" : doc::describe(v.type)));
    return false;
  }
  bool fits = v.type != doc::kind::number || v.fits;
  if (!fits || n < low || n > high) {
    fail(v.at, at.text(),
         "expected " + range_text(low, high) + ", found " + (fits ? std::to_string(n) : v.text));
    return false;
  }
  out = n;
  return true;
}

void chassis_reader::number(const node &n, const char *name, int64_t low, int64_t high,
                            int64_t &out, bool required, bool hex) {
  const doc::value *v = field(n, name, required);
  if (v != nullptr) number_value(*v, place{nullptr, &n, name}, low, high, hex, out);
}

void chassis_reader::word(const node &n, const char *name, uint32_t low, uint32_t high,
                          uint32_t &out, bool required) {
  int64_t value = out;
  number(n, name, low, high, value, required);
  out = static_cast<uint32_t>(value);
}

void chassis_reader::code(const node &n, const char *name, uint32_t &out, bool required) {
  int64_t value = out;
  number(n, name, 0, UINT32_MAX, value, required, true);
  out = static_cast<uint32_t>(value);
}

void chassis_reader::time(const node &n, const char *name, int64_t &out, bool required) {
  const doc::value *v = field(n, name, required);
  if (v == nullptr) return;
  if (v->type == doc::kind::string) {
    int64_t seconds = 0;
    if (!parse_iso_time(v->text, seconds))
      fail(v->at, n.child(name), "expected a time such as \"2024-03-01T09:00:00Z\"");
    else if (seconds < 0 || seconds > INT32_MAX)
      fail(v->at, n.child(name),
           "expected a time from 1970-01-01T00:00:00Z to 2038-01-19T03:14:07Z, found " + v->text);
    else
      out = seconds;
    return;
  }
  number_value(*v, place{nullptr, &n, name}, 0, INT32_MAX, false, out);
}

void chassis_reader::words(const node &n, const char *name, uint32_t low, uint32_t high,
                           std::vector<uint32_t> &out) {
  list(n, name, [&](const node &item) {
    int64_t value = 0;
    if (number_value(item.v, place{&item.path}, low, high, false, value))
      out.push_back(static_cast<uint32_t>(value));
  });
}

void chassis_reader::texts(const node &n, const char *name, std::vector<std::string> &out) {
  list(n, name, [&](const node &item) {
    if (!item.v.scalar()) {
      fail(item.v.at, item.path,
           std::string("expected a string, found ") + doc::describe(item.v.type));
      return;
    }
    out.push_back(item.v.text);
  });
}

void chassis_reader::list(const node &n, const char *name,
                          const std::function<void(const node &)> &each, bool required) {
  const doc::value *v = field(n, name, required);
  if (v == nullptr) return;
  if (v->type != doc::kind::list) {
    fail(v->at, n.child(name), std::string("expected a list, found ") + doc::describe(v->type));
    return;
  }
  for (size_t i = 0; i < v->items.size() && ok(); ++i)
    each(node{v->items[i], n.child(name) + "[" + std::to_string(i) + "]"});
}

}  // namespace vdcsim
