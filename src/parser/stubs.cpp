// Placeholder until the parser callbacks land.
#include "vdc_platform.h"

extern "C" {
cmd_enum_entry blanktable[2];
cmd_enum_entry niltable[2];
cmd_enum_entry helptable[2];
cmd_enum_entry card_table[10];
const char *known_keywords[4];
const char *fs_help;
void *fs_sdb;
uint32_t cmd_init;
uint32_t cli_table;

cmd_enum_entry *vdc_mgr_vdcName_table_get(cmd_handle, uint32_t) { return blanktable; }
int32_t vdc_mgr_show_e_name_help(cmd_handle, const char *) { return 0; }
cmd_match_result *vdc_mgr_show_e_name_match(cmd_handle, const char *, int32_t) { return nullptr; }
int32_t vdc_mgr_show_no_def_name_help(cmd_handle, const char *) { return 0; }
cmd_match_result *vdc_mgr_show_no_def_name_match(cmd_handle, const char *, int32_t) {
  return nullptr;
}
int32_t vdc_mgr_show_new_name_help(cmd_handle, const char *) { return 0; }
cmd_match_result *vdc_mgr_show_new_name_match(cmd_handle, const char *, int32_t) {
  return nullptr;
}
int32_t vdc_mgr_id_rewrite(cmd_handle) { return 0; }
cmd_match_result *vdc_mgr_show_allowed_fs_match(cmd_handle, const char *) { return nullptr; }
cmd_match_result *vdc_mgr_show_installed_fs_match(cmd_handle, const char *) { return nullptr; }
int32_t vdc_mgr_show_allowed_fs_help(cmd_handle, const char *) { return 0; }
int32_t vdc_mgr_show_installed_fs_help(cmd_handle, const char *) { return 0; }
}
