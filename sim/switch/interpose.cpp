// The library starts the nested shell and the first-setup program with system() by
// their fixed paths. vdcsim exports its own system(), which the library binds to
// before the C library's, and runs vdcsim's own programs in their place.
#include <dlfcn.h>

#include <cstdio>
#include <string>

#include "switch/programs.h"

extern "C" int system(const char *command) {
  using system_fn = int (*)(const char *);
  static system_fn real = reinterpret_cast<system_fn>(dlsym(RTLD_NEXT, "system"));
  if (real == nullptr) return -1;
  fflush(nullptr);
  if (command == nullptr) return real(nullptr);
  std::string mapped = vdcsim::map_command(command);
  // The shell that system() starts becomes vdcsim: no shell waits in between to be
  // ended by the operator's Ctrl-C.
  if (mapped != command) mapped = "exec " + mapped;
  return real(mapped.c_str());
}
