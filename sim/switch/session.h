// switch/: the bridge to the library: binding, the manager's answers, nested programs.
// One operator's shell: the bound library, the lab it works on with the model as the lab
// last held it, the VDC manager stand-in and how the shell was started.
#ifndef VDCSIM_SESSION_H
#define VDCSIM_SESSION_H

#include <functional>
#include <string>

#include "chassis/chassis.h"
#include "chassis/lab.h"
#include "switch/library.h"
#include "switch/manager.h"

namespace vdcsim {

struct session {
  explicit session(uint32_t vdc) : mgr(model, lib, vdc) {}
  session(const session &) = delete;
  session &operator=(const session &) = delete;

  library lib;
  chassis model;
  manager mgr;
  lab db;
  std::string lab_path;   // the lab nested programs open; "" when no other shell can
  std::string lab_error;  // why no other shell can
  int failures = 0;       // commands unknown or refused
  long script_line = 0;   // the last line read from standard input, by nested shells too
  bool done = false;

  // "switch# " in the default VDC, "switch-prod# " in VDC prod.
  std::string prompt() const;
  // Brings the model to the lab as it is now, as every command begins.
  void refresh();
  // Runs `edit` on the model as it is now as one change of the lab: "" or why not.
  std::string change(const std::function<std::string()> &edit);
  // One second passes per command.
  void tick();

 private:
  void note_changes();
  uint64_t seen_changes_ = 0;
};

}  // namespace vdcsim

#endif  // VDCSIM_SESSION_H
