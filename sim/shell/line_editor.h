// Interactive input through GNU readline: history, TAB completion and '?' help,
// both answered through the command table and the library's callbacks.
#ifndef VDCSIM_LINE_EDITOR_H
#define VDCSIM_LINE_EDITOR_H

#include "switch/session.h"

namespace vdcsim {

void run_interactive(session &s);

}  // namespace vdcsim

#endif  // VDCSIM_LINE_EDITOR_H
