// The pattern of an `include`, `exclude` or `begin` filter: a POSIX extended regular
// expression without back-references, which matches in time linear in the line and
// within a fixed amount of memory, whatever the pattern and the line.
#ifndef VDCSIM_LINE_PATTERN_H
#define VDCSIM_LINE_PATTERN_H

#include <memory>
#include <string>
#include <string_view>

namespace re2 {
class RE2;
}

namespace vdcsim {

constexpr size_t max_pattern_length = 1024;

class line_pattern {
 public:
  line_pattern();
  ~line_pattern();
  line_pattern(const line_pattern &) = delete;
  line_pattern &operator=(const line_pattern &) = delete;

  // False for a pattern refused, with why and the offset in `text` of the fault.
  bool compile(const std::string &text, std::string &why, size_t &fault_at);
  // Whether the pattern matches anywhere in `line`.
  bool matches(std::string_view line) const;

 private:
  std::unique_ptr<re2::RE2> compiled_;
};

}  // namespace vdcsim

#endif  // VDCSIM_LINE_PATTERN_H
