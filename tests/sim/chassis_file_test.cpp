// Chassis files: each malformed file of data/chassis_faults.txt is refused with the place,
// the field and what was expected, and leaves the model as it was; vdcsim then runs nothing.
#include <gtest/gtest.h>

#include <sstream>

#include "capture.h"
#include "chassis/chassis_file.h"
#include "sim_support.h"

namespace {

struct bad_file {
  std::string name;
  std::string message;  // after "FILE:"
  std::string text;
};

ZMS_PRINTS_AS(bad_file, name)

std::vector<bad_file> bad_files() {
  std::istringstream in(sim_test::read_file(sim_test::test_path("data/chassis_faults.txt")));
  std::vector<bad_file> files;
  for (std::string line; std::getline(in, line);) {
    if (line.rfind("=== ", 0) == 0) {
      files.push_back({line.substr(4), "", ""});
      std::getline(in, files.back().message);
    } else if (!files.empty()) {
      files.back().text += line + "\n";
    }
  }
  for (auto &f : files)
    f.text.pop_back();  // the newline that ends the block
  return files;
}

class chassis_file_faults : public testing::TestWithParam<bad_file> {};

TEST_P(chassis_file_faults, name_the_place_and_the_field) {
  vdcsim::chassis model = vdcsim::default_chassis();
  std::string error;
  EXPECT_FALSE(vdcsim::parse_chassis(GetParam().text, "bad.yaml", model, error));
  EXPECT_EQ(error, "bad.yaml:" + GetParam().message);
  EXPECT_EQ(vdcsim::chassis_to_yaml(model), vdcsim::chassis_to_yaml(vdcsim::default_chassis()))
      << "left half-loaded";
}

INSTANTIATE_TEST_SUITE_P(all, chassis_file_faults, testing::ValuesIn(bad_files()),
                         [](const testing::TestParamInfo<bad_file> &row) {
                           return row.param.name;
                         });

// Files too big to keep, made here: each ends where its bound speaks, or loads.
struct big_file {
  std::string name;
  std::string text;
  std::string message;  // after "FILE:"; "" when the file loads
};

ZMS_PRINTS_AS(big_file, name)

// `count` copies of `pattern`, each with its number for every '#'.
std::string numbered(const std::string &pattern, size_t count, const std::string &between = ", ") {
  std::string out;
  for (size_t i = 0; i < count; ++i) {
    out += i ? between : "";
    for (char c : pattern)
      out += c == '#' ? std::to_string(i) : std::string(1, c);
  }
  return out;
}

std::vector<big_file> big_files() {
  std::string vdc = "vdcs: [{id: 1, name: a}]\n";
  return {
      {"anchored_scalar_and_aliases",
       vdc + "error_texts:\n  - {code: 0, text: &big " + std::string(1 << 20, 'a') + "}\n" +
           numbered("  - {code: #, text: *big}\n", 1000, ""),
       "7:21: aliases repeat more than 4 MiB"},
      {"keys_in_one_mapping", "{" + numbered("k#: 0", 262000) + "}", "1:6: k0: unknown field"},
      {"feature_sets_installed_and_allowed",
       "feature_sets: [" + numbered("{id: #, name: f#}", 20000) + "]\nvdcs: [{id: 1, name: a, " +
           "feature_sets: [" + numbered("f#", 20000) + "]}]\n",
       ""},
      {"feature_set_allowed_twice",
       "feature_sets: [{id: 0, name: f0}]\nvdcs: [{id: 1, name: a, feature_sets: [" +
           numbered("F0", 20000) + "]}]\n",
       "2:44: vdcs[0].feature_sets[1]: feature set \"F0\" is listed twice"},
      {"brackets", std::string(4000000, '['), "1:65: nested too deeply"},
  };
}

class big_chassis_files : public testing::TestWithParam<big_file> {};

TEST_P(big_chassis_files, end_where_their_bound_speaks) {
  vdcsim::chassis model;
  std::string error;
  bool loaded = vdcsim::parse_chassis(GetParam().text, "big.yaml", model, error);
  EXPECT_EQ(loaded, GetParam().message.empty()) << error;
  EXPECT_EQ(loaded ? "" : error, loaded ? "" : "big.yaml:" + GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(all, big_chassis_files, testing::ValuesIn(big_files()),
                         [](const testing::TestParamInfo<big_file> &row) {
                           return row.param.name;
                         });

// Each example loads to the same model as the JSON file it was written from, and every
// model reads back unchanged from what the writer writes.
TEST(chassis_file, examples_match_their_json_and_read_back_unchanged) {
  std::vector<vdcsim::chassis> models{vdcsim::default_chassis()};
  std::string error;
  for (std::string name : {"small", "large"}) {
    vdcsim::chassis yaml, json;
    ASSERT_TRUE(vdcsim::load_chassis(std::string(VDCSIM_SOURCE_DIR) + "/examples/" + name + ".yaml",
                                     yaml, error))
        << error;
    ASSERT_TRUE(
        vdcsim::load_chassis(sim_test::test_path("data/chassis/" + name + ".json"), json, error))
        << error;
    EXPECT_EQ(vdcsim::chassis_to_yaml(yaml), vdcsim::chassis_to_yaml(json)) << name;
    models.push_back(std::move(yaml));
  }
  for (auto &model : models) {
    std::string text = vdcsim::chassis_to_yaml(model);
    vdcsim::chassis again;
    ASSERT_TRUE(vdcsim::parse_chassis(text, "again.yaml", again, error)) << error;
    EXPECT_EQ(vdcsim::chassis_to_yaml(again), text);
  }
}

}  // namespace
