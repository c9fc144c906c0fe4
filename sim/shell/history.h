// The lines typed at a terminal, kept across sessions in $XDG_STATE_HOME/vdcsim/history
// (~/.local/state/vdcsim/history without it). Each line goes to the file as it is
// entered: a shell ended by a signal loses none, and a nested shell finds the lines
// typed before it. The file keeps the last `kept_lines`, readable by its owner only, and
// a line it has no room for is not kept at all. A history that cannot be read or written,
// or that is a symbolic link (never followed), leaves the shell as it is, after one warning.
#ifndef VDCSIM_HISTORY_H
#define VDCSIM_HISTORY_H

#include <string>

namespace vdcsim::history {

constexpr int kept_lines = 1000;

// Replaces readline's list with the file's last lines.
void load();
// Adds the line to readline's list and to the file.
void remember(const std::string &line);
// Cuts the file down to its last lines.
void trim();

}  // namespace vdcsim::history

#endif  // VDCSIM_HISTORY_H
