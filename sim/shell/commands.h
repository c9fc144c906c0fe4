// The command table and its parser: keywords may be cut to any unique prefix, each
// parameter is checked by the library's match callbacks, and every fault is reported
// in one style: a caret under the word at fault, then "% ... at '^' marker.", or a
// line starting with "% " for a refusal.
#ifndef VDCSIM_COMMANDS_H
#define VDCSIM_COMMANDS_H

#include <string>
#include <vector>

#include "shell/words.h"
#include "switch/session.h"

namespace vdcsim {

// Runs one line; returns false when it was unknown, incomplete or refused (and says why).
// `prompt_width` is how far the line stands from the left edge, for the caret.
bool run_line(session &s, const std::string &line, size_t prompt_width);

// What `?` prints after `line` (the text before the cursor), which stands
// `prompt_width` columns from the left edge.
void print_help(session &s, const std::string &line, size_t prompt_width);
// The words TAB may put in place of the last, partial word of `line`.
std::vector<std::string> completions(session &s, const std::string &line);

// Every command with its help, as `help` prints it.
void print_command_list();

}  // namespace vdcsim

#endif  // VDCSIM_COMMANDS_H
