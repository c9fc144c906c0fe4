// The files of a session: its private directory (made with mkdtemp, readable by its
// owner only) that holds the lab of a session without --lab, and files written whole: to
// a temporary file in the same directory, renamed into place while the directory is
// locked, so a reader sees the old text or the new one.
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
// Replaces `path` with `text` at once, a file of this program's own.
bool replace_file(const std::string &path, const std::string &text, std::string &error);
// Replaces the operator's file `path` with `text` at once, made with `mode` (less the
// umask); a link at `path` is replaced, never followed. `reason` is why it could not be
// written.
bool replace_file_as(const std::string &path, const std::string &text, mode_t mode,
                     std::string &reason);
// Reads a regular file of at most `limit` bytes; `follow` false refuses a link.
// The messages name a chassis file, the kind of file every caller reads.
bool read_bounded(const std::string &path, size_t limit, bool follow, std::string &text,
                  std::string &error);

}  // namespace vdcsim

#endif  // VDCSIM_SESSION_FILES_H
