// No show handler allocates heap memory. The stand-in's own call log allocates through the
// C++ runtime; those blocks are not the handler's and are not counted.
#include <gtest/gtest.h>
#include <link.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "capture.h"
#include "counting_malloc.h"

namespace {

using standin::text;
using standin::word;

// The address range of the C++ runtime's code.
int find_cpp_runtime(dl_phdr_info *info, size_t, void *) {
  if (info->dlpi_name == nullptr || std::strstr(info->dlpi_name, "libstdc++") == nullptr) return 0;
  for (int i = 0; i < info->dlpi_phnum; ++i) {
    const auto &segment = info->dlpi_phdr[i];
    if (segment.p_type != PT_LOAD || (segment.p_flags & PF_X) == 0) continue;
    ignored_caller_low = info->dlpi_addr + segment.p_vaddr;
    ignored_caller_high = ignored_caller_low + segment.p_memsz;
  }
  return 1;
}

template <typename Fn>
unsigned long allocations_in(Fn fn) {
  counted_allocations = 0;
  counting_on = 1;
  fn();
  counting_on = 0;
  return counted_allocations;
}

// Every attribute that some handler reads, and interfaces of every kind.
std::vector<standin::attribute> every_attribute() {
  std::vector<standin::attribute> response = {
      word(VDC_ATTR_STORAGE_VDC, 2),
      standin::words(VDC_ATTR_RESERVED_VLANS, {0, 2, 1, 1, 5, 9}),
      word(VDC_ATTR_SHARING_ETH_VDC, 3),
      text(VDC_ATTR_SWITCHWIDE_MODE, "m"),
      word(VDC_ATTR_NAME_WIDTH, 40),
      word(VDC_ATTR_ID, 1),
      text(VDC_ATTR_NAME, "core"),
      text(VDC_ATTR_STATE, "active"),
      text(VDC_ATTR_MAC, "00:00:00:00:00:01"),
      word(VDC_ATTR_CREATE_TIME, 86400),
      word(VDC_ATTR_RESTART_COUNT, 1),
      word(VDC_ATTR_RESTART_TIME, 0),
      text(VDC_ATTR_RESTART_REASON, "r"),
      text(VDC_ATTR_TYPE, "Ethernet"),
      text(VDC_ATTR_SUPPORTED_LC, "m1"),
      text(VDC_ATTR_FEATURE_SET, "fex"),
      word(VDC_ATTR_CUR_ID, 1),
      text(VDC_ATTR_CUR_NAME, "core"),
      word(VDC_ATTR_ID, 999)};
  for (uint32_t ifindex = 1; ifindex <= 5; ++ifindex)
    response.push_back(word(VDC_ATTR_IF_INDEX, ifindex));
  response.push_back(standin::mark(VDC_ATTR_SHARED_IF_MARK));
  response.push_back(word(VDC_ATTR_IF_INDEX, 6));
  return response;
}

cmd_ctx command_for_every_handler(uint32_t selector) {
  auto cmd = zms_test::command(every_attribute(), {word(VDC_REQ_SHOW_SELECT, selector)});
  auto &intfs = standin::platform().interfaces;
  intfs[1] = {"Ethernet1/1", "Eth1/1", 1};
  intfs[2] = {"Ethernet1/2", "Eth1/2", 1, true};
  intfs[3] = {"Ethernet2/1", "Eth2/1", 2, false, 31};
  intfs[4] = {"Ethernet2/2", "Eth2/2", 2, true, 0, 7};
  intfs[5] = {std::string(300, 'x'), std::string(300, 'y'), 3, true};
  return cmd;
}

class show_alloc_test : public testing::TestWithParam<int32_t (*)(cmd_handle)> {
 protected:
  static void SetUpTestSuite() { dl_iterate_phdr(find_cpp_runtime, nullptr); }
};

// show_vdc runs the membership listing (selector 3); the others ignore the selector.
TEST_P(show_alloc_test, allocates_nothing) {
  unsigned long allocations = 0;
  std::string out = zms_test::capture_stdout([&] {
    // The first run lets the C library set up what it keeps (stdout's buffer, the zone).
    auto warm_up = command_for_every_handler(3);
    GetParam()(&warm_up);
    auto cmd = command_for_every_handler(3);
    allocations = allocations_in([&] { GetParam()(&cmd); });
  });
  EXPECT_FALSE(out.empty());
  EXPECT_EQ(allocations, 0u);
}

const char *const handler_names[] = {
    "show_vdc", "detail", "detail2",  "membership", "membership_status", "fs", "mac",
    "dirtybit", "mode",   "internal", "fcoe"};

INSTANTIATE_TEST_SUITE_P(handlers, show_alloc_test,
                         testing::Values(show_vdc, show_vdc_detail, show_vdc_detail2,
                                         show_vdc_membership, show_vdc_membership_status,
                                         show_vdc_fs, show_vdc_mac, show_vdc_dirtybit,
                                         show_vdc_mode, show_vdc_internal, show_fcoe),
                         [](const auto &p) { return std::string(handler_names[p.index]); });

// The count is real: blocks asked for by the program and by the C library are seen.
TEST(show_alloc_counter_test, sees_allocations_outside_the_cpp_runtime) {
  dl_iterate_phdr(find_cpp_runtime, nullptr);
  void *(*volatile allocate)(size_t) = std::malloc;
  char *(*volatile duplicate)(const char *) = strdup;
  void *block = nullptr;
  char *copy = nullptr;
  EXPECT_EQ(allocations_in([&] { block = allocate(16); }), 1u);
  EXPECT_EQ(allocations_in([&] { copy = duplicate("text"); }), 1u);
  EXPECT_EQ(allocations_in([&] { std::string s(100, 'x'); }), 0u);
  std::free(block);
  std::free(copy);
}

}  // namespace
