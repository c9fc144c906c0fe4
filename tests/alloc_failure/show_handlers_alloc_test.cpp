// No show handler allocates heap memory: on every display case of tests/show/cases, the
// journal sees no block asked for by the library.
#include <dirent.h>

#include "alloc_countdown.h"
#include "capture.h"
#include "response_file.h"

namespace {

const std::pair<const char *, int32_t (*)(cmd_handle)> handlers[] = {
    {"show_vdc", show_vdc},
    {"show_vdc_detail", show_vdc_detail},
    {"show_vdc_detail2", show_vdc_detail2},
    {"show_vdc_membership", show_vdc_membership},
    {"show_vdc_membership_status", show_vdc_membership_status},
    {"show_vdc_fs", show_vdc_fs},
    {"show_vdc_mac", show_vdc_mac},
    {"show_vdc_dirtybit", show_vdc_dirtybit},
    {"show_vdc_mode", show_vdc_mode},
    {"show_vdc_internal", show_vdc_internal},
    {"show_fcoe", show_fcoe}};

TEST(show_handlers_alloc_test, no_display_case_allocates) {
  DIR *dir = opendir(ZMS_SHOW_CASE_DIR);
  ASSERT_NE(dir, nullptr);
  size_t cases = 0;
  while (dirent *e = readdir(dir)) {
    standin::response_case c;
    std::string error;
    if (!std::string(e->d_name).ends_with(".resp")) continue;
    ASSERT_TRUE(
        standin::read_response_file(ZMS_SHOW_CASE_DIR "/" + std::string(e->d_name), c, error));
    for (auto &[name, show] : handlers) {
      if (c.show != name) continue;
      size_t allocations = 0;
      zms_test::capture_stdout([&] {
        for (int run = 0; run < 2; ++run) {  // the first lets the C library set itself up
          standin::reset();
          standin::apply_platform(c);
          cmd_ctx cmd = standin::command_of(c);
          alloc_countdown::arm(alloc_countdown::never);
          show(&cmd);
          alloc_countdown::disarm();
          allocations = alloc_countdown::library_allocations().size();
        }
      });
      EXPECT_EQ(allocations, 0u) << e->d_name;
      ++cases;
    }
  }
  closedir(dir);
  EXPECT_GT(cases, 100u);
}

}  // namespace
