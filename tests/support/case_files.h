// The case files of a folder.
#ifndef ZMS_TEST_CASE_FILES_H
#define ZMS_TEST_CASE_FILES_H

#include <string>
#include <vector>

namespace zms_test {

// The names of the files in `dir` that end in `suffix`, without it, sorted; none when the
// folder cannot be read.
std::vector<std::string> case_names(const std::string &dir, const std::string &suffix);

}  // namespace zms_test

#endif  // ZMS_TEST_CASE_FILES_H
