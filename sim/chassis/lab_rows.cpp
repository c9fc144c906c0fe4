#include "chassis/lab_rows.h"

#include <charconv>

namespace vdcsim::lab_rows {
namespace {

// The numbers of `text` in order, whatever stands between them.
std::vector<uint32_t> numbers_in(std::string_view text) {
  std::vector<uint32_t> out;
  const char *at = text.data(), *end = text.data() + text.size();
  while (at < end) {
    uint32_t n = 0;
    auto [next, ec] = std::from_chars(at, end, n);
    if (ec == std::errc()) out.push_back(n);
    at = next == at ? at + 1 : next;
  }
  return out;
}

}  // namespace

std::string encode(const std::vector<uint32_t> &numbers) {
  std::string text;
  for (uint32_t n : numbers)
    text.append(text.empty() ? "" : ",").append(std::to_string(n));
  return text;
}

std::string encode(const std::vector<vlan_range> &ranges) {
  std::string text;
  for (auto &r : ranges)
    text.append(text.empty() ? "" : ",")
        .append(std::to_string(r.low))
        .append("-")
        .append(std::to_string(r.high));
  return text;
}

std::string encode(const std::vector<std::string> &texts) {
  std::string out;
  for (auto &t : texts) {
    if (&t != &texts.front()) out += '\n';
    for (char c : t)
      out += c == '\\' ? "\\\\" : c == '\n' ? "\\n" : std::string(1, c);
  }
  return out.empty() && !texts.empty() ? "\\e" : out;  // one empty text is not none
}

void decode(std::string_view text, std::vector<uint32_t> &numbers) {
  numbers = numbers_in(text);
}

void decode(std::string_view text, std::vector<vlan_range> &ranges) {
  std::vector<uint32_t> bounds = numbers_in(text);
  ranges.clear();
  for (size_t i = 0; i + 1 < bounds.size(); i += 2)
    ranges.push_back({bounds[i], bounds[i + 1]});
}

void decode(std::string_view text, std::vector<std::string> &texts) {
  texts.clear();
  if (text.empty()) return;
  texts.emplace_back();
  if (text == "\\e") return;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n') {
      texts.emplace_back();
    } else if (text[i] == '\\' && i + 1 < text.size()) {
      texts.back() += text[++i] == 'n' ? '\n' : text[i];
    } else {
      texts.back() += text[i];
    }
  }
}

std::string table_name(std::string_view section, bool start) {
  std::string name = section.empty() ? "chassis" : std::string(section);
  return start ? "start_" + name : name;
}

bool same_ranges(const std::vector<vlan_range> &a, const std::vector<vlan_range> &b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (a[i].low != b[i].low || a[i].high != b[i].high) return false;
  return true;
}

}  // namespace vdcsim::lab_rows
