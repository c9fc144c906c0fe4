/* Shell-side back end of the VDC manager: show handlers, parser callbacks,
 * VDC switching, enumeration names and the event-history printer.
 *
 * Everything declared here has C linkage and the same layout on every target. */
#ifndef ZUDORU_MGR_SHOW_H
#define ZUDORU_MGR_SHOW_H

#include <stddef.h>
#include <stdint.h>

#include "zudoru_mgr_show_version.h"

#if defined(ZUDORU_MGR_SHOW_BUILD)
#define ZMS_API __attribute__((visibility("default")))
#else
#define ZMS_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* ---- Types shared with the command framework ------------------------------------------- */

typedef struct cmd_ctx *cmd_handle;

typedef struct cmd_enum_entry {
  const char *name;
  uint32_t value;
  const char *help;
} cmd_enum_entry;

/* Match result; status 0 no match, 1 the name of an existing VDC, 2 matched with a value. */
typedef struct cmd_match_result {
  uint32_t status;
  uint32_t value_len;
  void *value;
  char *text;
  char *message;
  int32_t count;
  uint32_t second_len;
} cmd_match_result;

/* Statuses of a match result. The framework's keyword matches use the same field with its
 * own meanings (CMD_ENUM_MATCH_*, vdc_platform.h). */
#define CMD_MATCH_NONE 0  /* no match; `message` may say why */
#define CMD_MATCH_TAKEN 1 /* the name of an existing VDC */
#define CMD_MATCH_VALUE 2 /* matched: `value` holds what the word stands for */

/* What `show_vdc` shows, by the request's VDC_REQ_SHOW_SELECT word. */
#define VDC_SELECT_FEATURE_SETS 1u
#define VDC_SELECT_SUMMARY 2u
#define VDC_SELECT_MEMBERSHIP 3u
#define VDC_SELECT_MEMBERSHIP_STATUS 4u
#define VDC_SELECT_DETAIL 5u

/* In a dirty-bit response, the VDC number that separates the sections. */
#define VDC_DIRTY_BIT_MARKER 999u
/* The default VDC. */
#define VDC_DEFAULT_ID 1u

/* The shell's environment that the switch command reads and writes. */
#define VDC_ID_VARIABLE "SYSMGR_VDC_ID"
#define VDC_ROLES_VARIABLE "VSH_ROLES"
/* Where the switch software's programs that the switch command starts live. */
#define VDC_PROGRAM_DIR "/velt/bin/"

/* ---- Attribute identifiers ------------------------------------------------------------- */

#define VDC_REQ_SHOW_SELECT 0xffffff9cu
#define VDC_ATTR_STORAGE_VDC 0x141a0002u
#define VDC_ATTR_RESERVED_VLANS 0x131a0003u
#define VDC_ATTR_SHARING_ETH_VDC 0x141a0004u
#define VDC_ATTR_SWITCHWIDE_MODE 0x301a000eu
#define VDC_ATTR_NAME_WIDTH 0x111a000fu
#define VDC_ATTR_ID 0x141a0010u
#define VDC_ATTR_NAME 0x301a0011u
#define VDC_ATTR_STATE 0x301a0012u
#define VDC_ATTR_MAC 0x301a0013u
#define VDC_ATTR_HA_POLICY 0x301a0014u
#define VDC_ATTR_DUAL_SUP_HA_POLICY 0x301a0015u
#define VDC_ATTR_BOOT_ORDER 0x111a0016u
#define VDC_ATTR_CPU_SHARE 0x111a0017u
#define VDC_ATTR_CPU_SHARE_PCT 0x111a0018u
#define VDC_ATTR_CREATE_TIME 0x401a0019u
#define VDC_ATTR_RELOAD_COUNT 0x141a001au
#define VDC_ATTR_UPTIME 0x301a001bu
#define VDC_ATTR_RESTART_COUNT 0x141a001cu
#define VDC_ATTR_RESTART_TIME 0x401a001du
#define VDC_ATTR_RESTART_REASON 0x301a001eu
#define VDC_ATTR_TYPE 0x301a001fu
#define VDC_ATTR_SUPPORTED_LC 0x301a0020u
#define VDC_ATTR_FEATURE_SET 0x301a0022u
#define VDC_ATTR_SHARED_IF_MARK 0x301a0023u
#define VDC_ATTR_IF_INDEX 0x0c1a0024u
#define VDC_ATTR_CUR_ID 0x141a0026u
#define VDC_ATTR_CUR_NAME 0x301a0027u
#define VDC_ATTR_SWITCH_TARGET 0x141a003du
#define VDC_ATTR_ERR_NO_VDC 0x141a003eu
#define VDC_ATTR_ERR_NOT_AUTHORIZED 0x141a003fu
#define VDC_ATTR_SKIP_FIRST_SETUP 0x141a0040u
#define VDC_ATTR_NAME_KEY 0x381a8001u
#define VDC_ATTR_SCRIPT_MODE 0x80000007u

/* End of a response walk. */
#define VDC_ATTR_WALK_END 0xffffffffu

/* Value of VDC_ATTR_NAME_KEY: a VDC id, then the name, NUL-terminated, zero-filled. */
#define VDC_NAME_KEY_LEN 68u
#define VDC_NAME_KEY_NAME_LEN 64u
#define VDC_ID_UNASSIGNED 0xffffffffu

/* ---- Enumerations ---------------------------------------------------------------------- */

typedef uint32_t vdc_state_t;
enum {
  VDC_STATE_VALUE_NOT_SET = 0,
  VDC_ACTIVE = 1,
  VDC_SUSPENDED = 2,
  VDC_NONCONFIGURED = 3,
  VDC_CONFIGURED = 4,
  VDC_CREATE_IN_PROGRESS = 5,
  VDC_DELETE_IN_PROGRESS = 6,
  VDC_FAILED = 7,
  VDC_CREATE_PENDING = 8,
  VDC_UPDATE = 9,
  VDC_RESTART_IN_PROGRESS = 10,
  VDC_SUSPEND_IN_PROGRESS = 11,
  VDC_RESUME_IN_PROGRESS = 12,
  VDC_BRINGDOWN_IN_PROGRESS = 13
};

typedef uint32_t vdc_type_t;
enum { VDC_TYPE_DEFAULT = 0, VDC_TYPE_ETH = 1, VDC_TYPE_FC = 2, VDC_TYPE_DCE = 3 };

typedef uint32_t vdc_show_type_t;
enum { VDC_SHOW_DETAIL = 0, VDC_SHOW_MEMBERHSIP = 1 };

typedef uint32_t vdc_res_req_type_t;
enum { VDC_RES_RESERVE = 1, VDC_RES_COMMIT = 2, VDC_RES_RELEASE = 3 };

typedef uint32_t vdc_port_memb_status_t;
enum { VDC_PORT_MEMB_VALID = 0, VDC_PORT_MEMB_INVALID = 1, VDC_PORT_MEMB_SHARED = 2 };

typedef uint32_t vdc_event_type_enums_t;
enum { VDC_SEQ_CONFIG = 0, VDC_SEQ_PORT_CONFIG = 1, HANDSHAKE_START = 2, HANDSHAKE_FAIL = 3 };

typedef uint32_t vdc_fs_action_t;
enum { VDC_FS_ALLOW = 0, VDC_FS_DISALLOW = 1 };

/* One row of an enumeration's name table; a row with an empty name ends the table. */
typedef struct vdc_enum_str_entry {
  uint32_t value;
  const char *name;
} vdc_enum_str_entry;

ZMS_API const char *__vdc_state_t_find(int32_t value);
ZMS_API vdc_state_t __vdc_state_t_str2enum(const char *name);
ZMS_API const char *__vdc_type_t_find(int32_t value);
ZMS_API vdc_type_t __vdc_type_t_str2enum(const char *name);
ZMS_API const char *__vdc_show_type_t_find(int32_t value);
ZMS_API vdc_show_type_t __vdc_show_type_t_str2enum(const char *name);
ZMS_API const char *__vdc_res_req_type_t_find(int32_t value);
ZMS_API vdc_res_req_type_t __vdc_res_req_type_t_str2enum(const char *name);
ZMS_API const char *__vdc_port_memb_status_t_find(int32_t value);
ZMS_API vdc_port_memb_status_t __vdc_port_memb_status_t_str2enum(const char *name);
ZMS_API const char *__vdc_event_type_enums_t_find(int32_t value);
ZMS_API vdc_event_type_enums_t __vdc_event_type_enums_t_str2enum(const char *name);
ZMS_API const char *__vdc_fs_action_t_find(int32_t value);
ZMS_API vdc_fs_action_t __vdc_fs_action_t_str2enum(const char *name);

/* ---- Records ----------------------------------------------------------------------------- */

/* A feature-set record of the state database's feature-set list. */
typedef struct vdc_fs_rec_t {
  uint32_t id;
  char name[32];
} vdc_fs_rec_t;

#define VDC_FS_KEY_TYPE 22u
#define VDC_FS_KEY_LEN 5u

/* Event-history record: packed, host byte order; read at these offsets. */
#define VDC_EVENT_SEQ_CONFIG 0x01b30000u
#define VDC_EVENT_SEQ_PORT_CONFIG 0x01b30001u
#define VDC_EVENT_OFF_VDC_ID 0u        /* uint16_t */
#define VDC_EVENT_OFF_VDC_NAME 2u      /* char[64] */
#define VDC_EVENT_OFF_VDC_STATE 66u    /* uint32_t, unaligned */
#define VDC_EVENT_OFF_DESC 70u         /* char[100] */
#define VDC_EVENT_OFF_DEST_VDC_ID 170u /* uint16_t */
#define VDC_EVENT_OFF_NUM_PORTS 172u   /* int32_t */
#define VDC_EVENT_OFF_SOURCE_VDCS 176u /* uint32_t per VDC */
#define VDC_EVENT_NAME_LEN 64u
#define VDC_EVENT_DESC_LEN 100u

/* ---- Record layouts ---------------------------------------------------------------------- */

/* The layouts the library promises: on the 32-bit target and on a 64-bit host alike. */
#ifdef __cplusplus
#define ZMS_LAYOUT(condition) static_assert(condition, #condition)
#else
#define ZMS_LAYOUT(condition) _Static_assert(condition, #condition)
#endif

ZMS_LAYOUT(sizeof(vdc_fs_rec_t) == 36 && offsetof(vdc_fs_rec_t, name) == 4);
#if UINTPTR_MAX == 0xffffffffu
ZMS_LAYOUT(sizeof(cmd_enum_entry) == 12 && offsetof(cmd_enum_entry, value) == 4 &&
           offsetof(cmd_enum_entry, help) == 8);
ZMS_LAYOUT(sizeof(cmd_match_result) == 28 && offsetof(cmd_match_result, value) == 8 &&
           offsetof(cmd_match_result, text) == 12 && offsetof(cmd_match_result, message) == 16 &&
           offsetof(cmd_match_result, count) == 20 && offsetof(cmd_match_result, second_len) == 24);
ZMS_LAYOUT(sizeof(vdc_enum_str_entry) == 8 && offsetof(vdc_enum_str_entry, name) == 4);
#elif UINTPTR_MAX == 0xffffffffffffffffu
ZMS_LAYOUT(sizeof(cmd_enum_entry) == 24 && offsetof(cmd_enum_entry, value) == 8 &&
           offsetof(cmd_enum_entry, help) == 16);
ZMS_LAYOUT(sizeof(cmd_match_result) == 40 && offsetof(cmd_match_result, value) == 8 &&
           offsetof(cmd_match_result, text) == 16 && offsetof(cmd_match_result, message) == 24 &&
           offsetof(cmd_match_result, count) == 32 && offsetof(cmd_match_result, second_len) == 36);
ZMS_LAYOUT(sizeof(vdc_enum_str_entry) == 16 && offsetof(vdc_enum_str_entry, name) == 8);
#else
#error "zudoru_mgr_show.h: only ILP32 and LP64 layouts are defined"
#endif
#undef ZMS_LAYOUT

/* ---- Show handlers ----------------------------------------------------------------------- */

ZMS_API int32_t show_vdc(cmd_handle handle);
ZMS_API int32_t show_vdc_detail(cmd_handle handle);
ZMS_API int32_t show_vdc_detail2(cmd_handle handle);
ZMS_API int32_t show_vdc_membership(cmd_handle handle);
ZMS_API int32_t show_vdc_membership_status(cmd_handle handle);
ZMS_API int32_t show_vdc_fs(cmd_handle handle);
ZMS_API int32_t show_vdc_mac(cmd_handle handle);
ZMS_API int32_t show_vdc_dirtybit(cmd_handle handle);
ZMS_API int32_t show_vdc_mode(cmd_handle handle);
ZMS_API int32_t show_vdc_internal(cmd_handle handle);
ZMS_API int32_t show_fcoe(cmd_handle handle);

/* ---- Parser callbacks -------------------------------------------------------------------- */

ZMS_API cmd_enum_entry *vdc_mgr_vdcName_table_get(cmd_handle handle, uint32_t selector);
ZMS_API int32_t vdc_mgr_show_e_name_help(cmd_handle handle, const char *word);
ZMS_API cmd_match_result *vdc_mgr_show_e_name_match(cmd_handle handle, const char *word,
                                                    int32_t mode);
ZMS_API int32_t vdc_mgr_show_no_def_name_help(cmd_handle handle, const char *word);
ZMS_API cmd_match_result *vdc_mgr_show_no_def_name_match(cmd_handle handle, const char *word,
                                                         int32_t mode);
ZMS_API int32_t vdc_mgr_show_new_name_help(cmd_handle handle, const char *word);
ZMS_API cmd_match_result *vdc_mgr_show_new_name_match(cmd_handle handle, const char *word,
                                                      int32_t mode);
ZMS_API int32_t vdc_mgr_id_rewrite(cmd_handle handle);
ZMS_API cmd_match_result *vdc_mgr_show_allowed_fs_match(cmd_handle handle, const char *word);
ZMS_API cmd_match_result *vdc_mgr_show_installed_fs_match(cmd_handle handle, const char *word);
ZMS_API int32_t vdc_mgr_show_allowed_fs_help(cmd_handle handle, const char *word);
ZMS_API int32_t vdc_mgr_show_installed_fs_help(cmd_handle handle, const char *word);

/* ---- Exported data ----------------------------------------------------------------------- */

ZMS_API extern cmd_enum_entry blanktable[2];
ZMS_API extern cmd_enum_entry niltable[2];
ZMS_API extern cmd_enum_entry helptable[2];
ZMS_API extern cmd_enum_entry card_table[10];
ZMS_API extern const char *known_keywords[4];
ZMS_API extern const char *fs_help;
ZMS_API extern void *fs_sdb;
ZMS_API extern uint32_t cmd_init;
ZMS_API extern uint32_t cli_table;

/* ---- Switching, launching, event history ------------------------------------------------ */

ZMS_API int32_t vdc_mgr_set_cli_mode(cmd_handle handle);
ZMS_API int execute_program_new_session_and_wait(const char *path, ...);
ZMS_API void vdc_mgr_history_cli(const void *record, uintptr_t arg2, uint32_t code,
                                 const uint32_t *pair, uintptr_t arg5);

#ifdef __cplusplus
}
#endif

#endif /* ZUDORU_MGR_SHOW_H */
