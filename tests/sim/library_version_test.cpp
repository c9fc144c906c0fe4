// The library's version comes from the name of the file its path leads to, and is
// "unknown" when that name holds none or there is no such file.
#include <gtest/gtest.h>

#include "switch/library.h"

namespace {

TEST(library_version, is_read_from_the_name_of_the_file) {
  const std::string built = VDCSIM_LIBRARY, unversioned = VDCSIM_INCOMPLETE_LIBRARY;
  const std::pair<std::string, std::string> rows[] = {
      {built, "1.1.0 (" + built + ")"},
      {unversioned, "unknown (" + unversioned + ")"},
      {"/nonexistent/libzudoru_mgr_show.so.1.0.0",
       "unknown (/nonexistent/libzudoru_mgr_show.so.1.0.0)"},
  };
  for (auto &[path, expected] : rows)
    EXPECT_EQ(vdcsim::library_version(path), expected) << path;
}

}  // namespace
