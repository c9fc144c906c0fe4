#include "shell/line_editor.h"

#include <readline/history.h>
#include <readline/readline.h>

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "shell/commands.h"
#include "shell/history.h"
#include "shell/signals.h"
#include "util/output.h"

namespace vdcsim {
namespace {

session *active = nullptr;
std::vector<std::string> offered;

char *next_offer(const char *, int state) {
  static size_t index;
  if (state == 0) index = 0;
  if (index >= offered.size()) return nullptr;
  return strdup(offered[index++].c_str());
}

char **complete(const char *text, int, int end) {
  rl_attempted_completion_over = 1;
  offered = completions(*active, std::string(rl_line_buffer, static_cast<size_t>(end)));
  if (offered.empty()) return nullptr;
  return rl_completion_matches(text, next_offer);
}

// '?' lists what may follow the text before the cursor, then redraws the line.
int help_key(int, int) {
  std::string before(rl_line_buffer, static_cast<size_t>(rl_point));
  std::printf("?\n");
  print_help(*active, before, active->prompt().size());
  rl_on_new_line();
  rl_redisplay();
  return 0;
}

// Ctrl-C: the line is dropped and a fresh prompt starts on the next line.
void cancel_line() {
  rl_replace_line("", 0);
  rl_crlf();
  rl_on_new_line();
  rl_redisplay();
}

// Ctrl-Z: the terminal goes back to how it was, the shell stops, and once it continues
// its settings and its prompt come back.
void stop_until_continued() {
  rl_cleanup_after_signal();
  signals::catch_stop(false);
  raise(SIGTSTP);
  signals::catch_stop(true);
  rl_reset_after_signal();
  rl_forced_update_display();
}

// Reads one key; a signal that came meanwhile is acted on here, between keys. A
// signal that ends the session reads as the end of input, the line unused.
int read_key(FILE *in) {
  for (;;) {
    if (signals::ending() != 0) return EOF;
    if (signals::take(SIGINT)) cancel_line();
    if (signals::take(SIGTSTP)) stop_until_continued();
    if (signals::take(SIGCONT)) rl_forced_update_display();
    if (!signals::wait_for_input(fileno(in))) continue;
    unsigned char key = 0;
    ssize_t n = read(fileno(in), &key, 1);
    if (n == 1) return key;
    if (n == 0 || errno != EINTR) return EOF;
  }
}

void set_up(session &s) {
  active = &s;
  rl_catch_signals = 0;
  rl_getc_function = read_key;
  rl_readline_name = "vdcsim";
  rl_basic_word_break_characters = const_cast<char *>(" \t|");
  rl_attempted_completion_function = complete;
  rl_completion_append_character = ' ';
  rl_bind_key('?', help_key);
}

}  // namespace

void run_interactive(session &s) {
  set_up(s);
  history::load();
  signals::set_interactive(true);
  while (!s.done && signals::ending() == 0) {
    s.refresh();
    std::string prompt = s.prompt();
    signals::take(SIGINT);
    signals::catch_stop(true);
    char *line = readline(prompt.c_str());
    signals::catch_stop(false);
    if (line == nullptr || signals::ending() != 0) {
      std::printf("\n");
      std::free(line);
      break;
    }
    std::string text = line;
    std::free(line);
    if (text.find_first_not_of(" \t") == std::string::npos) continue;
    history::remember(text);
    s.refresh();
    if (!run_line(s, text, prompt.size())) ++s.failures;
    s.tick();
    output::flush();
    set_up(s);
  }
  signals::set_interactive(false);
  history::trim();
  rl_clear_history();
}

}  // namespace vdcsim
