// What the writer writes loads back: compared field by field through the table of fields,
// on a chassis where every field holds something other than a new record's default, and
// on a chassis whose copy once grew past the bounds of the reader.
#include <gtest/gtest.h>

#include <algorithm>

#include "capture.h"
#include "chassis/chassis_file.h"
#include "chassis/fields.h"
#include "chassis/lab.h"
#include "sim_support.h"

namespace {

using namespace vdcsim;

// The section `want` of a chassis: its record or its list.
struct section_of {
  std::string_view want;
  const void *&found;
  void record(std::string_view name, const auto &r) {
    if (name == want) found = &r;
  }
  void list(std::string_view name, const auto &items, bool) {
    if (name == want) found = &items;
  }
};

template <class R>
void expect_same(const R &a, const R &b, const std::string &path) {
  for (auto &f : fields_of<R>::rows)
    EXPECT_TRUE(std::visit([&](auto p) { return a.*p == b.*p; }, f.at)) << path << "." << f.name;
}

template <class R>
void expect_not_default(const R &r, const std::string &path) {
  static const R fresh{};
  for (auto &f : fields_of<R>::rows)
    EXPECT_FALSE(std::visit([&](auto p) { return r.*p == fresh.*p; }, f.at))
        << path << "." << f.name << " holds its default";
}

// Every section of `a` against the same section of `b`, every field of every record.
struct compare {
  const chassis &b;
  bool defaults_too = false;

  template <class R>
  const R &other(std::string_view name) {
    const void *found = nullptr;
    visit_sections(b, section_of{name, found});
    return *static_cast<const R *>(found);
  }
  template <class R>
  void record(std::string_view name, const R &r) {
    expect_same(r, other<R>(name), std::string(name));
    if (defaults_too) expect_not_default(r, std::string(name));
  }
  template <class R>
  void list(std::string_view name, const std::vector<R> &items, bool) {
    auto &others = other<std::vector<R>>(name);
    ASSERT_EQ(items.size(), others.size()) << name;
    for (size_t i = 0; i < items.size(); ++i) {
      std::string path = std::string(name) + "[" + std::to_string(i) + "]";
      expect_same(items[i], others[i], path);
      if (defaults_too) expect_not_default(items[i], path);
    }
  }
};

chassis unusual_chassis() {
  chassis c;
  c.clock = 1700000000;
  c.switchwide_mode = "- e2 [x]: {y} # z";
  c.max_vdcs = 12;
  c.op = {"~", "true"};
  c.linecard_types = {{0xffffffff, "e-1", true, true}};
  c.modules = {{254, "e-1"}};
  c.feature_sets = {{4294967295u, "f_1"}};
  c.error_texts = {{7, "  it's: \"odd\"\n\ttabbed \\ ü "}};
  vdc v;
  v.id = 1;
  v.name = "null";
  v.state = "0x10";
  v.mac = "~";
  v.ha_policy = "'";
  v.dual_sup_ha_policy = "*alias";
  v.boot_order = 0;
  v.cpu_share = 10;
  v.create_time = 1;
  v.reload_count = v.restart_count = 2147483647;
  v.restart_time = 2147483647;
  v.restart_reason = "&anchor !tag %";
  v.type = "";
  v.type = "Storage";
  v.module_types = {"e-1"};
  v.feature_sets = {"f_1"};
  v.setup_done = false;
  v.setup_fails = true;
  c.vdcs = {v};
  interface i {
    0x80000001, "Ethernet9/9", "no", 3, 1, {1, 1}, true, -2, 0x40a00021
  };
  c.interfaces = {i};
  c.fcoe = {1, 1, {{1, 4094}, {7, 7}}};
  c.dirty = {{0}, {998}, {1, 2}};
  c.events = {{2147483647, event_kind::handshake_start, 65535, "yes", "on", "", 65535, {0, 12}, 1}};
  c.events[0].desc = "-";
  return c;
}

TEST(chassis_round_trip, every_field_away_from_its_default_survives) {
  chassis c = unusual_chassis(), again;
  std::string error;
  ASSERT_TRUE(parse_chassis(chassis_to_yaml(c), "again.yaml", again, error)) << error;
  visit_sections(c, compare{again, true});
}

// 30,000 short events: the copy leaves out what they hold by default and loads back within
// the file's bound, an event a line; a long text is not folded.
TEST(chassis_round_trip, a_copy_of_a_long_history_loads_back) {
  zms_test::temp_dir dir;
  chassis c = default_chassis(), again;
  for (int i = 0; i < 30000; ++i)
    c.events.push_back({1709283600 + i, event_kind::config, 2, "", "", "", 0, {}, 0});
  c.events[0].desc =
      "a description that runs on well past the eighty columns of a terminal line, as far as it "
      "may go";
  std::string path = dir.path() + "/copy.yaml", error;
  std::string text = chassis_to_yaml(c);
  sim_test::write_file(path, text);
  EXPECT_NE(text.find(c.events[0].desc), std::string::npos) << "folded";
  EXPECT_LT(std::count(text.begin(), text.end(), '\n'), 31000) << "not an event a line";
  ASSERT_TRUE(load_chassis(path, again, error)) << error;
  visit_sections(c, compare{again});
}

// A lab keeps every field too: made from the chassis, it reads back the same, and so does
// the chassis it began with.
TEST(chassis_round_trip, every_field_survives_a_lab) {
  zms_test::temp_dir dir;
  chassis c = unusual_chassis(), again, start;
  lab made, opened;
  std::string error;
  ASSERT_TRUE(made.create(dir.path() + "/lab.db", c, error)) << error;
  ASSERT_TRUE(opened.open(dir.path() + "/lab.db", again, error)) << error;
  visit_sections(c, compare{again, true});
  ASSERT_TRUE(opened.read_start(start, error)) << error;
  visit_sections(c, compare{start});
}

}  // namespace
