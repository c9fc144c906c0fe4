#include "shell/line_pattern.h"

#include <re2/re2.h>

namespace vdcsim {
namespace {

// Enough for any pattern within the length bound but a few that repeat repetitions.
constexpr int64_t memory_budget = int64_t{2} << 20;

re2::RE2::Options posix_options() {
  re2::RE2::Options options;
  options.set_posix_syntax(true);
  options.set_longest_match(true);
  options.set_never_capture(true);
  options.set_encoding(re2::RE2::Options::EncodingLatin1);  // bytes, as the display prints them
  options.set_max_mem(memory_budget);
  options.set_log_errors(false);
  return options;
}

// Where in `text` the fault lies: at the fragment the parser names, else at the end.
size_t fault_offset(const std::string &text, const re2::RE2 &refused) {
  const std::string &fragment = refused.error_arg();
  size_t at = fragment.empty() ? std::string::npos : text.find(fragment);
  return at == std::string::npos ? text.size() : at;
}

std::string reason(const re2::RE2 &refused) {
  switch (refused.error_code()) {
    case re2::RE2::ErrorBadEscape:
      if (refused.error_arg().size() == 2 && refused.error_arg()[1] >= '1' &&
          refused.error_arg()[1] <= '9')
        return "back-references are not supported: " + refused.error_arg();
      return refused.error();
    case re2::RE2::ErrorBadUTF8:  // a pattern of bytes ends in the middle of a range
      return "unexpected end of the pattern";
    case re2::RE2::ErrorPatternTooLarge:
      return "the pattern needs more than " + std::to_string(memory_budget >> 20) + " MiB";
    default:
      return refused.error();
  }
}

}  // namespace

line_pattern::line_pattern() = default;
line_pattern::~line_pattern() = default;

bool line_pattern::compile(const std::string &text, std::string &why, size_t &fault_at) {
  if (text.size() > max_pattern_length) {
    why = "longer than " + std::to_string(max_pattern_length) + " characters";
    fault_at = max_pattern_length;
    return false;
  }
  compiled_ = std::make_unique<re2::RE2>(text, posix_options());
  if (compiled_->ok()) return true;
  why = reason(*compiled_);
  fault_at = fault_offset(text, *compiled_);
  compiled_.reset();
  return false;
}

bool line_pattern::matches(std::string_view line) const {
  return re2::RE2::PartialMatch(line, *compiled_);
}

}  // namespace vdcsim
