// Files written whole and files read within a bound: a file is written to a temporary file
// in the same directory and renamed into place while the directory is locked, so a reader
// sees the old text or the new one.
#ifndef VDCSIM_UTIL_FILES_H
#define VDCSIM_UTIL_FILES_H

#include <sys/types.h>

#include <cstddef>
#include <string>

namespace vdcsim {

// Chassis and state files larger than this are refused before they are read.
constexpr size_t max_chassis_bytes = 4u << 20;

// "DIR" of "DIR/NAME"; "." for a bare name.
std::string directory_of(const std::string &path);

// Replaces `path` with `text` at once; a link at `path` is replaced, never followed.
bool replace_file(const std::string &path, const std::string &text, std::string &error);
// The same for a file of the operator's: made with `mode` (less the umask); `reason`
// is why it could not be written.
bool replace_file_as(const std::string &path, const std::string &text, mode_t mode,
                     std::string &reason);
// Reads a regular file of at most `limit` bytes; `follow` false refuses a link.
// The messages name a chassis file, the kind of file every caller reads.
bool read_bounded(const std::string &path, size_t limit, bool follow, std::string &text,
                  std::string &error);

}  // namespace vdcsim

#endif  // VDCSIM_UTIL_FILES_H
