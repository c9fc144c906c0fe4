#include "shell/words.h"

#include <strings.h>

#include <cstdio>

namespace vdcsim {

bool mark_word(const word &w, size_t prompt_width, const std::string &what) {
  std::printf("%*s^\n%% %s at '^' marker.\n", static_cast<int>(prompt_width + w.offset), "",
              what.c_str());
  return false;
}

void help_row(const char *name, const char *help) {
  std::printf("  %-16s  %s\n", name, help);
}

bool prefix_of(const char *keyword, const std::string &word) {
  return strncasecmp(keyword, word.c_str(), word.size()) == 0;
}

// No command word holds a '|', so the first one ends the command even when it is written
// against its neighbours ("show vdc|count"); later ones stand alone, as a pattern may hold
// one.
std::vector<word> split_words(const std::string &line) {
  std::vector<word> words;
  size_t first_pipe = line.find('|');
  size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
      ++i;
    size_t start = i;
    while (i < line.size() && line[i] != ' ' && line[i] != '\t' && i != first_pipe)
      ++i;
    if (i == start && i == first_pipe) ++i;
    if (i > start) words.push_back(word{line.substr(start, i - start), start});
  }
  return words;
}

}  // namespace vdcsim
