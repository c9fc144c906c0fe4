// Every response case in ZMS_CASE_DIR: its handler runs on the response through the
// stand-in, and what it prints, returns, walks and asks the platform is what the case says.
#include <dirent.h>

#include <algorithm>

#include "capture.h"
#include "response_file.h"

namespace {

struct handler {
  const char *name;
  int32_t (*show)(cmd_handle);
};

#define ZMS_HANDLER(name) \
  { #name, name }
constexpr handler handlers[] = {
    ZMS_HANDLER(show_vdc),
    ZMS_HANDLER(show_vdc_detail),
    ZMS_HANDLER(show_vdc_detail2),
    ZMS_HANDLER(show_vdc_fs),
    ZMS_HANDLER(show_vdc_membership),
    ZMS_HANDLER(show_vdc_mac),
    ZMS_HANDLER(show_vdc_membership_status),
    ZMS_HANDLER(show_vdc_mode),
    ZMS_HANDLER(show_vdc_dirtybit),
    ZMS_HANDLER(show_vdc_internal),
    ZMS_HANDLER(show_fcoe),
    ZMS_HANDLER(vdc_mgr_set_cli_mode),
};
#undef ZMS_HANDLER

std::vector<std::string> case_names() {
  std::vector<std::string> names;
  if (DIR *dir = opendir(ZMS_CASE_DIR)) {
    while (dirent *e = readdir(dir)) {
      std::string name = e->d_name;
      if (name.ends_with(".resp")) names.push_back(name.substr(0, name.size() - 5));
    }
    closedir(dir);
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::string by_name(const testing::TestParamInfo<std::string> &row) {
  return row.param;
}

class response_case_test : public testing::TestWithParam<std::string> {};

TEST_P(response_case_test, renders_what_the_case_expects) {
  standin::response_case c;
  std::string error;
  ASSERT_TRUE(standin::read_response_file(ZMS_CASE_DIR "/" + GetParam() + ".resp", c, error))
      << error;
  ASSERT_TRUE(c.output.has_value()) << "a case ends with the text it expects";
  auto h = std::find_if(std::begin(handlers), std::end(handlers),
                        [&](const handler &x) { return c.show == x.name; });
  ASSERT_NE(h, std::end(handlers)) << c.show;
  standin::reset();
  unsetenv("SYSMGR_VDC_ID");
  unsetenv("VSH_ROLES");
  standin::apply_platform(c);
  standin::clear_calls();
  cmd_ctx cmd = standin::command_of(c);
  auto [result, out] = zms_test::run_captured([&] { return h->show(&cmd); });
  EXPECT_EQ(out, *c.output);
  if (c.result) {
    EXPECT_EQ(result, *c.result);
  }
  EXPECT_EQ(cmd.getnext_calls, c.walk.value_or(c.response.size() + 1)) << "one walk to the end";
  if (c.calls) {
    EXPECT_EQ(standin::calls(), *c.calls);
  }
}

INSTANTIATE_TEST_SUITE_P(cases, response_case_test, testing::ValuesIn(case_names()), by_name);

}  // namespace
