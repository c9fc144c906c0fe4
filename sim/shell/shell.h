// shell/: what the operator meets: grammar, commands, parameters, line editing, signals.
// The shell's loops: interactive with line editing, scripted from -c or standard input
// with a transcript, and the tour of every display.
#ifndef VDCSIM_SHELL_H
#define VDCSIM_SHELL_H

#include <string>
#include <vector>

#include "switch/session.h"

namespace vdcsim {

// Echoes the line after the prompt and runs it; a line ending in '?' asks for help.
// When it fails, standard error names `place` ("standard input:3", "-c:2") unless empty.
void run_transcribed(session &s, const std::string &line, const std::string &place);
void run_commands(session &s, const std::vector<std::string> &lines);
// Reads commands a line at a time, leaving the lines after it to a nested shell started
// by one of them (see script_input.h).
void run_script(session &s, int fd);
// Interactive on a terminal, scripted otherwise.
void run_shell(session &s);
void run_tour(session &s);

// Plays one of the switch programs inside this process (`vdcsim --run NAME ARGS`).
int run_switch_program(session &s, const std::string &name, const std::vector<std::string> &args);

}  // namespace vdcsim

#endif  // VDCSIM_SHELL_H
