// The switch software's programs that the library starts by their fixed paths: the
// nested shell, the first-setup program and the login program. vdcsim plays all three:
// "/velt/bin/NAME ARGS" runs as "vdcsim --run NAME ARGS". They work on the lab that
// VDCSIM_STATE names.
#ifndef VDCSIM_PROGRAMS_H
#define VDCSIM_PROGRAMS_H

#include <string>
#include <vector>

#include "standin.h"
#include "zudoru_mgr_show.h"

namespace vdcsim {

constexpr const char *switch_programs = VDC_PROGRAM_DIR;
constexpr const char *state_variable = "VDCSIM_STATE";
// How many nested shells stand between this shell and the first one.
constexpr const char *depth_variable = "VDCSIM_DEPTH";
constexpr int max_nesting = 8;
// The last line of standard input read before a switch: a nested shell reading the
// script on counts its lines on from there.
constexpr const char *line_variable = "VDCSIM_LINE";
// The operator's user name, for nested shells.
constexpr const char *user_variable = "VDCSIM_USER";
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

}  // namespace vdcsim

#endif  // VDCSIM_PROGRAMS_H
