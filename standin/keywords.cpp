// Keyword tables for the parser: help lists the rows that fit the word typed so far;
// match takes an exact row first, then (unless the word must be complete) a unique
// prefix, letters compared without regard to case. A table whose first row has an
// empty name stands for the VDC names, which the stand-in supplies.
#include <strings.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>

#include "standin.h"

namespace {

using standin::keyword_row;
using standin::platform;

std::vector<keyword_row> copy_rows(const cmd_enum_entry *table) {
  std::vector<keyword_row> rows;
  for (; table != nullptr && table->name != nullptr; ++table)
    rows.push_back({table->name, table->value, table->help ? table->help : ""});
  return rows;
}

bool names_vdcs(const std::vector<keyword_row> &rows) {
  return !rows.empty() && rows.front().name.empty();
}

struct offered_row {
  const std::string &name;
  uint32_t value;
  const std::string &help;
};

// Calls visit with each row the table offers: its own, or the VDC names in their place.
template <typename Visit>
void for_each_offered(const std::vector<keyword_row> &rows, Visit visit) {
  if (!names_vdcs(rows)) {
    for (auto &row : rows)
      visit(offered_row{row.name, row.value, row.help});
    return;
  }
  static const std::string vdc_help = "VDC name";
  for (auto &vdc : platform().vdcs)
    visit(offered_row{vdc.name, vdc.id, vdc_help});
}

bool starts_with(const std::string &name, const char *word, size_t len) {
  return len <= name.size() && strncasecmp(name.c_str(), word, len) == 0;
}

// ASCII letters in one case; other bytes are left to strncasecmp.
bool may_be_same_letter(unsigned char a, unsigned char b) {
  auto fold = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; };
  return a == b || a >= 0x80 || b >= 0x80 || fold(a) == fold(b);
}

// Names of one pattern differ at their ends: the last letters are compared first.
inline bool same_name(const std::string &name, const char *word, size_t len) {
  if (len != name.size()) return false;
  if (len > 0 && !may_be_same_letter(name[len - 1], word[len - 1])) return false;
  return strncasecmp(name.c_str(), word, len) == 0;
}

std::string describe(const std::vector<keyword_row> &rows, const char *word) {
  std::string line = "[";
  for (size_t i = 0; i < rows.size(); ++i)
    line += (i ? ", \"" : "\"") + rows[i].name + "\"";
  return line + "], \"" + (word ? word : "") + "\"";
}

void remember(std::vector<keyword_row> rows, const char *word, int32_t last) {
  platform().last_table = std::move(rows);
  platform().last_word = word ? word : "";
  platform().last_match_arg = last;
}

cmd_match_result *matched(uint32_t row_value) {
  auto *result = static_cast<cmd_match_result *>(calloc(1, sizeof(cmd_match_result)));
  if (result == nullptr) return nullptr;
  auto *value = static_cast<uint32_t *>(malloc(sizeof(uint32_t)));
  if (value == nullptr) {
    free(result);
    return nullptr;
  }
  *value = row_value;
  *result = cmd_match_result{CMD_ENUM_MATCH_VALUE, sizeof(uint32_t), value, nullptr, nullptr, 1,
                             sizeof(uint32_t)};
  return result;
}

cmd_match_result *unmatched(int32_t count) {
  auto *result = static_cast<cmd_match_result *>(calloc(1, sizeof(cmd_match_result)));
  if (result != nullptr && count > 1) {
    result->status = CMD_ENUM_MATCH_AMBIGUOUS;  // the word needs more characters
    result->count = count;
  }
  return result;
}

}  // namespace

extern "C" {

int32_t cmd_enum_help(cmd_handle, cmd_enum_entry *table, const char *word) {
  auto rows = copy_rows(table);
  if (standin::call_log_on()) standin::log_call("cmd_enum_help(" + describe(rows, word) + ")");
  size_t width = 16;
  for_each_offered(rows, [&](offered_row row) { width = std::max(width, row.name.size()); });
  size_t len = word ? std::strlen(word) : 0;
  for_each_offered(rows, [&](offered_row row) {
    if (word == nullptr || starts_with(row.name, word, len))
      printf("  %-*s  %s\n", static_cast<int>(width), row.name.c_str(), row.help.c_str());
  });
  remember(std::move(rows), word, -1);
  return platform().help_status;
}

cmd_match_result *cmd_enum_match(cmd_handle, cmd_enum_entry *table, const char *word,
                                 int32_t last) {
  auto rows = copy_rows(table);
  if (standin::call_log_on())
    standin::log_call("cmd_enum_match(" + describe(rows, word) + ", " + std::to_string(last) + ")");
  remember(rows, word, last);
  if (word == nullptr) return unmatched(0);
  size_t len = std::strlen(word);
  std::optional<uint32_t> exact;
  for_each_offered(rows, [&](offered_row row) {
    if (!exact && !row.name.empty() && same_name(row.name, word, len)) exact = row.value;
  });
  if (exact) return matched(*exact);
  if (last != 0) return unmatched(0);
  std::optional<uint32_t> found;
  int32_t count = 0;
  for_each_offered(rows, [&](offered_row row) {
    if (row.name.empty() || !starts_with(row.name, word, len)) return;
    found = row.value;
    ++count;
  });
  return count == 1 ? matched(*found) : unmatched(count);
}

}  // extern "C"
