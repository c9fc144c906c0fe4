// The commands of the shell, word by word.
#ifndef VDCSIM_GRAMMAR_H
#define VDCSIM_GRAMMAR_H

#include <optional>
#include <span>
#include <vector>

#include "shell/params.h"

namespace vdcsim {

using handler = bool (*)(session &, std::span<const param_value>);

struct element {
  const char *keyword = nullptr;  // null for a parameter
  const char *help = "";
  std::optional<param_kind> param;
  bool repeats = false;  // the parameter takes one word or more
};

struct command_def {
  std::vector<element> elements;
  handler run;
  bool default_vdc_only = false;
  const char *summary = "";
};

const std::vector<command_def> &command_table();

// The element a command has at word `index`, if any.
const element *element_at(const command_def &c, size_t index);

}  // namespace vdcsim

#endif  // VDCSIM_GRAMMAR_H
