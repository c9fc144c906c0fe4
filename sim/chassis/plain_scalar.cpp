#include "chassis/plain_scalar.h"

#include <cctype>

namespace vdcsim {
namespace {

bool digits(std::string_view text, int base) {
  if (text.empty()) return false;
  for (char c : text) {
    bool ok = base == 16 ? std::isxdigit(static_cast<unsigned char>(c)) != 0
                         : c >= '0' && c < static_cast<char>('0' + base);
    if (!ok) return false;
  }
  return true;
}

// Sets `whole` unless the number does not fit; digits() has checked the text.
void whole_number(scalar &v, std::string_view text, int base, bool negative) {
  v.kind = scalar_kind::number;
  v.integral = true;
  uint64_t n = 0;
  for (char c : text) {
    uint64_t digit = std::isdigit(static_cast<unsigned char>(c)) ? c - '0' : (c | 0x20) - 'a' + 10;
    if (n > (static_cast<uint64_t>(INT64_MAX) - digit) / base) return;
    n = n * base + digit;
  }
  v.whole = negative ? -static_cast<int64_t>(n) : static_cast<int64_t>(n);
  v.fits = true;
}

// [-+] digits [. digits] [e [-+] digits], .inf and .nan: a number, but not a whole one.
bool fraction(std::string_view text) {
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) text.remove_prefix(1);
  for (std::string_view special : {".inf", ".Inf", ".INF", ".nan", ".NaN", ".NAN"})
    if (text == special) return true;
  size_t i = 0, mantissa = 0;
  while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])))
    ++i, ++mantissa;
  if (i < text.size() && text[i] == '.')
    for (++i; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]));)
      ++i, ++mantissa;
  if (mantissa == 0) return false;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
    if (!digits(text.substr(i), 10)) return false;
    i = text.size();
  }
  return i == text.size();
}

}  // namespace

scalar classify(std::string_view t, bool plain) {
  scalar v;
  if (!plain) return v;
  bool sign = !t.empty() && (t[0] == '-' || t[0] == '+');
  if (t.empty() || t == "~" || t == "null" || t == "Null" || t == "NULL") {
    v.kind = scalar_kind::null;
  } else if (t == "true" || t == "True" || t == "TRUE" || t == "false" || t == "False" ||
             t == "FALSE") {
    v.kind = scalar_kind::boolean;
    v.flag = t[0] == 't' || t[0] == 'T';
  } else if (digits(t.substr(sign), 10)) {
    whole_number(v, t.substr(sign), 10, t[0] == '-');
  } else if (t.size() > 2 && t[0] == '0' && (t[1] == 'x' || t[1] == 'o') &&
             digits(t.substr(2), t[1] == 'x' ? 16 : 8)) {
    whole_number(v, t.substr(2), t[1] == 'x' ? 16 : 8, false);
  } else if (fraction(t)) {
    v.kind = scalar_kind::number;
  }
  return v;
}

}  // namespace vdcsim
