// The files a shell shares with the switch programs it starts: the state file (the
// model) and the count of failed commands a nested shell hands back. They live in a
// directory of the session's own, made with mkdtemp and readable by its owner only.
// A file is written whole: to a temporary file in the same directory, renamed into
// place while the directory is locked, so a reader sees the old model or the new one.
#ifndef VDCSIM_SESSION_FILES_H
#define VDCSIM_SESSION_FILES_H

#include <cstddef>
#include <string>

#include <sys/types.h>

namespace vdcsim {

// Chassis and state files larger than this are refused before they are read.
constexpr size_t max_chassis_bytes = 4u << 20;

// A new private directory under $TMPDIR (or /tmp); "" with `error` when it cannot be made.
std::string make_session_dir(std::string &error);
// Removes the directory and everything in it.
void remove_session_dir(const std::string &dir);
// "DIR/state.yaml"
std::string state_file_in(const std::string &dir);
// "DIR/start.yaml" beside "DIR/state.yaml": the chassis the session began with.
std::string start_file_beside(const std::string &state_file);

// Replaces `path` with `text` at once; a link at `path` is replaced, never followed.
bool replace_file(const std::string &path, const std::string &text, std::string &error);
// Reads a regular file of at most `limit` bytes; `follow` false refuses a link.
// The messages name a chassis file, the kind of file every caller reads.
bool read_bounded(const std::string &path, size_t limit, bool follow, std::string &text,
                  std::string &error);

}  // namespace vdcsim

#endif  // VDCSIM_SESSION_FILES_H
