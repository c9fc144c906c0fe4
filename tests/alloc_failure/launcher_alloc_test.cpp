// The launcher allocates one block, the argument array of the path, the arguments and a null
// pointer: 4 bytes a pointer on the 32-bit target, 8 on a 64-bit host. It frees it again,
// and a refused path allocates nothing.
#include <cstdint>

#include "alloc_countdown.h"
#include "capture.h"

namespace {

constexpr bool pointers_of_4_bytes = UINTPTR_MAX == 0xffffffffu;

struct launch_case {
  const char *label;
  int (*launch)();
  int status;
  zms_test::strings allocations_32_bit, allocations_64_bit;
};
ZMS_PRINTS_AS(launch_case, label)

const launch_case launches[] = {
    {"no_arguments",
     [] { return execute_program_new_session_and_wait("/bin/true", nullptr); },
     0,
     {"malloc 8"},
     {"malloc 16"}},
    {"two_arguments",
     [] { return execute_program_new_session_and_wait("/bin/true", "a", "b", nullptr); },
     0,
     {"malloc 16"},
     {"malloc 32"}},
    {"five_arguments",
     [] {
       return execute_program_new_session_and_wait("/bin/true", "1", "2", "3", "4", "5", nullptr);
     },
     0,
     {"malloc 28"},
     {"malloc 56"}},
    {"relative_path",
     [] { return execute_program_new_session_and_wait("bin/true", nullptr); },
     -1,
     {},
     {}},
};

class launcher_alloc_test : public testing::TestWithParam<launch_case> {};

TEST_P(launcher_alloc_test, allocates_the_argument_array_only) {
  const launch_case &c = GetParam();
  alloc_countdown::arm(alloc_countdown::never, true);
  int status = c.launch();
  alloc_countdown::disarm();
  EXPECT_EQ(status, c.status);
  EXPECT_EQ(alloc_countdown::library_allocations(),
            pointers_of_4_bytes ? c.allocations_32_bit : c.allocations_64_bit);
  EXPECT_TRUE(alloc_countdown::live().empty());
}

INSTANTIATE_TEST_SUITE_P(launches, launcher_alloc_test, testing::ValuesIn(launches),
                         zms_test::by_label<launch_case>);

}  // namespace
