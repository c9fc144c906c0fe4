#include "shell/actions.h"
#include "shell/grammar.h"

namespace vdcsim {
namespace {

element kw(const char *keyword, const char *help) {
  return element{keyword, help, {}, false};
}
element param(param_kind kind, const char *help) {
  return element{nullptr, help, kind, false};
}
element params(param_kind kind, const char *help) {
  return element{nullptr, help, kind, true};
}

const element show = kw("show", "Show information about the switch");
const element vdc_word = kw("vdc", "Virtual device contexts");

command_def show_vdc(const char *keyword, const char *help, handler run, const char *summary) {
  return command_def{{show, vdc_word, kw(keyword, help)}, run, false, summary};
}

}  // namespace

const std::vector<command_def> &command_table() {
  static const std::vector<command_def> table = {
      {{show, vdc_word}, show_summary, false, "Summary table of the VDCs"},
      show_vdc("detail", "Every attribute of each VDC", show_detail, "Detail listing of the VDCs"),
      show_vdc("membership", "Interfaces of each VDC", show_membership,
               "Interfaces of each VDC, by slot"),
      {{show, vdc_word, kw("membership", "Interfaces of each VDC"),
        kw("status", "Move status of each port")},
       show_membership_status,
       false,
       "Move status of each port"},
      show_vdc("feature-set", "Feature sets allowed in each VDC", show_feature_sets,
               "Feature sets allowed in each VDC"),
      show_vdc("current-vdc", "The VDC this shell works in", show_current,
               "The VDC this shell works in"),
      show_vdc("mac", "MAC address of each VDC", show_macs, "MAC address of each VDC"),
      show_vdc("dirty-bit", "Dirty, active and pending VDCs", show_dirty_bits,
               "Dirty, active and pending VDCs"),
      show_vdc("internal", "The VDC manager's own state", show_internal,
               "The VDC manager's own state"),
      show_vdc("storage", "The storage VDC and its reserved VLANs", show_storage,
               "The storage VDC and its reserved VLANs"),
      show_vdc("event-history", "The VDC manager's event history", show_event_history,
               "The VDC manager's event history"),
      {{show, kw("running-config", "What changed since the chassis was loaded")},
       show_running_config,
       false,
       "The changes since the chassis was loaded, as commands"},
      {{kw("copy", "Copy a configuration"), kw("running-config", "The switch as it runs now"),
        param(param_kind::file, "")},
       copy_running_config,
       false,
       "Write the switch as it runs now as a chassis file"},
      {{kw("switchto", "Move this shell into another VDC"), vdc_word, param(param_kind::vdc, "")},
       switch_vdc,
       false,
       "Move this shell into a VDC; 'exit' comes back"},
      {{kw("vdc", "Create a VDC"), param(param_kind::new_vdc, "")},
       create_vdc,
       true,
       "Create a VDC"},
      {{kw("no", "Undo a setting"), kw("vdc", "Delete a VDC"), param(param_kind::other_vdc, "")},
       delete_vdc,
       true,
       "Delete a VDC"},
      {{kw("allocate", "Give resources to a VDC"), kw("interface", "Interfaces to move"),
        param(param_kind::interface_list, ""), kw("vdc", "The VDC that gets them"),
        param(param_kind::vdc, "")},
       allocate_interfaces,
       true,
       "Move interfaces into a VDC"},
      {{kw("allow", "Allow a feature set in this VDC"), kw("feature-set", "A feature set"),
        param(param_kind::installed_fs, "")},
       allow_feature_set,
       false,
       "Allow an installed feature set in this VDC"},
      {{kw("no", "Undo a setting"), kw("allow", "Disallow a feature set in this VDC"),
        kw("feature-set", "A feature set"), param(param_kind::allowed_fs, "")},
       disallow_feature_set,
       false,
       "Disallow a feature set in this VDC"},
      {{kw("limit-resource", "Limit the resources of this VDC"),
        kw("module-type", "The linecard types this VDC accepts"),
        params(param_kind::module_type, "")},
       limit_module_types,
       false,
       "Set the linecard types this VDC accepts"},
      {{kw("terminal", "Set how this terminal shows output"),
        kw("length", "Lines on a page of output"), param(param_kind::page_length, "")},
       set_terminal_length,
       false,
       "Lines on a page of output; 0 never stops"},
      {{kw("help", "List the commands")}, list_commands, false, "List the commands"},
      {{kw("exit", "Leave this shell")}, leave, false, "Leave this shell"},
  };
  return table;
}

const element *element_at(const command_def &c, size_t index) {
  if (index < c.elements.size()) return &c.elements[index];
  if (!c.elements.empty() && c.elements.back().repeats) return &c.elements.back();
  return nullptr;
}

}  // namespace vdcsim
