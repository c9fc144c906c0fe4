// Files read within a bound.
#ifndef VDCSIM_UTIL_FILES_H
#define VDCSIM_UTIL_FILES_H

#include <cstddef>
#include <string>

namespace vdcsim {

// Chassis files larger than this are refused before they are read.
constexpr size_t max_chassis_bytes = 4u << 20;

// Reads a regular file of at most `limit` bytes; `follow` false refuses a link.
// The messages name a chassis file, the kind of file every caller reads.
bool read_bounded(const std::string &path, size_t limit, bool follow, std::string &text,
                  std::string &error);

}  // namespace vdcsim

#endif  // VDCSIM_UTIL_FILES_H
