// --replay FILE: renders a captured response through the loaded library.
#ifndef VDCSIM_REPLAY_H
#define VDCSIM_REPLAY_H

#include <string>

#include "switch/library.h"

namespace vdcsim {

// Reads the response file at `path` and runs its display on it; the text goes to standard
// output. Returns 0, or 2 with a message on standard error when the file is malformed.
int replay_response(const library &lib, const std::string &path);

}  // namespace vdcsim

#endif  // VDCSIM_REPLAY_H
