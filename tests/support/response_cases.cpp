// Every response case of show/cases, switch/cases and parser/cases: its handler (or parser
// callback) runs on the response through the stand-in, and what it prints, returns, walks, asks the
// platform and hands back as a match result is what the case says.
#include <dirent.h>

#include <algorithm>
#include <cstring>
#include <sstream>

#include "capture.h"
#include "response_file.h"

namespace {

struct handler {
  const char *name;
  int32_t (*show)(cmd_handle);
};

// clang-format off
#define ZMS_HANDLER(name) {#name, name}
constexpr handler handlers[] = {
    ZMS_HANDLER(show_vdc), ZMS_HANDLER(show_vdc_detail), ZMS_HANDLER(show_vdc_detail2),
    ZMS_HANDLER(show_vdc_fs), ZMS_HANDLER(show_vdc_membership), ZMS_HANDLER(show_vdc_mac),
    ZMS_HANDLER(show_vdc_membership_status), ZMS_HANDLER(show_vdc_mode),
    ZMS_HANDLER(show_vdc_dirtybit), ZMS_HANDLER(show_vdc_internal), ZMS_HANDLER(show_fcoe),
    ZMS_HANDLER(vdc_mgr_set_cli_mode)};
// clang-format on
#undef ZMS_HANDLER

// clang-format off
#define ZMS_CALLBACK(name) {#name, name}
const std::pair<const char *, int32_t (*)(cmd_handle, const char *)> helps[] = {
    ZMS_CALLBACK(vdc_mgr_show_e_name_help), ZMS_CALLBACK(vdc_mgr_show_no_def_name_help),
    ZMS_CALLBACK(vdc_mgr_show_new_name_help), ZMS_CALLBACK(vdc_mgr_show_allowed_fs_help),
    ZMS_CALLBACK(vdc_mgr_show_installed_fs_help)};
const std::pair<const char *, cmd_match_result *(*)(cmd_handle, const char *, int32_t)> matches[] = {
    ZMS_CALLBACK(vdc_mgr_show_e_name_match), ZMS_CALLBACK(vdc_mgr_show_no_def_name_match),
    ZMS_CALLBACK(vdc_mgr_show_new_name_match)};
const std::pair<const char *, cmd_match_result *(*)(cmd_handle, const char *)> fs_matches[] = {
    ZMS_CALLBACK(vdc_mgr_show_allowed_fs_match), ZMS_CALLBACK(vdc_mgr_show_installed_fs_match)};
// clang-format on
#undef ZMS_CALLBACK

// Runs the case's handler or callback; its result, or the rendered match result.
template <typename Table>
auto find(const Table &table, const std::string &name) {
  auto it = std::find_if(std::begin(table), std::end(table),
                         [&](auto &row) { return name == row.first; });
  return it == std::end(table) ? nullptr : it->second;
}

// "show_summary_example" for show/cases/summary_example.resp: the area, then the file's name.
std::vector<std::string> case_names() {
  std::vector<std::string> names;
  for (std::string area : {"show", "switch", "parser"}) {
    DIR *dir = opendir((ZMS_TEST_DIR "/" + area + "/cases").c_str());
    for (dirent *e; dir != nullptr && (e = readdir(dir)) != nullptr;) {
      std::string name = e->d_name;
      if (name.ends_with(".resp")) names.push_back(area + "_" + name.substr(0, name.size() - 5));
    }
    if (dir != nullptr) closedir(dir);
  }
  std::sort(names.begin(), names.end());
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
  auto h = std::find_if(std::begin(handlers), std::end(handlers),
                        [&](const handler &x) { return c.show == x.name; });
  auto help = find(helps, c.show);
  auto match = find(matches, c.show);
  auto fs_match = find(fs_matches, c.show);
  ASSERT_TRUE(h != std::end(handlers) || help || match || fs_match) << c.show;
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
    return match || fs_match ? 0 : h->show(&cmd);
  });
  EXPECT_EQ(out, *c.output);
  if (c.match) {
    EXPECT_EQ(matched, *c.match);
  }
  if (c.result) {
    EXPECT_EQ(result, *c.result);
  }
  EXPECT_EQ(cmd.getnext_calls, c.walk.value_or(h != std::end(handlers) ? c.response.size() + 1 : 0))
      << "one walk to the end";
  if (c.calls) {
    EXPECT_EQ(standin::calls(), *c.calls);
  }
}

INSTANTIATE_TEST_SUITE_P(cases, response_case_test, testing::ValuesIn(case_names()),
                         [](const testing::TestParamInfo<std::string> &row) { return row.param; });

}  // namespace
