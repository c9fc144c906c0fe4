#include "shell/filters.h"

#include <strings.h>

#include <cstdio>

#include "shell/actions.h"
#include "shell/grammar.h"
#include "shell/line_pattern.h"

namespace vdcsim {
namespace {

enum class filter_kind { begin, count, exclude, include, no_more };

struct filter_word {
  const char *name;
  const char *help;
  filter_kind kind;
  bool pattern;  // a regular expression follows
};

constexpr filter_word filter_words[] = {
    {"begin", "Show the output from the first line that matches", filter_kind::begin, true},
    {"count", "Show the number of lines instead", filter_kind::count, false},
    {"exclude", "Show the lines that do not match", filter_kind::exclude, true},
    {"include", "Show the lines that match", filter_kind::include, true},
    {"no-more", "Do not stop at --More--", filter_kind::no_more, false},
};

// The filter `w` names in full, or as the prefix of just one.
const filter_word *find_filter(const std::string &w, bool &ambiguous) {
  const filter_word *found = nullptr;
  int prefixed = 0;
  for (auto &f : filter_words) {
    if (strcasecmp(f.name, w.c_str()) == 0) return &f;
    if (prefix_of(f.name, w)) found = &f, ++prefixed;
  }
  ambiguous = prefixed > 1;
  return prefixed == 1 ? found : nullptr;
}

bool mark_unknown(const word &w, size_t prompt_width, bool ambiguous) {
  return mark_word(w, prompt_width, ambiguous ? "Ambiguous command" : "Invalid command");
}

// The index just after the last `|` in `words`, or words.size() when none.
size_t after_last_pipe(const std::vector<word> &words) {
  size_t at = words.size();
  while (at > 0 && words[at - 1].text != "|")
    --at;
  return at == 0 ? words.size() : at;
}

}  // namespace

struct output_filters::stage {
  explicit stage(filter_kind k) : kind(k) {}

  bool matches(const std::string &line) const {
    std::string_view text = line;
    if (text.ends_with('\n')) text.remove_suffix(1);
    return pattern.matches(text);
  }

  filter_kind kind;
  line_pattern pattern;
  bool begun = false;  // begin: a line has matched
  size_t lines = 0;    // count: the lines so far
};

size_t first_pipe(const std::vector<word> &words) {
  size_t at = 0;
  while (at < words.size() && words[at].text != "|")
    ++at;
  return at;
}

bool takes_filters(const command_def &c) {
  const char *first = c.elements.empty() ? nullptr : c.elements.front().keyword;
  return first != nullptr && (strcasecmp(first, "show") == 0 || strcasecmp(first, "help") == 0);
}

output_filters::output_filters() = default;
output_filters::~output_filters() = default;

bool output_filters::read(const std::string &line, const std::vector<word> &words, size_t pipe,
                          size_t prompt_width, bool filterable) {
  if (pipe >= words.size()) return true;
  if (!filterable) {
    std::printf("%*s^\n", static_cast<int>(prompt_width + words[pipe].offset), "");
    return refuse("Only show commands take output filters.");
  }
  for (size_t first = pipe + 1;;) {
    size_t end = first;
    while (end < words.size() && words[end].text != "|")
      ++end;
    if (!read_one(line, words, first, end, prompt_width)) return false;
    if (end == words.size()) return true;
    first = end + 1;
  }
}

bool output_filters::read_one(const std::string &line, const std::vector<word> &words, size_t first,
                              size_t end, size_t prompt_width) {
  if (first == end && end == words.size()) return refuse("Incomplete command.");
  if (first == end) return mark_word(words[end], prompt_width, "Invalid command");
  bool ambiguous = false;
  const filter_word *f = find_filter(words[first].text, ambiguous);
  if (f == nullptr) return mark_unknown(words[first], prompt_width, ambiguous);
  if (!f->pattern && end > first + 1)
    return mark_word(words[first + 1], prompt_width, "Invalid command");
  if (f->pattern && end == first + 1) return refuse("Incomplete command.");
  if (f->kind == filter_kind::no_more) {
    paged_ = false;
    return true;
  }
  auto s = std::make_unique<stage>(f->kind);
  if (f->pattern) {
    size_t from = words[first + 1].offset;
    size_t to = words[end - 1].offset + words[end - 1].text.size();
    std::string why;
    size_t fault_at = 0;
    if (!s->pattern.compile(line.substr(from, to - from), why, fault_at)) {
      std::printf("%*s^\n", static_cast<int>(prompt_width + from + fault_at), "");
      return refuse("Invalid regular expression: " + why);
    }
  }
  stages_.push_back(std::move(s));
  return true;
}

bool output_filters::pass_from(size_t index, const std::string &line, const sink &out) {
  if (index == stages_.size()) return out(line);
  stage &s = *stages_[index];
  switch (s.kind) {
    case filter_kind::include:
      return !s.matches(line) || pass_from(index + 1, line, out);
    case filter_kind::exclude:
      return s.matches(line) || pass_from(index + 1, line, out);
    case filter_kind::begin:
      s.begun = s.begun || s.matches(line);
      return !s.begun || pass_from(index + 1, line, out);
    case filter_kind::count:
      ++s.lines;
      return true;
    case filter_kind::no_more:
      break;
  }
  return pass_from(index + 1, line, out);
}

void output_filters::finish_from(size_t index, const sink &out) {
  for (; index < stages_.size(); ++index) {
    if (stages_[index]->kind != filter_kind::count) continue;
    if (pass_from(index + 1, std::to_string(stages_[index]->lines) + "\n", out))
      finish_from(index + 1, out);
    return;
  }
}

void print_pipe_help() {
  help_row("|", "Filter the output");
}

void print_filter_help(const std::vector<word> &words, const std::string &partial,
                       size_t prompt_width) {
  size_t at = after_last_pipe(words);
  if (at == words.size()) {
    for (auto &f : filter_words)
      if (prefix_of(f.name, partial)) help_row(f.name, f.help);
    return;
  }
  bool ambiguous = false;
  const filter_word *f = find_filter(words[at].text, ambiguous);
  if (f == nullptr) {
    mark_unknown(words[at], prompt_width, ambiguous);
    return;
  }
  bool more = words.size() > at + 1;  // words after the filter's name
  if (!f->pattern && more) {
    mark_word(words[at + 1], prompt_width, "Invalid command");
    return;
  }
  if (f->pattern) help_row("LINE", "Regular expression");
  if (f->pattern && !more) return;
  if (prefix_of("|", partial)) print_pipe_help();
  if (partial.empty()) help_row("<cr>", "Run the command");
}

std::vector<std::string> filter_completions(const std::vector<word> &words,
                                            const std::string &partial) {
  std::vector<std::string> found;
  if (words.empty() || words.back().text != "|") return found;
  for (auto &f : filter_words)
    if (prefix_of(f.name, partial)) found.push_back(f.name);
  return found;
}

}  // namespace vdcsim
