// The switch software's programs that the library starts by their fixed paths: the
// nested shell, the first-setup program and the login program. vdcsim plays all three:
// "/velt/bin/NAME ARGS" runs as "vdcsim --run NAME ARGS". They share the chassis
// model through a state file named by VDCSIM_STATE.
#ifndef VDCSIM_PROGRAMS_H
#define VDCSIM_PROGRAMS_H

#include <string>
#include <vector>

#include "standin.h"
#include "switch/session.h"

namespace vdcsim {

constexpr const char *switch_programs = "/velt/bin/";
constexpr const char *state_variable = "VDCSIM_STATE";
// How many nested shells stand between this shell and the first one.
constexpr const char *depth_variable = "VDCSIM_DEPTH";
constexpr int max_nesting = 8;
// The last line of standard input read before a switch: a nested shell reading the
// script on counts its lines on from there.
constexpr const char *line_variable = "VDCSIM_LINE";
int nesting_depth();

void set_self_path(std::string path);
const std::string &self_path();

// A shell command with the switch programs' prefix replaced by this program.
std::string map_command(const std::string &command);
// The argument vector that runs a switch program, or the program itself when it is
// not one of the switch's.
std::vector<std::string> map_program(const standin::program_run &run);
// The stand-in's program runner: runs the mapped program and waits for it.
int32_t run_mapped(const standin::program_run &run);

// The model goes to the state file before a switch and comes back after it. A nested
// shell saves the model only when it changed it, and hands back beside the state file
// how many of its commands failed, what its clock shows and the last line of standard
// input it read; the shell that started
// it reads the model back only when the state file changed.
bool save_state(session &s);
void reload_state(session &s);
void hand_back(session &s);

// Runs one of the switch programs inside this process (`vdcsim --run NAME ARGS`).
int run_switch_program(session &s, const std::string &name, const std::vector<std::string> &args);

}  // namespace vdcsim

#endif  // VDCSIM_PROGRAMS_H
