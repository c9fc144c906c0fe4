// The running configuration brings a fresh session to the switch it came from: fed back
// as a script, or copied to a chassis file that --chassis loads.
#include <gtest/gtest.h>

#include "capture.h"
#include "sim_support.h"

namespace {

using sim_test::read_file;
using sim_test::run_vdcsim;
using sim_test::test_path;

// The part of a transcript from the line of `command` on, up to the line of `until`.
std::string part(const std::string &out, const std::string &command, const std::string &until) {
  size_t from = out.find("switch# " + command + "\n");
  size_t to = out.find("switch# " + until + "\n", from);
  return from == std::string::npos ? ""
                                   : out.substr(from, to == std::string::npos ? to : to - from);
}

TEST(running_config, fed_back_or_copied_reaches_the_same_switch) {
  zms_test::temp_dir dir;
  std::string copy = dir.path() + "/copy.yaml";
  std::string changes = read_file(test_path("data/running_config/changes.txt"));
  std::string shows = read_file(test_path("data/running_config/displays.txt"));
  auto first = run_vdcsim({}, changes + "copy running-config " + copy + "\n" + shows);
  std::string displays = sim_test::golden("data/running_config/expected_displays.txt",
                                          part(first.out, "show vdc", "never"));
  EXPECT_EQ(part(first.out, "show vdc", "never"), displays);

  auto loaded = run_vdcsim({"--chassis", copy}, shows + "show running-config\n");
  EXPECT_EQ(part(loaded.out, "show vdc", "show running-config"), displays);
  EXPECT_EQ(part(loaded.out, "show running-config", "never"),
            "switch# show running-config\n! Running configuration: changes since the chassis was "
            "loaded\n");

  // The clock and the event history go their own way in a replay.
  std::string script = part(first.out, "show running-config", "copy running-config " + copy);
  auto replayed = run_vdcsim({}, script.substr(script.find('\n') + 1) + shows);
  EXPECT_EQ(part(replayed.out, "show vdc", "show vdc detail"),
            part(displays, "show vdc", "show vdc detail"));
}

}  // namespace
