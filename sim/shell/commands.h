// The command table and its parser: keywords may be cut to any unique prefix, each
// parameter is checked by the library's match callbacks, and every fault is reported
// in one style: a caret under the word at fault, then "% ... at '^' marker.", or a
// line starting with "% " for a refusal.
#ifndef VDCSIM_COMMANDS_H
#define VDCSIM_COMMANDS_H

#include <string>
#include <vector>

#include "switch/session.h"

namespace vdcsim {

struct word {
  std::string text;
  size_t offset = 0;  // in the line
};

std::vector<word> split_words(const std::string &line);

// Runs one line; returns false when it was unknown, incomplete or refused (and says why).
// `prompt_width` is how far the line stands from the left edge, for the caret.
bool run_line(session &s, const std::string &line, size_t prompt_width);

// What `?` prints after `line` (the text before the cursor), which stands
// `prompt_width` columns from the left edge.
void print_help(session &s, const std::string &line, size_t prompt_width);
// The words TAB may put in place of the last, partial word of `line`.
std::vector<std::string> completions(session &s, const std::string &line);

// Faults and help rows in the shell's one style. mark_word puts a caret under `w` (its
// line standing `prompt_width` columns from the edge), then "% WHAT at '^' marker.", and
// returns false.
bool mark_word(const word &w, size_t prompt_width, const std::string &what);
// One row of what `?` lists: the word, then what it stands for.
void help_row(const char *name, const char *help);
// Whether `word` begins `keyword`, in any case.
bool prefix_of(const char *keyword, const std::string &word);

// Every command with its help, as `help` prints it.
void print_command_list();

}  // namespace vdcsim

#endif  // VDCSIM_COMMANDS_H
