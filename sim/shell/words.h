// The words of a command line and the one style in which the shell marks a word at fault
// and lists what may follow: for commands, filters and parameters alike.
#ifndef VDCSIM_WORDS_H
#define VDCSIM_WORDS_H

#include <cstddef>
#include <string>
#include <vector>

namespace vdcsim {

struct word {
  std::string text;
  size_t offset = 0;  // in the line
};

std::vector<word> split_words(const std::string &line);

// Faults and help rows in the shell's one style. mark_word puts a caret under `w` (its
// line standing `prompt_width` columns from the edge), then "% WHAT at '^' marker.", and
// returns false.
bool mark_word(const word &w, size_t prompt_width, const std::string &what);
// One row of what `?` lists: the word, then what it stands for.
void help_row(const char *name, const char *help);
// Whether `word` begins `keyword`, in any case.
bool prefix_of(const char *keyword, const std::string &word);

}  // namespace vdcsim

#endif  // VDCSIM_WORDS_H
