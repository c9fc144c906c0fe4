// Every name the library exports, by kind, for the programs that bind or call them by
// name: vdcsim's loader and replay command, the response-case runner, the allocation tests
// and the fuzzers. Each list calls X(name) once per name; within a list the names keep the
// order of src/exports.map. The library_exports test checks that ZMS_EXPORTS names exactly
// the export list.
#ifndef ZMS_LIBRARY_EXPORTS_H
#define ZMS_LIBRARY_EXPORTS_H

// int32_t (cmd_handle): the handlers of the show commands.
#define ZMS_SHOW_HANDLERS(X)    \
  X(show_vdc)                   \
  X(show_vdc_detail)            \
  X(show_vdc_detail2)           \
  X(show_vdc_membership)        \
  X(show_vdc_membership_status) \
  X(show_vdc_fs)                \
  X(show_vdc_mac)               \
  X(show_vdc_dirtybit)          \
  X(show_vdc_mode)              \
  X(show_vdc_internal)          \
  X(show_fcoe)

// int32_t (cmd_handle): the handler of the switch-to-VDC command.
#define ZMS_SWITCH_HANDLERS(X) X(vdc_mgr_set_cli_mode)

// int32_t (cmd_handle, const char *word): the parser's help callbacks.
#define ZMS_HELP_CALLBACKS(X)      \
  X(vdc_mgr_show_e_name_help)      \
  X(vdc_mgr_show_no_def_name_help) \
  X(vdc_mgr_show_new_name_help)    \
  X(vdc_mgr_show_allowed_fs_help)  \
  X(vdc_mgr_show_installed_fs_help)

// cmd_match_result *(cmd_handle, const char *word, int32_t mode): the VDC-name matches.
#define ZMS_NAME_MATCH_CALLBACKS(X) \
  X(vdc_mgr_show_e_name_match)      \
  X(vdc_mgr_show_no_def_name_match) \
  X(vdc_mgr_show_new_name_match)

// cmd_match_result *(cmd_handle, const char *word): the feature-set matches.
#define ZMS_FEATURE_SET_MATCH_CALLBACKS(X) \
  X(vdc_mgr_show_allowed_fs_match)         \
  X(vdc_mgr_show_installed_fs_match)

// The parser's other callbacks: the VDC-name table and the name-attribute rewrite.
#define ZMS_OTHER_PARSER_CALLBACKS(X) \
  X(vdc_mgr_vdcName_table_get)        \
  X(vdc_mgr_id_rewrite)

// The exported keyword tables and words.
#define ZMS_EXPORTED_DATA(X) \
  X(blanktable)              \
  X(niltable)                \
  X(helptable)               \
  X(known_keywords)          \
  X(fs_help)                 \
  X(fs_sdb)                  \
  X(card_table)              \
  X(cmd_init)                \
  X(cli_table)

// const char *(int32_t value): an enumeration value's name, one per enumeration.
#define ZMS_ENUM_FINDS(X)          \
  X(__vdc_state_t_find)            \
  X(__vdc_type_t_find)             \
  X(__vdc_show_type_t_find)        \
  X(__vdc_res_req_type_t_find)     \
  X(__vdc_port_memb_status_t_find) \
  X(__vdc_event_type_enums_t_find) \
  X(__vdc_fs_action_t_find)

// uint32_t (const char *name): a name's enumeration value, in the order of ZMS_ENUM_FINDS.
#define ZMS_ENUM_STR2ENUMS(X)          \
  X(__vdc_state_t_str2enum)            \
  X(__vdc_type_t_str2enum)             \
  X(__vdc_show_type_t_str2enum)        \
  X(__vdc_res_req_type_t_str2enum)     \
  X(__vdc_port_memb_status_t_str2enum) \
  X(__vdc_event_type_enums_t_str2enum) \
  X(__vdc_fs_action_t_str2enum)

// The program launcher and the event-history printer.
#define ZMS_UTILITIES(X)                  \
  X(execute_program_new_session_and_wait) \
  X(vdc_mgr_history_cli)

// Every exported name, the show handlers first.
#define ZMS_EXPORTS(X)               \
  ZMS_SHOW_HANDLERS(X)               \
  ZMS_SWITCH_HANDLERS(X)             \
  ZMS_HELP_CALLBACKS(X)              \
  ZMS_NAME_MATCH_CALLBACKS(X)        \
  ZMS_FEATURE_SET_MATCH_CALLBACKS(X) \
  ZMS_OTHER_PARSER_CALLBACKS(X)      \
  ZMS_EXPORTED_DATA(X)               \
  ZMS_ENUM_FINDS(X)                  \
  ZMS_ENUM_STR2ENUMS(X)              \
  ZMS_UTILITIES(X)

#endif  // ZMS_LIBRARY_EXPORTS_H
