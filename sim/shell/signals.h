// How the shell takes signals. TERM, HUP and PIPE, and INT when no one types at a
// prompt, ask the session to end in order: the command under way finishes, what it
// changed is saved for the shell that started this one, and the session's files are
// removed. At the prompt Ctrl-C cancels the line, and a shell stopped by Ctrl-Z
// shows its prompt again when it continues.
#ifndef VDCSIM_SIGNALS_H
#define VDCSIM_SIGNALS_H

namespace vdcsim::signals {

// The handlers only note a signal; a blocking read returns early with EINTR.
void install();
// The signal that asked the session to end, or 0.
int ending();
// While true, INT is noted for the prompt to cancel its line instead of ending.
void set_interactive(bool interactive);
// Waits until `fd` has input or a signal comes: true for input, false for a signal.
bool wait_for_input(int fd);
// Whether `signal` (INT, TSTP or CONT) came since it was last taken.
bool take(int signal);
// Notes TSTP and CONT while the prompt waits, or gives them back their defaults.
void catch_stop(bool caught);
// Ends the process as `signal` would have ended it.
[[noreturn]] void end_as(int signal);

}  // namespace vdcsim::signals

#endif  // VDCSIM_SIGNALS_H
