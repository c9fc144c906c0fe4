// No show handler allocates heap memory: on every display case of tests/show/cases, the
// journal sees no block asked for by the library.
#include "alloc_countdown.h"
#include "capture.h"
#include "case_files.h"
#include "exported_functions.h"
#include "response_file.h"

namespace {

// What the library allocates while `show` renders the case.
size_t allocations_rendering(const standin::response_case &c, int32_t (*show)(cmd_handle)) {
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
  return allocations;
}

TEST(show_handlers_alloc_test, no_display_case_allocates) {
  size_t cases = 0;
  for (auto &name : zms_test::case_names(ZMS_SHOW_CASE_DIR, ".resp")) {
    standin::response_case c;
    std::string error;
    ASSERT_TRUE(standin::read_response_file(ZMS_SHOW_CASE_DIR "/" + name + ".resp", c, error))
        << error;
    auto show = zms_test::find_function(zms_test::show_handlers, c.show);
    if (show == nullptr) continue;
    EXPECT_EQ(allocations_rendering(c, show), 0u) << name;
    ++cases;
  }
  EXPECT_GT(cases, 100u);
}

}  // namespace
