// The files a shell shares with the switch programs it starts: the state file (the
// model) and the count of failed commands a nested shell hands back. They live in a
// directory of the session's own, made with mkdtemp and readable by its owner only.
// A file is written whole: to a temporary file in the same directory, renamed into
// place while the directory is locked, so a reader sees the old model or the new one.
#ifndef VDCSIM_SESSION_FILES_H
#define VDCSIM_SESSION_FILES_H

#include <cstddef>
#include <string>

#include "util/files.h"

namespace vdcsim {

// A new private directory under $TMPDIR (or /tmp); "" with `error` when it cannot be made.
std::string make_session_dir(std::string &error);
// Removes the directory and everything in it.
void remove_session_dir(const std::string &dir);
// "DIR/state.yaml"
std::string state_file_in(const std::string &dir);
// "DIR/start.yaml" beside "DIR/state.yaml": the chassis the session began with.
std::string start_file_beside(const std::string &state_file);

}  // namespace vdcsim

#endif  // VDCSIM_SESSION_FILES_H
