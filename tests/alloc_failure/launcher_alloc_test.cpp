// The launcher allocates one block, the argument array: the path, the arguments and a null
// pointer, and frees it again.
#include "alloc_countdown.h"
#include "capture.h"

namespace {

TEST(launcher_alloc_test, allocates_the_argument_array_only) {
  alloc_countdown::arm(alloc_countdown::never, true);
  int status = execute_program_new_session_and_wait("/bin/true", "a", "b", nullptr);
  alloc_countdown::disarm();
  EXPECT_EQ(status, 0);
  EXPECT_EQ(alloc_countdown::library_allocations(),
            zms_test::strings{"malloc " + std::to_string(4 * sizeof(char *))});
  EXPECT_TRUE(alloc_countdown::live().empty());
}

}  // namespace
