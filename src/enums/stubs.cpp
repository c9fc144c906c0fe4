// Placeholder until the enumeration tables land.
#include "zudoru_mgr_show.h"

extern "C" {
const char *__vdc_state_t_find(int32_t) { return nullptr; }
vdc_state_t __vdc_state_t_str2enum(const char *) { return 0; }
const char *__vdc_type_t_find(int32_t) { return nullptr; }
vdc_type_t __vdc_type_t_str2enum(const char *) { return 0; }
const char *__vdc_show_type_t_find(int32_t) { return nullptr; }
vdc_show_type_t __vdc_show_type_t_str2enum(const char *) { return 0; }
const char *__vdc_res_req_type_t_find(int32_t) { return nullptr; }
vdc_res_req_type_t __vdc_res_req_type_t_str2enum(const char *) { return 0; }
const char *__vdc_port_memb_status_t_find(int32_t) { return nullptr; }
vdc_port_memb_status_t __vdc_port_memb_status_t_str2enum(const char *) { return 0; }
const char *__vdc_event_type_enums_t_find(int32_t) { return nullptr; }
vdc_event_type_enums_t __vdc_event_type_enums_t_str2enum(const char *) { return 0; }
const char *__vdc_fs_action_t_find(int32_t) { return nullptr; }
vdc_fs_action_t __vdc_fs_action_t_str2enum(const char *) { return 0; }
}
