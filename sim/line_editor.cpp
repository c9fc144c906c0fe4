#include "line_editor.h"

#include <readline/history.h>
#include <readline/readline.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "commands.h"

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
  print_help(*active, before);
  rl_on_new_line();
  rl_redisplay();
  return 0;
}

void set_up(session &s) {
  active = &s;
  rl_readline_name = "vdcsim";
  rl_basic_word_break_characters = const_cast<char *>(" \t");
  rl_attempted_completion_function = complete;
  rl_completion_append_character = ' ';
  rl_bind_key('?', help_key);
}

}  // namespace

void run_interactive(session &s) {
  set_up(s);
  while (!s.done) {
    std::string prompt = s.prompt();
    char *line = readline(prompt.c_str());
    if (line == nullptr) {
      std::printf("\n");
      break;
    }
    std::string text = line;
    std::free(line);
    if (text.find_first_not_of(" \t") == std::string::npos) continue;
    add_history(text.c_str());
    if (!run_line(s, text, prompt.size())) ++s.failures;
    s.mgr.tick();
    fflush(stdout);
    set_up(s);
  }
  rl_clear_history();
}

}  // namespace vdcsim
