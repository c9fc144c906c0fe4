// No show handler allocates heap memory: the journal sees no block asked for by the
// library, the stand-in or the C library while a handler runs.
#include "alloc_countdown.h"
#include "capture.h"

namespace {

using standin::text;
using standin::word;

// Every attribute that some handler reads, and interfaces of every kind.
cmd_ctx command_for_every_handler() {
  std::vector<standin::attribute> response{
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
      word(VDC_ATTR_ID, 999),
      word(VDC_ATTR_IF_INDEX, 1),
      word(VDC_ATTR_IF_INDEX, 2),
      word(VDC_ATTR_IF_INDEX, 3),
      word(VDC_ATTR_IF_INDEX, 4),
      word(VDC_ATTR_IF_INDEX, 5),
      standin::mark(VDC_ATTR_SHARED_IF_MARK),
      word(VDC_ATTR_IF_INDEX, 6)};
  // show_vdc runs the membership listing; the other handlers ignore the selector.
  auto cmd = zms_test::command(response, {word(VDC_REQ_SHOW_SELECT, 3)});
  auto &intfs = standin::platform().interfaces;
  intfs[1] = {"Ethernet1/1", "Eth1/1", 1};
  intfs[2] = {"Ethernet1/2", "Eth1/2", 1, true};
  intfs[3] = {"Ethernet2/1", "Eth2/1", 2, false, 31};
  intfs[4] = {"Ethernet2/2", "Eth2/2", 2, true, 0, 7};
  intfs[5] = {std::string(300, 'x'), std::string(300, 'y'), 3, true};
  return cmd;
}

class show_handlers_alloc_test : public testing::TestWithParam<int32_t (*)(cmd_handle)> {};

TEST_P(show_handlers_alloc_test, allocates_nothing) {
  size_t allocations = 0;
  std::string out = zms_test::capture_stdout([&] {
    // The first run lets the C library set up what it keeps (stdout's buffer, the zone).
    auto warm_up = command_for_every_handler();
    GetParam()(&warm_up);
    auto cmd = command_for_every_handler();
    alloc_countdown::arm(alloc_countdown::never);
    GetParam()(&cmd);
    alloc_countdown::disarm();
    allocations = alloc_countdown::count();
  });
  EXPECT_FALSE(out.empty());
  EXPECT_EQ(allocations, 0u);
}

const char *const handler_names[] = {
    "show_vdc", "detail", "detail2",  "membership", "membership_status", "fs", "mac",
    "dirtybit", "mode",   "internal", "fcoe"};

INSTANTIATE_TEST_SUITE_P(handlers, show_handlers_alloc_test,
                         testing::Values(show_vdc, show_vdc_detail, show_vdc_detail2,
                                         show_vdc_membership, show_vdc_membership_status,
                                         show_vdc_fs, show_vdc_mac, show_vdc_dirtybit,
                                         show_vdc_mode, show_vdc_internal, show_fcoe),
                         [](const auto &p) { return std::string(handler_names[p.index]); });

}  // namespace
