#include "case_files.h"

#include <dirent.h>

#include <algorithm>

namespace zms_test {

std::vector<std::string> case_names(const std::string &dir, const std::string &suffix) {
  std::vector<std::string> names;
  DIR *folder = opendir(dir.c_str());
  if (folder == nullptr) return names;
  while (dirent *entry = readdir(folder)) {
    std::string name = entry->d_name;
    if (name.size() > suffix.size() && name.ends_with(suffix))
      names.push_back(name.substr(0, name.size() - suffix.size()));
  }
  closedir(folder);
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace zms_test
