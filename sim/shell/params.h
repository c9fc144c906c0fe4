// Command parameters: what `?` shows for them, what TAB offers and what a typed word
// stands for. Every kind but interface lists is answered by the library's help and
// match callbacks, or by the framework over the library's linecard table.
#ifndef VDCSIM_PARAMS_H
#define VDCSIM_PARAMS_H

#include <cstdint>
#include <string>
#include <vector>

#include "switch/session.h"

namespace vdcsim {

enum class param_kind {
  vdc,             // an existing VDC
  other_vdc,       // an existing VDC, for commands that never take the default one
  new_vdc,         // the name of a VDC to create
  installed_fs,    // an installed feature set
  allowed_fs,      // a feature set allowed in the current VDC
  module_type,     // a linecard type
  interface_list,  // interfaces separated by commas
  page_length,     // lines on a page of output, 0 for no pages
  file,            // a file name, as typed
};

struct param_value {
  bool ok = false;
  uint32_t number = 0;    // VDC id, feature-set id or linecard type value
  std::string text;       // the name as the VDC manager will know it
  std::string error;      // why the word was refused
  bool at_marker = true;  // the error points at the word
  std::vector<interface *> ports;
};

// Prints the help rows for the word typed so far.
void param_help(session &s, param_kind kind, const std::string &word);
// The words that TAB may put in place of `word`.
std::vector<std::string> param_completions(session &s, param_kind kind, const std::string &word);
param_value param_resolve(session &s, param_kind kind, const std::string &word);
// "<vdc>", "<new-vdc>", ...: how the command list names a parameter.
const char *param_placeholder(param_kind kind);

}  // namespace vdcsim

#endif  // VDCSIM_PARAMS_H
