// The VDC manager's seven enumerations: one name table each, and the exported lookups.
#include "enums/enum_lookup.h"

namespace {

// A row naming the constant by its own spelling.
#define ZMS_ROW(constant) \
  { constant, #constant }
#define ZMS_END \
  { 0, "" }

constexpr vdc_enum_str_entry state_names[] = {ZMS_ROW(VDC_STATE_VALUE_NOT_SET),
                                              ZMS_ROW(VDC_ACTIVE),
                                              ZMS_ROW(VDC_SUSPENDED),
                                              ZMS_ROW(VDC_NONCONFIGURED),
                                              ZMS_ROW(VDC_CONFIGURED),
                                              ZMS_ROW(VDC_CREATE_IN_PROGRESS),
                                              ZMS_ROW(VDC_DELETE_IN_PROGRESS),
                                              ZMS_ROW(VDC_FAILED),
                                              ZMS_ROW(VDC_CREATE_PENDING),
                                              ZMS_ROW(VDC_UPDATE),
                                              ZMS_ROW(VDC_RESTART_IN_PROGRESS),
                                              ZMS_ROW(VDC_SUSPEND_IN_PROGRESS),
                                              ZMS_ROW(VDC_RESUME_IN_PROGRESS),
                                              ZMS_ROW(VDC_BRINGDOWN_IN_PROGRESS),
                                              ZMS_END};

constexpr vdc_enum_str_entry type_names[] = {ZMS_ROW(VDC_TYPE_DEFAULT), ZMS_ROW(VDC_TYPE_ETH),
                                             ZMS_ROW(VDC_TYPE_FC), ZMS_ROW(VDC_TYPE_DCE), ZMS_END};

constexpr vdc_enum_str_entry show_type_names[] = {ZMS_ROW(VDC_SHOW_DETAIL),
                                                  ZMS_ROW(VDC_SHOW_MEMBERHSIP), ZMS_END};

constexpr vdc_enum_str_entry res_req_type_names[] = {
    ZMS_ROW(VDC_RES_RESERVE), ZMS_ROW(VDC_RES_COMMIT), ZMS_ROW(VDC_RES_RELEASE), ZMS_END};

constexpr vdc_enum_str_entry port_memb_status_names[] = {ZMS_ROW(VDC_PORT_MEMB_VALID),
                                                         ZMS_ROW(VDC_PORT_MEMB_INVALID),
                                                         ZMS_ROW(VDC_PORT_MEMB_SHARED), ZMS_END};

constexpr vdc_enum_str_entry event_type_names[] = {
    ZMS_ROW(VDC_SEQ_CONFIG), ZMS_ROW(VDC_SEQ_PORT_CONFIG), ZMS_ROW(HANDSHAKE_START),
    ZMS_ROW(HANDSHAKE_FAIL), ZMS_END};

constexpr vdc_enum_str_entry fs_action_names[] = {ZMS_ROW(VDC_FS_ALLOW), ZMS_ROW(VDC_FS_DISALLOW),
                                                  ZMS_END};

#undef ZMS_ROW
#undef ZMS_END

}  // namespace

// The two exported lookups of enumeration `type` over its table.
#define ZMS_ENUM_LOOKUPS(type, table)                                                 \
  static_assert(zms::well_terminated(table), #table " must end with one empty name"); \
  extern "C" const char *__##type##_find(int32_t value) {                             \
    return zms::enum_name(table, value);                                              \
  }                                                                                   \
  extern "C" type __##type##_str2enum(const char *text) {                             \
    return zms::enum_value(table, text);                                              \
  }

ZMS_ENUM_LOOKUPS(vdc_state_t, state_names)
ZMS_ENUM_LOOKUPS(vdc_type_t, type_names)
ZMS_ENUM_LOOKUPS(vdc_show_type_t, show_type_names)
ZMS_ENUM_LOOKUPS(vdc_res_req_type_t, res_req_type_names)
ZMS_ENUM_LOOKUPS(vdc_port_memb_status_t, port_memb_status_names)
ZMS_ENUM_LOOKUPS(vdc_event_type_enums_t, event_type_names)
ZMS_ENUM_LOOKUPS(vdc_fs_action_t, fs_action_names)
