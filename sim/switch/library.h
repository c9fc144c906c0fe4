// The library as the switch shell loads it: opened with dlopen and every exported
// handler, callback, lookup and table bound by name.
#ifndef VDCSIM_LIBRARY_H
#define VDCSIM_LIBRARY_H

#include <string>
#include <vector>

#include "zudoru_mgr_show.h"

// Every name the library exports.
#define VDCSIM_EXPORTS(X)                                                                         \
  X(show_vdc)                                                                                     \
  X(show_vdc_detail)                                                                              \
  X(show_vdc_detail2) X(show_vdc_membership) X(show_vdc_membership_status) X(show_vdc_fs)         \
      X(show_vdc_mac) X(show_vdc_dirtybit) X(show_vdc_mode) X(show_vdc_internal) X(show_fcoe) X(  \
          vdc_mgr_vdcName_table_get) X(vdc_mgr_show_e_name_help) X(vdc_mgr_show_e_name_match)     \
          X(vdc_mgr_show_no_def_name_help) X(vdc_mgr_show_no_def_name_match) X(                   \
              vdc_mgr_show_new_name_help) X(vdc_mgr_id_rewrite) X(vdc_mgr_show_new_name_match)    \
              X(vdc_mgr_show_allowed_fs_match) X(vdc_mgr_show_installed_fs_match) X(              \
                  vdc_mgr_show_allowed_fs_help) X(vdc_mgr_show_installed_fs_help) X(blanktable)   \
                  X(niltable) X(helptable) X(known_keywords) X(fs_help) X(fs_sdb) X(card_table)   \
                      X(cmd_init) X(cli_table) X(__vdc_state_t_find) X(__vdc_state_t_str2enum)    \
                          X(__vdc_type_t_find) X(__vdc_type_t_str2enum) X(__vdc_show_type_t_find) \
                              X(__vdc_show_type_t_str2enum) X(__vdc_res_req_type_t_find) X(       \
                                  __vdc_res_req_type_t_str2enum) X(__vdc_port_memb_status_t_find) \
                                  X(__vdc_port_memb_status_t_str2enum)                            \
                                      X(__vdc_event_type_enums_t_find)                            \
                                          X(__vdc_event_type_enums_t_str2enum)                    \
                                              X(__vdc_fs_action_t_find)                           \
                                                  X(__vdc_fs_action_t_str2enum)                   \
                                                      X(vdc_mgr_set_cli_mode)                     \
                                                          X(execute_program_new_session_and_wait) \
                                                              X(vdc_mgr_history_cli)

namespace vdcsim {

// One pointer per exported name, typed as the header declares it; data names are
// pointers to the library's objects (card_table is `cmd_enum_entry (*)[10]`).
struct library {
#define VDCSIM_MEMBER(name) decltype(&::name) name = nullptr;
  VDCSIM_EXPORTS(VDCSIM_MEMBER)
#undef VDCSIM_MEMBER
};

// Opens `path` and binds every name. On failure `error` says why in one line: the
// loader's own message, or how many names the library lacks and the first of them.
bool load_library(const std::string &path, library &out, std::string &error);

// The library in the library folder beside this program's folder, in a build as installed.
std::string default_library_path();

// "1.0.0 (/usr/lib/libzudoru_mgr_show.so.1.0.0)", from the name of the file `path`
// leads to; "unknown (...)" when that name holds no version.
std::string library_version(const std::string &path);

// The names of VDCSIM_EXPORTS, in order.
const std::vector<const char *> &exported_names();

}  // namespace vdcsim

#endif  // VDCSIM_LIBRARY_H
