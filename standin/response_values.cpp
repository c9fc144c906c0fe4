#include "response_lines.h"

#include <charconv>
#include <cstdint>
#include <cstring>
#include <sstream>

#include "attribute_ids.h"

namespace standin {
namespace {

struct named_id {
  const char *name;
  uint32_t id;
};

#define ZMS_ID(name, value) {#name, name},
constexpr named_id identifiers[] = {ZMS_ATTRIBUTE_IDS(ZMS_ID)};
#undef ZMS_ID

}  // namespace

line_view split(const std::string &line) {
  size_t blank = line.find(' ');
  if (blank == std::string::npos) return {line, ""};
  return {line.substr(0, blank), line.substr(blank + 1)};
}

std::vector<std::string> words_of(const std::string &text) {
  std::istringstream in(text);
  std::vector<std::string> out;
  for (std::string w; in >> w;)
    out.push_back(w);
  return out;
}

// A number that fits 32 bits: decimal, negative decimal or 0x hexadecimal. A leading
// zero is a decimal digit like any other: 010 is ten.
bool number(const std::string &text, uint32_t &out) {
  bool hex = text.starts_with("0x") || text.starts_with("0X");
  bool negative = !hex && text.starts_with('-');
  const char *first = text.data() + (hex ? 2 : negative ? 1 : 0), *last = text.data() + text.size();
  uint64_t magnitude = 0;
  auto [end, fault] = std::from_chars(first, last, magnitude, hex ? 16 : 10);
  if (first == last || fault != std::errc() || end != last) return false;
  if (magnitude > (negative ? uint64_t{1} << 31 : uint64_t{UINT32_MAX})) return false;
  out = static_cast<uint32_t>(negative ? 0 - magnitude : magnitude);
  return true;
}

namespace {

bool identifier(const std::string &text, uint32_t &out) {
  for (auto &n : identifiers)
    if (text == n.name) return out = n.id, true;
  return text.rfind("0x", 0) == 0 && number(text, out);
}

std::string unescaped(const std::string &text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\' || i + 1 == text.size()) {
      out += text[i];
      continue;
    }
    char c = text[++i];
    out += c == 't' ? '\t' : c == 'n' ? '\n' : c;
  }
  return out;
}

template <typename Unit>
bool units(const std::vector<std::string> &items, size_t max, std::vector<uint8_t> &out) {
  for (auto &item : items) {
    uint32_t n;
    if (!number(item, n) || n > max) return false;
    Unit unit = static_cast<Unit>(n);
    uint8_t raw[sizeof unit];
    std::memcpy(raw, &unit, sizeof unit);
    out.insert(out.end(), raw, raw + sizeof unit);
  }
  return true;
}

// The value of an attribute line after its identifier; "" when it is well formed, else
// what was expected.
std::string value(const std::string &text, attribute &a) {
  auto [layout, rest] = split(text);
  auto items = words_of(rest);
  if (layout == "text") return a = standin::text(a.id, unescaped(rest)), "";
  if (layout == "null") return a.null_value = true, "";
  if (layout == "mark") return a = mark(a.id), "";
  if (layout == "word" && items.size() == 1 && units<uint32_t>(items, UINT32_MAX, a.value))
    return "";
  if (layout == "words" && units<uint32_t>(items, UINT32_MAX, a.value)) return "";
  if (layout == "halves" && items.size() == 2 && units<uint16_t>(items, 0xffff, a.value)) return "";
  if (layout == "bytes" && units<uint8_t>(items, 0xff, a.value)) return "";
  if (layout == "word") return "one 32-bit number after 'word'";
  if (layout == "words") return "32-bit numbers after 'words'";
  if (layout == "halves") return "two 16-bit numbers after 'halves'";
  if (layout == "bytes") return "bytes from 0 to 0xff after 'bytes'";
  return "a layout (word, words, halves, text, bytes, mark or null), not '" + layout + "'";
}

}  // namespace

std::string attribute_line(const std::string &line, std::vector<attribute> &into) {
  auto [head, rest] = split(line);
  attribute a{};
  if (!identifier(head, a.id)) return "a keyword, an attribute name or a 0x identifier";
  std::string problem = value(rest, a);
  if (problem.empty()) into.push_back(std::move(a));
  return problem;
}

}  // namespace standin
