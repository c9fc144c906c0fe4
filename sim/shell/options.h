// vdcsim's command line.
#ifndef VDCSIM_OPTIONS_H
#define VDCSIM_OPTIONS_H

#include <optional>
#include <string>
#include <vector>

namespace vdcsim {

struct options {
  std::string library;                // empty: the build's library
  std::string chassis;                // empty: the built-in chassis
  std::string lab;                    // empty: a private lab for this session
  std::vector<std::string> commands;  // -c, in order
  std::optional<std::string> user;
  std::optional<std::string> role;  // "" removes the role
  std::string replay;               // --replay FILE: render a captured response
  bool tour = false;
  bool help = false;
  bool version = false;
  std::string program;  // --run NAME: play a switch program
  std::vector<std::string> program_args;
};

// On failure returns false with `error` saying what is wrong in one line; "" when
// getopt has already said it.
bool parse_options(int argc, char **argv, options &out, std::string &error);
const char *help_text();

}  // namespace vdcsim

#endif  // VDCSIM_OPTIONS_H
