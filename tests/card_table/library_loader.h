// Loads the library as the shell does, reads card_table and unloads it again, so that
// every test sees the table filled from the capability list it set up.
#ifndef ZMS_LIBRARY_LOADER_H
#define ZMS_LIBRARY_LOADER_H

#include <set>
#include <string>
#include <vector>

#include "standin.h"

class loaded_library {
 public:
  loaded_library();
  ~loaded_library();  // frees the table's blocks, which only the process exit would end
  loaded_library(const loaded_library &) = delete;
  loaded_library &operator=(const loaded_library &) = delete;

  bool loaded() const { return table_ != nullptr; }
  const std::string &error() const { return error_; }
  // All 10 rows, each as name|value|help with NULL for a null pointer.
  std::vector<std::string> rows() const;
  std::set<void *> blocks() const;  // the name and help blocks of the rows
  static bool unloaded();           // no copy of the library is left in the process

 private:
  void *handle_ = nullptr;
  cmd_enum_entry *table_ = nullptr;
  std::string error_;
};

// The rows of capability entries lc0 to lc8, of types 1000 to 1008, each one allowed.
inline const std::vector<std::string> rows_of_lc0_to_lc8 = {
    "lc0|1000|Allow lc0 modules for this VDC", "lc1|1001|Allow lc1 modules for this VDC",
    "lc2|1002|Allow lc2 modules for this VDC", "lc3|1003|Allow lc3 modules for this VDC",
    "lc4|1004|Allow lc4 modules for this VDC", "lc5|1005|Allow lc5 modules for this VDC",
    "lc6|1006|Allow lc6 modules for this VDC", "lc7|1007|Allow lc7 modules for this VDC",
    "lc8|1008|Allow lc8 modules for this VDC"};

#endif  // ZMS_LIBRARY_LOADER_H
