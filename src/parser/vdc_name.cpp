// Help and match callbacks for parameters that name a VDC, and the name-attribute rewrite.
#include "vdc_platform.h"

namespace {

constexpr uint32_t existing_names = 0;
constexpr uint32_t other_names = 1;

int32_t offer_names(cmd_handle handle, const char *word, uint32_t selector) {
  cmd_enum_entry *table = vdc_mgr_vdcName_table_get(handle, selector);
  return cmd_enum_help(handle, table, word);
}

// Mode 0 asks for a complete name, not an abbreviation.
cmd_match_result *match_name(cmd_handle handle, const char *word, int32_t mode, uint32_t selector) {
  cmd_enum_entry *table = vdc_mgr_vdcName_table_get(handle, selector);
  return cmd_enum_match(handle, table, word, mode == 0 ? 1 : 0);
}

}  // namespace

extern "C" {

// The framework fills the VDC names in itself; both selectors get the same table.
cmd_enum_entry *vdc_mgr_vdcName_table_get(cmd_handle, uint32_t) {
  return blanktable;
}

int32_t vdc_mgr_show_e_name_help(cmd_handle handle, const char *word) {
  return offer_names(handle, word, existing_names);
}

int32_t vdc_mgr_show_no_def_name_help(cmd_handle handle, const char *word) {
  return offer_names(handle, word, other_names);
}

cmd_match_result *vdc_mgr_show_e_name_match(cmd_handle handle, const char *word, int32_t mode) {
  return match_name(handle, word, mode, existing_names);
}

cmd_match_result *vdc_mgr_show_no_def_name_match(cmd_handle handle, const char *word,
                                                 int32_t mode) {
  return match_name(handle, word, mode, other_names);
}

// Any word may become a new name; the help shows the one placeholder row.
int32_t vdc_mgr_show_new_name_help(cmd_handle handle, const char *) {
  return cmd_enum_help(handle, helptable, "");
}

// Hands the request's own name value back to the framework as the attribute's new value.
int32_t vdc_mgr_id_rewrite(cmd_handle handle) {
  void *value = nullptr;
  uint32_t len = 0;
  if (cmd_req_attr_get(handle, VDC_ATTR_NAME_KEY, &value, &len) != 0 || value == nullptr) return 0;
  cmd_attr_value_replace(VDC_ATTR_NAME_KEY, value, VDC_NAME_KEY_LEN);
  return 0;
}
}
