// Every attribute identifier of the public header, by name and value, for the programs that
// name them: the response-file reader and the fuzzers. Each list calls X(name, value) once
// per identifier, in the header's order; a static_assert below holds each value to the
// header's, and the attribute_ids test checks that the lists name every identifier the header
// defines. VDC_ATTR_WALK_END ends a walk and names no attribute, so no list holds it.
#ifndef ZMS_ATTRIBUTE_IDS_H
#define ZMS_ATTRIBUTE_IDS_H

#include "zudoru_mgr_show.h"

// The request attribute that selects what a show command displays.
#define ZMS_REQUEST_SELECTORS(X) X(VDC_REQ_SHOW_SELECT, 0xffffff9cu)

// The attributes of requests and responses.
#define ZMS_ATTRIBUTES(X)                     \
  X(VDC_ATTR_STORAGE_VDC, 0x141a0002u)        \
  X(VDC_ATTR_RESERVED_VLANS, 0x131a0003u)     \
  X(VDC_ATTR_SHARING_ETH_VDC, 0x141a0004u)    \
  X(VDC_ATTR_SWITCHWIDE_MODE, 0x301a000eu)    \
  X(VDC_ATTR_NAME_WIDTH, 0x111a000fu)         \
  X(VDC_ATTR_ID, 0x141a0010u)                 \
  X(VDC_ATTR_NAME, 0x301a0011u)               \
  X(VDC_ATTR_STATE, 0x301a0012u)              \
  X(VDC_ATTR_MAC, 0x301a0013u)                \
  X(VDC_ATTR_HA_POLICY, 0x301a0014u)          \
  X(VDC_ATTR_DUAL_SUP_HA_POLICY, 0x301a0015u) \
  X(VDC_ATTR_BOOT_ORDER, 0x111a0016u)         \
  X(VDC_ATTR_CPU_SHARE, 0x111a0017u)          \
  X(VDC_ATTR_CPU_SHARE_PCT, 0x111a0018u)      \
  X(VDC_ATTR_CREATE_TIME, 0x401a0019u)        \
  X(VDC_ATTR_RELOAD_COUNT, 0x141a001au)       \
  X(VDC_ATTR_UPTIME, 0x301a001bu)             \
  X(VDC_ATTR_RESTART_COUNT, 0x141a001cu)      \
  X(VDC_ATTR_RESTART_TIME, 0x401a001du)       \
  X(VDC_ATTR_RESTART_REASON, 0x301a001eu)     \
  X(VDC_ATTR_TYPE, 0x301a001fu)               \
  X(VDC_ATTR_SUPPORTED_LC, 0x301a0020u)       \
  X(VDC_ATTR_FEATURE_SET, 0x301a0022u)        \
  X(VDC_ATTR_SHARED_IF_MARK, 0x301a0023u)     \
  X(VDC_ATTR_IF_INDEX, 0x0c1a0024u)           \
  X(VDC_ATTR_CUR_ID, 0x141a0026u)             \
  X(VDC_ATTR_CUR_NAME, 0x301a0027u)           \
  X(VDC_ATTR_SWITCH_TARGET, 0x141a003du)      \
  X(VDC_ATTR_ERR_NO_VDC, 0x141a003eu)         \
  X(VDC_ATTR_ERR_NOT_AUTHORIZED, 0x141a003fu) \
  X(VDC_ATTR_SKIP_FIRST_SETUP, 0x141a0040u)   \
  X(VDC_ATTR_NAME_KEY, 0x381a8001u)           \
  X(VDC_ATTR_SCRIPT_MODE, 0x80000007u)

// Every identifier of the header's attribute section.
#define ZMS_ATTRIBUTE_IDS(X) \
  ZMS_REQUEST_SELECTORS(X)   \
  ZMS_ATTRIBUTES(X)

#define ZMS_SAME_VALUE(name, value) static_assert(name == value, #name " changed value");
ZMS_ATTRIBUTE_IDS(ZMS_SAME_VALUE)
#undef ZMS_SAME_VALUE

#endif  // ZMS_ATTRIBUTE_IDS_H
