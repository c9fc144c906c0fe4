// Output filters: what may follow a show command after `|`. Each filter takes the lines
// the one before it let through:
//   include REGEX  the lines that match     exclude REGEX  the lines that do not
//   begin REGEX    from the first match on  count          the number of lines instead
//   no-more        the output does not stop at --More--
// A pattern is a POSIX extended regular expression without back-references (see
// line_pattern.h): the rest of the line up to the next `|` that stands alone as a word,
// so that a pattern may use `|` for alternatives. Only the first `|`, which ends the
// command, may touch the words around it.
#ifndef VDCSIM_FILTERS_H
#define VDCSIM_FILTERS_H

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "shell/words.h"

namespace vdcsim {

struct command_def;

// The first word that is a lone `|`, or words.size() when there is none.
size_t first_pipe(const std::vector<word> &words);
// Show commands, and the command list, may have their output filtered and paged.
bool takes_filters(const command_def &c);

class output_filters {
 public:
  using sink = std::function<bool(const std::string &)>;  // false: no more lines wanted

  output_filters();
  ~output_filters();
  output_filters(const output_filters &) = delete;
  output_filters &operator=(const output_filters &) = delete;

  // Reads the filters from words[pipe] on; a fault is marked under its word and false
  // returned. `filterable` says whether the command before the `|` takes filters.
  bool read(const std::string &line, const std::vector<word> &words, size_t pipe,
            size_t prompt_width, bool filterable);
  bool empty() const { return stages_.empty(); }
  bool paged() const { return paged_; }
  // `line` holds its newline, if it has one.
  bool pass(const std::string &line, const sink &out) { return pass_from(0, line, out); }
  // The end of the output: counts are given now.
  void finish(const sink &out) { finish_from(0, out); }

 private:
  struct stage;
  bool read_one(const std::string &line, const std::vector<word> &words, size_t first, size_t end,
                size_t prompt_width);
  bool pass_from(size_t index, const std::string &line, const sink &out);
  void finish_from(size_t index, const sink &out);

  std::vector<std::unique_ptr<stage>> stages_;
  bool paged_ = true;
};

// The help row for `|` itself, as `?` shows it after a show command.
void print_pipe_help();
// What `?` prints after a `|`; `words` are those before the cursor, which stands
// `prompt_width` columns from the left edge.
void print_filter_help(const std::vector<word> &words, const std::string &partial,
                       size_t prompt_width);
// What TAB offers after a `|`.
std::vector<std::string> filter_completions(const std::vector<word> &words,
                                            const std::string &partial);

}  // namespace vdcsim

#endif  // VDCSIM_FILTERS_H
