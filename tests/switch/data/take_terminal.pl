# Takes the terminal the way an interactive program does (a process group of its own made
# the foreground group), says whether it has it, and ends as its second argument says
# without giving the terminal back: an exit code, or "kill" for SIGKILL.
use POSIX qw(setpgid tcgetpgrp tcsetpgrp);
$SIG{TTOU} = 'IGNORE';
setpgid(0, 0) or die "setpgid: $!";
defined(tcsetpgrp(1, getpgrp())) or die "tcsetpgrp: $!";
$| = 1;
print "$ARGV[0] ", (tcgetpgrp(1) == getpgrp() ? "in the foreground" : "in the background"), "\n";
kill 'KILL', $$ if $ARGV[1] eq 'kill';
exit $ARGV[1];
