// A show command's output on its way to the operator: when it is filtered or paged,
// the command prints into an anonymous file, which is then read back a line at a time,
// through the filters and the pager. Otherwise it prints straight to standard output,
// byte for byte as the library wrote it.
#ifndef VDCSIM_SHOWN_OUTPUT_H
#define VDCSIM_SHOWN_OUTPUT_H

#include <functional>

#include "shell/filters.h"

namespace vdcsim {

// Runs `command`; its result. `filterable`: whether its output may be held back at all.
bool run_shown(const std::function<bool()> &command, output_filters &filters, bool filterable);

}  // namespace vdcsim

#endif  // VDCSIM_SHOWN_OUTPUT_H
