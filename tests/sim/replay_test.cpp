// vdcsim --replay: a captured response rendered through the loaded library.
#include <gtest/gtest.h>

#include "response_file.h"
#include "sim_support.h"

namespace {

using sim_test::run_vdcsim;

TEST(replay, renders_a_response_file_as_its_case_expects) {
  const std::string path = VDCSIM_SOURCE_DIR "/tests/show/cases/status_every_kind_of_line.resp";
  standin::response_case c;
  std::string error;
  ASSERT_TRUE(standin::read_response_file(path, c, error)) << error;
  auto result = run_vdcsim({"--replay", path});
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(result.out, *c.output);
  EXPECT_EQ(result.exit_status, 0);
}

TEST(replay, a_malformed_file_is_refused_with_its_line_and_what_was_expected) {
  const std::string path = testing::TempDir() + "bad.resp";
  const std::pair<std::string, std::string> files[] = {
      {"show show_vdc_mac\n\nVDC_ATTR_MAC txt 1\n",
       ":3: expected a layout (word, words, halves, text, bytes, mark or null), not 'txt'\n"},
      {"show show_vdc_mac\nVDC_ATTR_ID word 1 2\n",
       ":2: expected one 32-bit number after 'word'\n"},
      {"VDC_ATTR_MAC text 1\n", ":1: expected a 'show HANDLER' line\n"},
      {"show show_vdc_macs\n",
       ": no display 'show_vdc_macs'; expected one of show_vdc, show_vdc_detail, "
       "show_vdc_detail2, show_vdc_membership, show_vdc_membership_status, show_vdc_fs, "
       "show_vdc_mac, show_vdc_dirtybit, show_vdc_mode, show_vdc_internal, show_fcoe\n"}};
  for (auto &[text, message] : files) {
    sim_test::write_file(path, text);
    auto result = run_vdcsim({"--replay", path});
    EXPECT_EQ(result.err, "vdcsim: " + path + message);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.exit_status, 2);
  }
}

}  // namespace
