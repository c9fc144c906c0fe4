// A session's private directory, made with mkdtemp and readable by its owner only: it
// holds the lab of a session without --lab.
#ifndef VDCSIM_SESSION_FILES_H
#define VDCSIM_SESSION_FILES_H

#include <string>

namespace vdcsim {

// A new private directory under $TMPDIR (or /tmp); "" with `error` when it cannot be made.
std::string make_session_dir(std::string &error);
// Removes the directory and everything in it.
void remove_session_dir(const std::string &dir);

}  // namespace vdcsim

#endif  // VDCSIM_SESSION_FILES_H
