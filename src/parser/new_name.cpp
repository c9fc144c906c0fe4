// Match callback of a new VDC name: rejects bad names with a message, declines keyword
// abbreviations silently, reports names already taken, and otherwise answers with the
// name-key value of the new VDC.
#include <regex.h>
#include <strings.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "vdc_platform.h"

namespace {

constexpr char name_pattern[] = "^[-a-zA-Z0-9_.]+$";
constexpr std::string_view bad_characters =
    "VDC name inappropriate. Acceptable characters are alphanumeric and '-', '_'";
constexpr std::string_view ends_in_point = "VDC name inappropriate. Cannot end in a '.'";
constexpr std::string_view ends_in_hyphen = "VDC name inappropriate. Cannot end in a '-'";
constexpr std::string_view ends_in_underscore = "VDC name inappropriate. Cannot end in a '_'";
constexpr std::string_view starts_with_hyphen = "VDC name inappropriate. Cannot start with a '-'";
constexpr std::string_view starts_with_underscore =
    "VDC name inappropriate. Cannot start with a '_'";
constexpr std::string_view starts_with_point = "VDC name inappropriate. Cannot start with a '.'";
constexpr std::string_view too_long = "VDC name too long";

constexpr size_t longest_name = VDC_NAME_KEY_NAME_LEN - 1;
constexpr size_t name_field_offset = sizeof(uint32_t);

enum class pattern_check { matches, differs, not_compiled };

cmd_match_result *new_record() {
  return static_cast<cmd_match_result *>(calloc(1, sizeof(cmd_match_result)));
}

// The message goes into a block of exactly its length plus the NUL; without memory the
// record goes back without one.
cmd_match_result *rejected(cmd_match_result *record, std::string_view message) {
  auto *copy = static_cast<char *>(malloc(message.size() + 1));
  if (copy != nullptr) {
    memcpy(copy, message.data(), message.size());
    copy[message.size()] = '\0';
  }
  record->message = copy;
  return record;
}

pattern_check check_characters(const char *word) {
  regex_t compiled;
  if (regcomp(&compiled, name_pattern, REG_EXTENDED | REG_NOSUB) != 0)
    return pattern_check::not_compiled;
  int result = regexec(&compiled, word, 0, nullptr, 0);
  regfree(&compiled);
  return result == 0 ? pattern_check::matches : pattern_check::differs;
}

const std::string_view *bad_end(char last) {
  if (last == '.') return &ends_in_point;
  if (last == '-') return &ends_in_hyphen;
  if (last == '_') return &ends_in_underscore;
  return nullptr;
}

const std::string_view *bad_start(char first) {
  if (first == '-') return &starts_with_hyphen;
  if (first == '_') return &starts_with_underscore;
  if (first == '.') return &starts_with_point;
  return nullptr;
}

bool abbreviates_keyword(const char *word, size_t len) {
  for (const char *keyword : known_keywords) {
    if (keyword == nullptr) break;
    if (len <= strlen(keyword) && strncasecmp(keyword, word, len) == 0) return true;
  }
  return false;
}

// The record for the existing-name check: the framework's answer in mode 0, a fresh one
// otherwise. A missing answer from the framework counts as no existing VDC.
cmd_match_result *record_after_checks(cmd_handle handle, const char *word, int32_t mode) {
  cmd_match_result *record = nullptr;
  if (mode == 0) record = vdc_mgr_show_e_name_match(handle, word, 0);
  return record != nullptr ? record : new_record();
}

cmd_match_result *taken_name(cmd_match_result *record) {
  free(record->value);
  *record = cmd_match_result{};
  record->status = CMD_MATCH_TAKEN;
  return record;
}

// Fills the record with the new VDC's name-key value; NULL when memory runs out.
cmd_match_result *accepted(cmd_match_result *record, const char *word, size_t len) {
  auto *value = static_cast<unsigned char *>(calloc(1, VDC_NAME_KEY_LEN));
  if (value == nullptr) {
    free(record);
    return nullptr;
  }
  // The length check has bounded the word already; the copy keeps the field's NUL anyway.
  __memcpy_to_buf(VDC_NAME_KEY_NAME_LEN, value + name_field_offset, word,
                  std::min(len, longest_name));
  uint32_t unassigned = VDC_ID_UNASSIGNED;
  memcpy(value, &unassigned, sizeof unassigned);
  // A match without its text would reach the framework half made: no memory, no record.
  char *text = strdup(word);
  if (text == nullptr) {
    free(value);
    free(record);
    return nullptr;
  }
  *record = cmd_match_result{CMD_MATCH_VALUE, VDC_NAME_KEY_LEN, value, text, nullptr, 1,
                             VDC_NAME_KEY_LEN};
  return record;
}

// What the checks on characters, ends and keywords make of a word.
struct verdict {
  enum { passes, rejects, declines } outcome;
  std::string_view message;
};

verdict check_form(const char *word, size_t len) {
  switch (check_characters(word)) {
    case pattern_check::not_compiled:
      return {verdict::declines, {}};
    case pattern_check::differs:
      return {verdict::rejects, bad_characters};
    case pattern_check::matches:
      break;
  }
  if (auto *message = bad_end(word[len - 1])) return {verdict::rejects, *message};
  if (auto *message = bad_start(word[0])) return {verdict::rejects, *message};
  if (abbreviates_keyword(word, len)) return {verdict::declines, {}};
  return {verdict::passes, {}};
}

}  // namespace

extern "C" cmd_match_result *vdc_mgr_show_new_name_match(cmd_handle handle, const char *word,
                                                         int32_t mode) {
  if (word == nullptr) word = "";
  cmd_match_result *record = new_record();
  if (record == nullptr) return nullptr;
  size_t len = strlen(word);
  verdict form = len > 0 ? check_form(word, len) : verdict{verdict::passes, {}};
  if (form.outcome == verdict::declines) {
    free(record);
    return nullptr;
  }
  if (form.outcome == verdict::rejects) return rejected(record, form.message);
  if (len > longest_name) return rejected(record, too_long);
  free(record);
  record = record_after_checks(handle, word, mode);
  if (record == nullptr) return nullptr;
  if (mode == 0 && record->count > 0) return taken_name(record);
  *record = cmd_match_result{};
  if (len == 0) return record;
  return accepted(record, word, len);
}
