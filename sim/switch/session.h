// switch/: the bridge to the library: binding, the manager's answers, nested programs.
// One operator's shell: the bound library, the chassis model, the VDC manager stand-in
// and how the shell was started.
#ifndef VDCSIM_SESSION_H
#define VDCSIM_SESSION_H

#include <string>

#include "chassis/chassis.h"
#include "switch/library.h"
#include "switch/manager.h"

namespace vdcsim {

struct session {
  session(const library &bound, chassis loaded, uint32_t vdc)
      : lib(bound), start(loaded), model(std::move(loaded)), mgr(model, lib, vdc) {}
  session(const session &) = delete;
  session &operator=(const session &) = delete;

  library lib;
  chassis start;  // the model as the first shell loaded it; nested shells read it from a file
  chassis model;
  manager mgr;
  std::string state_file;   // the model as nested programs read and write it
  std::string state_error;  // why there is no state file
  std::string state_text;   // the state file as this shell last read or wrote it
  int64_t state_clock = 0;  // the clock that state_text holds
  int failures = 0;         // commands unknown or refused
  long script_line = 0;     // the last line read from standard input, by nested shells too
  bool done = false;
  bool start_saved = false;  // `start` is in the file beside the state file

  // "switch# " in the default VDC, "switch-prod# " in VDC prod.
  std::string prompt() const;
};

}  // namespace vdcsim

#endif  // VDCSIM_SESSION_H
