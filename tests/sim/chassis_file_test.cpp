// Chassis files: each malformed file is refused with the file, the place, the field and
// what was expected, by the reader and by vdcsim, which then runs nothing.
#include <gtest/gtest.h>

#include "chassis_file.h"
#include "sim_support.h"

namespace {

using sim_test::run_vdcsim;

struct bad_file {
  const char *name;
  const char *text;
  const char *message;  // after "FILE:"
};

const char *const vdc1 = R"({"id": 1, "name": "core"})";

std::string with_vdcs(const std::string &more) {
  return std::string(R"({"vdcs": [)") + vdc1 + more + "]}";
}

class chassis_file_faults : public testing::TestWithParam<bad_file> {};

TEST_P(chassis_file_faults, name_the_file_the_place_and_the_field) {
  vdcsim::chassis model = vdcsim::default_chassis();
  std::string error;
  EXPECT_FALSE(vdcsim::parse_chassis(GetParam().text, "bad.json", model, error));
  EXPECT_EQ(error, std::string("bad.json:") + GetParam().message);
  EXPECT_EQ(model.vdcs.size(), vdcsim::default_chassis().vdcs.size()) << "left half-loaded";
}

TEST_P(chassis_file_faults, stop_vdcsim_before_it_runs_anything) {
  std::string path = "/tmp/vdcsim-bad-" + std::string(GetParam().name) + ".json";
  sim_test::write_file(path, GetParam().text);
  auto result = run_vdcsim({"--chassis", path, "-c", "show vdc"});
  std::remove(path.c_str());
  EXPECT_EQ(result.exit_status, 2);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err, "vdcsim: " + path + ":" + GetParam().message + "\n");
}

const std::string unknown_field = with_vdcs("], \"vdc\": [1");
const std::string duplicate_id = with_vdcs(R"(, {"id": 1, "name": "edge"})");
const std::string bad_name = with_vdcs(R"(, {"id": 2, "name": "a b"})");
const std::string long_name = with_vdcs(R"(, {"id": 2, "name": ")" + std::string(64, 'n') + "\"}");
const std::string same_name = with_vdcs(R"(, {"id": 2, "name": "CORE"})");
const std::string share_high = with_vdcs(R"(, {"id": 2, "name": "e", "cpu_share": 11})");
const std::string share_fraction = with_vdcs(R"(, {"id": 2, "name": "e", "cpu_share": 2.5})");
const std::string bad_time = with_vdcs(R"(, {"id": 2, "name": "e", "create_time": "yesterday"})");
const std::string unknown_type = with_vdcs(R"(, {"id": 2, "name": "e", "module_types": ["z9"]})");
const std::string unknown_fs = with_vdcs(R"(, {"id": 2, "name": "e", "feature_sets": ["mpls"]})");
const std::string id_too_big = with_vdcs(R"(, {"id": 9, "name": "e"})");
const std::string setup_text = with_vdcs(R"(, {"id": 2, "name": "e", "setup_done": "yes"})");

INSTANTIATE_TEST_SUITE_P(
    all, chassis_file_faults,
    testing::Values(
        bad_file{"syntax", "{\"vdcs\": [\n  {\"id\": 1,}\n]}",
                 "2:12: expected a member name in double quotes"},
        bad_file{"not_an_object", "[]", "1:1: expected an object, found a list"},
        bad_file{"no_vdcs", "{}", "1:1: missing field \"vdcs\""},
        bad_file{"empty_vdcs", "{\"vdcs\": []}", "1:10: vdcs: no VDC at all"},
        bad_file{"vdcs_not_a_list", "{\"vdcs\": 1}", "1:10: vdcs: expected a list, found a number"},
        bad_file{"unknown_field", unknown_field.c_str(), "1:46: vdc: unknown field"},
        bad_file{"first_not_default", "{\"vdcs\": [{\"id\": 2, \"name\": \"a\"}]}",
                 "1:18: vdcs[0].id: the first VDC is the default VDC, id 1"},
        bad_file{"id_text", "{\"vdcs\": [{\"id\": \"1\", \"name\": \"a\"}]}",
                 "1:18: vdcs[0].id: expected a whole number from 1 to 8, found a string"},
        bad_file{"missing_name", "{\"vdcs\": [{\"id\": 1}]}",
                 "1:11: vdcs[0]: missing field \"name\""},
        bad_file{"duplicate_id", duplicate_id.c_str(), "1:45: vdcs[1].id: VDC id 1 is taken"},
        bad_file{"bad_name", bad_name.c_str(),
                 "1:56: vdcs[1].name: expected a VDC name of 1 to 63 letters, digits, '-', '_' "
                 "and '.'"},
        bad_file{"long_name", long_name.c_str(),
                 "1:56: vdcs[1].name: expected a VDC name of 1 to 63 letters, digits, '-', '_' "
                 "and '.'"},
        bad_file{"same_name", same_name.c_str(), "1:56: vdcs[1].name: VDC name \"CORE\" is taken"},
        bad_file{"id_too_big", id_too_big.c_str(),
                 "1:45: vdcs[1].id: expected a whole number from 1 to 8, found 9"},
        bad_file{"share_high", share_high.c_str(),
                 "1:74: vdcs[1].cpu_share: expected a whole number from 1 to 10, found 11"},
        bad_file{"share_fraction", share_fraction.c_str(),
                 "1:74: vdcs[1].cpu_share: expected a whole number from 1 to 10, found a "
                 "fraction"},
        bad_file{"bad_time", bad_time.c_str(),
                 "1:76: vdcs[1].create_time: expected a time such as \"2024-03-01T09:00:00Z\""},
        bad_file{"setup_text", setup_text.c_str(),
                 "1:75: vdcs[1].setup_done: expected true or false, found a string"},
        bad_file{"unknown_module_type", unknown_type.c_str(),
                 "1:78: vdcs[1].module_types[0]: no linecard type \"z9\""},
        bad_file{"unknown_feature_set", unknown_fs.c_str(),
                 "1:78: vdcs[1].feature_sets[0]: no installed feature set \"mpls\""},
        bad_file{"interface_vdc",
                 "{\"vdcs\": [{\"id\": 1, \"name\": \"a\"}],\n \"interfaces\": [\n"
                 "  {\"name\": \"Ethernet1/1\", \"slot\": 1, \"vdc\": 3}]}",
                 "3:45: interfaces[0].vdc: no VDC 3"},
        bad_file{"interface_slot",
                 "{\"vdcs\": [{\"id\": 1, \"name\": \"a\"}],\n \"interfaces\": [\n"
                 "  {\"name\": \"Ethernet1/1\"}]}",
                 "3:3: interfaces[0]: missing field \"slot\""},
        bad_file{"interface_twice",
                 "{\"vdcs\": [{\"id\": 1, \"name\": \"a\"}], \"interfaces\": [\n"
                 "  {\"name\": \"Ethernet1/1\", \"slot\": 1},\n"
                 "  {\"name\": \"ethernet1/1\", \"slot\": 1}]}",
                 "3:12: interfaces[1].name: interface \"ethernet1/1\" is listed twice"},
        bad_file{"breakout_text",
                 "{\"vdcs\": [{\"id\": 1, \"name\": \"a\"}], \"interfaces\": [\n"
                 "  {\"name\": \"Ethernet1/1\", \"slot\": 1, \"breakout\": 1}]}",
                 "2:50: interfaces[0].breakout: expected true or false, found a number"},
        bad_file{"bad_code",
                 "{\"vdcs\": [{\"id\": 1, \"name\": \"a\"}], \"interfaces\": [\n"
                 "  {\"name\": \"Ethernet1/1\", \"slot\": 1, \"move_status\": \"0xZZ\"}]}",
                 "2:53: interfaces[0].move_status: expected a whole number from 0 to 4294967295 "
                 "or a hexadecimal \"0x...\""},
        bad_file{"vlan_range",
                 "{\"vdcs\": [{\"id\": 1, \"name\": \"a\"}],\n"
                 " \"storage\": {\"reserved_vlans\": [[10, 20], [1, 5000]]}}",
                 "2:47: storage.reserved_vlans[1][1]: expected a whole number from 1 to 4094, "
                 "found 5000"},
        bad_file{"vlan_triple",
                 "{\"vdcs\": [{\"id\": 1, \"name\": \"a\"}],\n"
                 " \"storage\": {\"reserved_vlans\": [[1, 2, 3]]}}",
                 "2:33: storage.reserved_vlans[0]: expected a VLAN number or a [low, high] pair"},
        bad_file{"storage_vdc",
                 "{\"vdcs\": [{\"id\": 1, \"name\": \"a\"}], \"storage\": {\"vdc\": 4}}",
                 "1:55: storage.vdc: no such VDC"},
        bad_file{"dirty_marker",
                 "{\"vdcs\": [{\"id\": 1, \"name\": \"a\"}], \"dirty_bits\": {\"active\": [999]}}",
                 "1:62: dirty_bits.active[0]: expected a whole number from 0 to 998, found 999"},
        bad_file{"event_kind",
                 "{\"vdcs\": [{\"id\": 1, \"name\": \"a\"}], \"events\": [\n"
                 "  {\"time\": 0, \"kind\": \"reboot\"}]}",
                 "2:23: events[0].kind: expected \"config\", \"port-config\", \"handshake-start\" "
                 "or \"handshake-fail\""},
        bad_file{"module_twice",
                 "{\"linecard_types\": [{\"value\": 1, \"name\": \"e1\"}], \"modules\": [\n"
                 "  {\"slot\": 1, \"type\": \"e1\"}, {\"slot\": 1, \"type\": \"e1\"}],\n"
                 " \"vdcs\": [{\"id\": 1, \"name\": \"a\"}]}",
                 "2:39: modules[1].slot: slot 1 holds two modules"},
        bad_file{"max_vdcs", "{\"max_vdcs\": 0, \"vdcs\": []}",
                 "1:14: max_vdcs: expected a whole number from 1 to 256, found 0"},
        bad_file{"operator_user", "{\"operator\": {\"user\": \"\"}, \"vdcs\": []}",
                 "1:23: operator.user: the user name is empty"}),
    [](const auto &row) { return std::string(row.param.name); });

TEST(chassis_file, an_unreadable_file_is_named_with_the_reason) {
  auto result = run_vdcsim({"--chassis", "/nonexistent/chassis.json", "-c", "show vdc"});
  EXPECT_EQ(result.exit_status, 2);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err,
            "vdcsim: /nonexistent/chassis.json: cannot read the chassis file: No such file or "
            "directory\n");
}

TEST(chassis_file, the_built_in_chassis_reads_back_unchanged) {
  std::string text = vdcsim::chassis_to_json(vdcsim::default_chassis());
  vdcsim::chassis again;
  std::string error;
  ASSERT_TRUE(vdcsim::parse_chassis(text, "state.json", again, error)) << error;
  EXPECT_EQ(vdcsim::chassis_to_json(again), text);
}

class example_files : public testing::TestWithParam<const char *> {};

TEST_P(example_files, load_and_read_back_unchanged) {
  vdcsim::chassis model;
  std::string error;
  ASSERT_TRUE(vdcsim::load_chassis(std::string(VDCSIM_SOURCE_DIR) + "/examples/" + GetParam(),
                                   model, error))
      << error;
  std::string text = vdcsim::chassis_to_json(model);
  vdcsim::chassis again;
  ASSERT_TRUE(vdcsim::parse_chassis(text, "again.json", again, error)) << error;
  EXPECT_EQ(vdcsim::chassis_to_json(again), text);
}

INSTANTIATE_TEST_SUITE_P(all, example_files, testing::Values("small.json", "large.json"),
                         [](const auto &row) {
                           std::string name = row.param;
                           return name.substr(0, name.find('.'));
                         });

TEST(example_files, the_large_one_has_hundreds_of_interfaces_and_a_long_name) {
  vdcsim::chassis model;
  std::string error;
  ASSERT_TRUE(
      vdcsim::load_chassis(std::string(VDCSIM_SOURCE_DIR) + "/examples/large.json", model, error));
  EXPECT_GE(model.interfaces.size(), 300u);
  size_t longest = 0;
  for (auto &v : model.vdcs)
    longest = std::max(longest, v.name.size());
  EXPECT_GT(longest, 32u);
}

}  // namespace
