// Helpers shared by the show display tests.
#ifndef ZMS_SHOW_HELPERS_H
#define ZMS_SHOW_HELPERS_H

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "capture.h"

namespace show_test {

inline std::vector<standin::attribute> concat(std::vector<standin::attribute> a,
                                              const std::vector<standin::attribute> &b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

inline std::string pad(const std::string &s, size_t width) {
  return s.size() >= width ? s : s + std::string(width - s.size(), ' ');
}

// A table row's label as a test name.
template <typename Row>
std::string row_name(const testing::TestParamInfo<Row> &info) {
  return info.param.label;
}

}  // namespace show_test

#endif  // ZMS_SHOW_HELPERS_H
