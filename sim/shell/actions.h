// What each command does once its words are parsed and its parameters resolved.
#ifndef VDCSIM_ACTIONS_H
#define VDCSIM_ACTIONS_H

#include <span>

#include "shell/params.h"

namespace vdcsim {

bool show_summary(session &s, std::span<const param_value> args);
bool show_detail(session &s, std::span<const param_value> args);
bool show_membership(session &s, std::span<const param_value> args);
bool show_membership_status(session &s, std::span<const param_value> args);
bool show_feature_sets(session &s, std::span<const param_value> args);
bool show_current(session &s, std::span<const param_value> args);
bool show_macs(session &s, std::span<const param_value> args);
bool show_dirty_bits(session &s, std::span<const param_value> args);
bool show_internal(session &s, std::span<const param_value> args);
bool show_storage(session &s, std::span<const param_value> args);
bool show_event_history(session &s, std::span<const param_value> args);
bool show_running_config(session &s, std::span<const param_value> args);
bool copy_running_config(session &s, std::span<const param_value> args);

bool switch_vdc(session &s, std::span<const param_value> args);
bool create_vdc(session &s, std::span<const param_value> args);
bool delete_vdc(session &s, std::span<const param_value> args);
bool allocate_interfaces(session &s, std::span<const param_value> args);
bool allow_feature_set(session &s, std::span<const param_value> args);
bool disallow_feature_set(session &s, std::span<const param_value> args);
bool limit_module_types(session &s, std::span<const param_value> args);
bool set_terminal_length(session &s, std::span<const param_value> args);
bool list_commands(session &s, std::span<const param_value> args);
bool leave(session &s, std::span<const param_value> args);

// Prints "% " and the reason, and returns false.
bool refuse(const std::string &reason);

}  // namespace vdcsim

#endif  // VDCSIM_ACTIONS_H
