// Every parser callback on any word, mode and platform answer; the first byte picks the
// callback: the new-name check and help, the VDC-name table, help and match callbacks, the
// name-attribute rewrite and the four feature-set callbacks.
#include <cstdio>

#include "fuzz_input.h"

namespace {

// The state database, the supervisor state and the feature-set support as any platform
// might answer them.
void platform_answers(zms_fuzz::input &in) {
  auto &p = standin::platform();
  g_cli_sup_state = in.byte() % 3;
  p.current_vdc = in.byte() % 4 | (in.byte() & 1 ? 0x10000 : 0);
  const uint32_t opens[] = {0, 0x411a0003, 0x411a0004};
  p.sdb_open_result = opens[in.byte() % 3];
  const uint32_t reads[] = {0, 0x40480003, 0x40480004};
  uint8_t read = in.byte() % 5;
  if (read < 3) p.sdb_read_status = reads[read];
  if (read == 3) p.sdb_read_status = in.word();
  uint32_t refused = in.word();  // a bit per feature-set id modulo 32
  p.ft_supported = [refused](uint32_t id) { return (refused >> (id % 32)) & 1 ? 0 : 1; };
  p.help_status = in.byte();
  auto list = in.bytes(in.byte() * 2u);
  if (in.byte() & 1) return;  // no record at all
  p.sdb_records[standin::fs_key(static_cast<uint16_t>(p.current_vdc))] = list;
  p.sdb_records[standin::fs_key(0)] = list;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  zms_fuzz::silence_stdout();
  zms_fuzz::input in(data, size);
  standin::reset();
  standin::platform().vdcs = {{1, "switch"}, {2, "core"}, {3, "core-edge"}};
  uint8_t pick = in.byte();
  platform_answers(in);
  cmd_ctx cmd;
  cmd.action_set = in.byte() & 1;
  std::string word = in.text();
  const char *w = word.c_str();
  auto mode = static_cast<int32_t>(in.word());
  cmd.request = zms_fuzz::attributes(in);
  // clang-format off
  switch (pick % 12) {
    case 0: standin::free_match(vdc_mgr_show_new_name_match(&cmd, mode & 1 ? w : nullptr, mode)); break;
    case 1: vdc_mgr_show_new_name_help(&cmd, w); break;
    case 2: vdc_mgr_vdcName_table_get(&cmd, static_cast<uint32_t>(mode)); break;
    case 3: vdc_mgr_show_e_name_help(&cmd, w); break;
    case 4: standin::free_match(vdc_mgr_show_e_name_match(&cmd, w, mode)); break;
    case 5: vdc_mgr_show_no_def_name_help(&cmd, w); break;
    case 6: standin::free_match(vdc_mgr_show_no_def_name_match(&cmd, w, mode)); break;
    case 7: vdc_mgr_id_rewrite(&cmd); break;
    case 8: standin::free_match(vdc_mgr_show_allowed_fs_match(&cmd, w)); break;
    case 9: standin::free_match(vdc_mgr_show_installed_fs_match(&cmd, w)); break;
    case 10: vdc_mgr_show_allowed_fs_help(&cmd, w); break;
    default: vdc_mgr_show_installed_fs_help(&cmd, w); break;
  }
  // clang-format on
  fflush(stdout);
  return 0;
}
