/* The switch software's functions and data that the library is built against.
 * None of them is defined in the library: the loader resolves them in the shell process. */
#ifndef VDC_PLATFORM_H
#define VDC_PLATFORM_H

#include <stddef.h>
#include <stdint.h>

#include "zudoru_mgr_show.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef struct sdb_key {
  void *key;
  uint32_t len;
} sdb_key;

typedef struct sdb_data {
  void *data;
  uint32_t size;
} sdb_data;

typedef struct lc_capability {
  uint32_t type;
  const char *name;
  uint32_t reserved[2];
} lc_capability;

/* Command framework. */
uint32_t cmd_rsp_attr_getnext(cmd_handle handle, void **value, uint32_t *len);
int32_t cmd_rsp_attr_get(cmd_handle handle, uint32_t id, void **value, uint32_t *len);
int32_t cmd_req_attr_get(cmd_handle handle, uint32_t id, void **value, uint32_t *len);
int32_t cmd_req_action_is_set(cmd_handle handle);
int32_t cmd_req_script_mode_get(cmd_handle handle);
int32_t cmd_enum_help(cmd_handle handle, cmd_enum_entry *table, const char *word);
/* Statuses of the result of cmd_enum_match: CMD_ENUM_MATCH_VALUE is the row matched (the
 * same number as CMD_MATCH_VALUE); with CMD_ENUM_MATCH_AMBIGUOUS `count` rows begin with
 * the word. */
#define CMD_ENUM_MATCH_NONE 0
#define CMD_ENUM_MATCH_AMBIGUOUS 1
#define CMD_ENUM_MATCH_VALUE 2
cmd_match_result *cmd_enum_match(cmd_handle handle, cmd_enum_entry *table, const char *word,
                                 int32_t last);
int32_t cmd_attr_value_replace(uint32_t id, void *value, uint32_t len);
extern uint32_t cmd_q;
extern uint32_t g_cli_sup_state;
extern char vdc_sdb_uri_lib[]; /* at least 512 bytes */

/* VDC services. */
uint32_t cmd_vdc_get(void);
int32_t cmd_vdc_set(uint32_t vdc);
int32_t vdc_is_index_broken(uint32_t ifindex);
int32_t get_max_allowed_vdc(void);
int32_t is_ft_supported_by_vdc(int32_t one, uint32_t fs_id, int32_t zero_a, int32_t zero_b);

/* Interface manager client. */
int32_t im_ext_sbcr_init(int32_t client, uint32_t queue, const char *name);
int32_t im_if_get_move_status(uint32_t ifindex, uint32_t *status);
int32_t if_index_get_slot(uint32_t ifindex, uint8_t *slot);
int32_t snprintf_if_index(char *buf, int32_t size, uint32_t ifindex);
int32_t snprintf_if_index_short(char *buf, int32_t size, uint32_t ifindex);
const char *syserr2str(uint32_t code);

/* State database. */
uint32_t sdb_open(const char *uri, int32_t a, int32_t b, int32_t c, int32_t d);
sdb_data *sdb_read(const char *uri, sdb_key *key, uint32_t *status);

/* Shell user and terminal services, program runner, event history. */
char *vsh_get_username(void);
int32_t vsh_set_vdc_environment(void);
int32_t cli_save_terminal_settings(void);
int32_t cli_set_default_terminal_settings(void);
int32_t cli_restore_terminal_settings(void);
int32_t execute_program_and_wait(const char *path, ...);
int32_t sdwrap_hist_print_event_header(uintptr_t arg5, const char *type_name, uintptr_t arg2,
                                       uint32_t *pair);

/* Linecard capabilities: parallel arrays, at least 9 entries each. */
extern lc_capability lc_capability_list[];
extern uint32_t allowed_eth_cap[];
extern uint32_t allowed_fcoe_cap[];

/* Bounded string functions: they cut, never overflow, and always terminate. */
int32_t strncpy_s(char *dst, size_t dst_size, const char *src, size_t count);
int32_t __strcat_s_to_buf(size_t dst_size, char *dst, size_t dst_size_again, const char *src);
int32_t __memcpy_to_buf(size_t dst_size, void *dst, const void *src, size_t count);

#ifdef __cplusplus
}
#endif

#endif /* VDC_PLATFORM_H */
