// Every response case of show/cases, switch/cases and parser/cases: its handler (or parser
// callback) runs on the response through the stand-in, and what it prints, returns, walks, asks the
// platform and hands back as a match result is what the case says.
#include <cstdlib>
#include <string>
#include <vector>

#include "capture.h"
#include "case_files.h"
#include "exported_functions.h"
#include "response_file.h"

namespace {

const char *const areas[] = {"show", "switch", "parser"};

// "show_summary_example" for show/cases/summary_example.resp: the area, then the file's name.
std::vector<std::string> case_names() {
  std::vector<std::string> names;
  for (std::string area : areas)
    for (auto &name : zms_test::case_names(ZMS_TEST_DIR "/" + area + "/cases", ".resp"))
      names.push_back(area + "_" + name);
  return names;
}

std::string path_of(const std::string &name) {
  size_t cut = name.find('_');
  return ZMS_TEST_DIR "/" + name.substr(0, cut) + "/cases/" + name.substr(cut + 1) + ".resp";
}

class response_case_test : public testing::TestWithParam<std::string> {};

TEST_P(response_case_test, renders_what_the_case_expects) {
  standin::response_case c;
  std::string error;
  ASSERT_TRUE(standin::read_response_file(path_of(GetParam()), c, error)) << error;
  ASSERT_TRUE(c.output.has_value()) << "a case ends with the text it expects";
  auto show = zms_test::find_function(zms_test::handlers, c.show);
  auto help = zms_test::find_function(zms_test::help_callbacks, c.show);
  auto match = zms_test::find_function(zms_test::name_match_callbacks, c.show);
  auto fs_match = zms_test::find_function(zms_test::feature_set_match_callbacks, c.show);
  ASSERT_TRUE(show || help || match || fs_match) << c.show;
  standin::reset();
  unsetenv("SYSMGR_VDC_ID");
  unsetenv("VSH_ROLES");
  standin::apply_platform(c);
  standin::clear_calls();
  cmd_ctx cmd = standin::command_of(c);
  std::string matched;
  auto [result, out] = zms_test::run_captured([&] {
    const char *typed = c.typed.c_str();
    if (help) return help(&cmd, typed);
    if (match) matched = zms_test::match_text(match(&cmd, typed, c.mode));
    if (fs_match) matched = zms_test::match_text(fs_match(&cmd, typed));
    return match || fs_match ? 0 : show(&cmd);
  });
  EXPECT_EQ(out, *c.output);
  if (c.match) {
    EXPECT_EQ(matched, *c.match);
  }
  if (c.result) {
    EXPECT_EQ(result, *c.result);
  }
  EXPECT_EQ(cmd.getnext_calls, c.walk.value_or(show ? c.response.size() + 1 : 0))
      << "one walk to the end";
  if (c.calls) {
    EXPECT_EQ(standin::calls(), *c.calls);
  }
}

INSTANTIATE_TEST_SUITE_P(cases, response_case_test, testing::ValuesIn(case_names()),
                         [](const testing::TestParamInfo<std::string> &row) { return row.param; });

}  // namespace
