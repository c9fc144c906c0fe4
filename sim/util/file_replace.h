// util/: small pieces the shell and the switch side share.
// Replacing a file whole: the new text goes to a temporary file beside it, which is then
// renamed into place, so a reader sees the old text or the new one and a failure leaves
// the old file as it was and nothing beside it.
#ifndef VDCSIM_FILE_REPLACE_H
#define VDCSIM_FILE_REPLACE_H

#include <string>

#include <sys/types.h>

namespace vdcsim {

struct replace_outcome {
  bool replaced = false;
  std::string place;        // what a fault concerns: "FILE", or "in DIR" when no file could be made
  std::string reason;       // why it was not replaced
  nlink_t other_links = 0;  // names the old file had besides `path`; they keep its text
};

// Writes all of `text` to `fd`, through interrupted and short writes; false with errno set
// when it cannot (ENOSPC for a write that makes no progress).
bool write_all(int fd, const std::string &text);

// "DIR" of "DIR/NAME"; "." for a bare name.
std::string directory_of(const std::string &path);

// Replaces `path` with `text`. A regular file already there keeps its mode (and, where
// allowed, its owner); a new file gets `mode`. Anything else there (a link, a device) is
// refused, never followed.
replace_outcome replace_file_as(const std::string &path, const std::string &text, mode_t mode);

}  // namespace vdcsim

#endif  // VDCSIM_FILE_REPLACE_H
