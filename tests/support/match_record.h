// What the new-name match hands the framework, checked field by field.
#ifndef ZMS_TEST_MATCH_RECORD_H
#define ZMS_TEST_MATCH_RECORD_H

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "standin.h"

namespace zms_test {

// No record at all; an all-zero record; a rejection with its message; a new name with its
// value; the name of an existing VDC.
enum class match { none, empty, rejected, accepted, taken };

inline void expect_match(const cmd_match_result *r, match expected, const std::string &word,
                         const std::string &message = {}) {
  if (expected == match::none) {
    EXPECT_EQ(r, nullptr);
    return;
  }
  ASSERT_NE(r, nullptr);
  const uint32_t statuses[] = {0, 0, 0, 2, 1};
  EXPECT_EQ(r->status, statuses[static_cast<int>(expected)]);
  if (expected == match::rejected) {
    ASSERT_NE(r->message, nullptr);
    EXPECT_EQ(std::string(r->message), message);
  } else {
    EXPECT_EQ(r->message, nullptr);
  }
  if (expected != match::accepted) {
    EXPECT_EQ(r->value_len, 0u);
    EXPECT_EQ(r->value, nullptr);
    EXPECT_EQ(r->text, nullptr);
    EXPECT_EQ(r->count, 0);
    EXPECT_EQ(r->second_len, 0u);
    return;
  }
  // Accepted: the 68-byte name key of a VDC without an id yet, and the word itself.
  EXPECT_EQ(r->value_len, 68u);
  EXPECT_EQ(r->count, 1);
  EXPECT_EQ(r->second_len, 68u);
  ASSERT_NE(r->value, nullptr);
  unsigned char key[VDC_NAME_KEY_LEN] = {0xff, 0xff, 0xff, 0xff};
  std::memcpy(key + 4, word.data(), word.size());
  EXPECT_EQ(std::memcmp(r->value, key, sizeof key), 0);
  ASSERT_NE(r->text, nullptr);
  EXPECT_EQ(std::string(r->text), word);
}

}  // namespace zms_test

#endif  // ZMS_TEST_MATCH_RECORD_H
