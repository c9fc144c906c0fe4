// Keyword tables for the parser: help lists the rows that fit the word typed so far;
// match takes an exact row first, then (unless the word must be complete) a unique
// prefix, letters compared without regard to case. A table whose first row has an
// empty name stands for the VDC names, which the stand-in supplies.
#include <strings.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

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

std::vector<keyword_row> candidates(const std::vector<keyword_row> &rows) {
  if (!names_vdcs(rows)) return rows;
  std::vector<keyword_row> vdcs;
  for (auto &vdc : platform().vdcs) vdcs.push_back({vdc.name, vdc.id, "VDC name"});
  return vdcs;
}

bool starts_with(const std::string &name, const char *word) {
  size_t len = std::strlen(word);
  return len <= name.size() && strncasecmp(name.c_str(), word, len) == 0;
}

std::string describe(const std::vector<keyword_row> &rows, const char *word) {
  std::string line = "[";
  for (size_t i = 0; i < rows.size(); ++i) line += (i ? ", \"" : "\"") + rows[i].name + "\"";
  return line + "], \"" + (word ? word : "") + "\"";
}

void remember(std::vector<keyword_row> rows, const char *word, int32_t last) {
  platform().last_table = std::move(rows);
  platform().last_word = word ? word : "";
  platform().last_match_arg = last;
}

cmd_match_result *matched(const keyword_row &row) {
  auto *result = static_cast<cmd_match_result *>(calloc(1, sizeof(cmd_match_result)));
  if (result == nullptr) return nullptr;
  auto *value = static_cast<uint32_t *>(malloc(sizeof(uint32_t)));
  if (value == nullptr) {
    free(result);
    return nullptr;
  }
  *value = row.value;
  *result = cmd_match_result{2, sizeof(uint32_t), value, nullptr, nullptr, 1, sizeof(uint32_t)};
  return result;
}

cmd_match_result *unmatched(int32_t count) {
  auto *result = static_cast<cmd_match_result *>(calloc(1, sizeof(cmd_match_result)));
  if (result != nullptr && count > 1) {
    result->status = 1;  // ambiguous: the word needs more characters
    result->count = count;
  }
  return result;
}

}  // namespace

extern "C" {

int32_t cmd_enum_help(cmd_handle, cmd_enum_entry *table, const char *word) {
  auto rows = copy_rows(table);
  standin::log_call("cmd_enum_help(" + describe(rows, word) + ")");
  auto offered = candidates(rows);
  remember(std::move(rows), word, -1);
  size_t width = 16;
  for (auto &row : offered) width = row.name.size() > width ? row.name.size() : width;
  for (auto &row : offered) {
    if (word == nullptr || starts_with(row.name, word))
      printf("  %-*s  %s\n", static_cast<int>(width), row.name.c_str(), row.help.c_str());
  }
  return platform().help_status;
}

cmd_match_result *cmd_enum_match(cmd_handle, cmd_enum_entry *table, const char *word,
                                 int32_t last) {
  auto rows = copy_rows(table);
  standin::log_call("cmd_enum_match(" + describe(rows, word) + ", " + std::to_string(last) + ")");
  auto offered = candidates(rows);
  remember(std::move(rows), word, last);
  if (word == nullptr) return unmatched(0);
  for (auto &row : offered)
    if (!row.name.empty() && strcasecmp(row.name.c_str(), word) == 0) return matched(row);
  if (last != 0) return unmatched(0);
  const keyword_row *found = nullptr;
  int32_t count = 0;
  for (auto &row : offered) {
    if (row.name.empty() || !starts_with(row.name, word)) continue;
    found = &row;
    ++count;
  }
  return count == 1 ? matched(*found) : unmatched(count);
}

}  // extern "C"
