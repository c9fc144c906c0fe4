// The new-name check on any word, and the feature-set callbacks on any database record.
#include <cstdio>

#include "fuzz_input.h"

namespace {

void check_new_name(zms_fuzz::input &in, cmd_ctx &cmd) {
  std::string word = in.text();
  int32_t mode = in.byte() & 1;
  standin::free_match(vdc_mgr_show_new_name_match(&cmd, word.c_str(), mode));
}

void offer_feature_sets(zms_fuzz::input &in, cmd_ctx &cmd) {
  standin::platform().sdb_open_result = in.byte() & 1 ? 0 : 0x411a0003;
  auto list = in.bytes(in.byte() * 2u);
  standin::platform().sdb_records[standin::fs_key(static_cast<uint16_t>(cmd_vdc_get()))] = list;
  standin::platform().sdb_records[standin::fs_key(0)] = list;
  cmd.action_set = in.byte() & 1;
  std::string word = in.text();
  standin::free_match(vdc_mgr_show_allowed_fs_match(&cmd, word.c_str()));
  standin::free_match(vdc_mgr_show_installed_fs_match(&cmd, word.c_str()));
  vdc_mgr_show_allowed_fs_help(&cmd, word.c_str());
  vdc_mgr_show_installed_fs_help(&cmd, word.c_str());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  zms_fuzz::silence_stdout();
  zms_fuzz::input in(data, size);
  standin::reset();
  standin::platform().vdcs = {{1, "switch"}, {2, "core"}, {3, "core-edge"}};
  standin::platform().current_vdc = in.byte() % 4;
  cmd_ctx cmd;
  check_new_name(in, cmd);
  offer_feature_sets(in, cmd);
  return 0;
}
