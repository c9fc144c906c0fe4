#include "shell/commands.h"

#include <strings.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <set>

#include "shell/actions.h"
#include "shell/filters.h"
#include "shell/grammar.h"
#include "shell/shown_output.h"
#include "util/output.h"

namespace vdcsim {
namespace {

enum class verdict { complete, incomplete, invalid, ambiguous };

struct parse {
  verdict result = verdict::invalid;
  size_t at = 0;                              // the word at fault
  std::vector<const command_def *> alive;     // commands that accept the words so far
  std::vector<const command_def *> complete;  // those of them that need no more words
};

bool same(const char *keyword, const std::string &word) {
  return strcasecmp(keyword, word.c_str()) == 0;
}

// Narrows `alive` to the commands that accept `w` as their word `index`: an exact
// keyword first, then a unique keyword prefix, then a parameter.
bool narrow(std::vector<const command_def *> &alive, size_t index, const std::string &w,
            verdict &fault) {
  std::vector<const command_def *> exact, prefixed, taking;
  std::set<std::string> prefixes;
  for (auto *c : alive) {
    const element *e = element_at(*c, index);
    if (e == nullptr) continue;
    if (e->keyword == nullptr) {
      taking.push_back(c);
    } else if (same(e->keyword, w)) {
      exact.push_back(c);
    } else if (prefix_of(e->keyword, w)) {
      prefixed.push_back(c);
      prefixes.insert(e->keyword);
    }
  }
  if (!exact.empty()) {
    alive = exact;
  } else if (prefixes.size() == 1) {
    alive = prefixed;
  } else if (prefixes.size() > 1) {
    fault = verdict::ambiguous;
    return false;
  } else if (!taking.empty()) {
    alive = taking;
  } else {
    fault = verdict::invalid;
    return false;
  }
  return true;
}

parse parse_words(const std::vector<word> &words, size_t count) {
  parse p;
  for (auto &c : command_table())
    p.alive.push_back(&c);
  for (size_t i = 0; i < count; ++i) {
    if (!narrow(p.alive, i, words[i].text, p.result)) {
      p.at = i;
      return p;
    }
  }
  for (auto *c : p.alive) {
    bool fits =
        c->elements.size() == count || (c->elements.back().repeats && count >= c->elements.size());
    if (fits) p.complete.push_back(c);
  }
  p.result = p.complete.empty() ? verdict::incomplete : verdict::complete;
  p.at = count;
  return p;
}

bool refuse_at(const word &w, size_t prompt_width, const param_value &v) {
  if (!v.at_marker) {
    std::printf("%*s^\n", static_cast<int>(prompt_width + w.offset), "");
    return refuse(v.error);
  }
  return mark_word(w, prompt_width, v.error);
}

bool report(const parse &p, const std::vector<word> &words, size_t prompt_width) {
  if (p.result == verdict::incomplete) return refuse("Incomplete command.");
  return mark_word(words[p.at], prompt_width,
                   p.result == verdict::ambiguous ? "Ambiguous command" : "Invalid command");
}

struct position {
  std::vector<word> words;
  std::string partial;  // the word under the cursor, possibly empty
};

position split_at_cursor(const std::string &line) {
  position pos;
  // The partial word runs back to the last blank or the first '|', as the line editor
  // sees it.
  size_t blank = line.find_last_of(" \t");
  size_t start = blank == std::string::npos ? 0 : blank + 1;
  size_t pipe = line.find('|');
  if (pipe != std::string::npos && pipe >= start) start = pipe + 1;
  pos.partial = line.substr(start);
  pos.words = split_words(line.substr(0, start));
  return pos;
}

bool takes_filters(const parse &p) {
  for (auto *c : p.complete)
    if (takes_filters(*c)) return true;
  return false;
}

}  // namespace

bool run_line(session &s, const std::string &line, size_t prompt_width) {
  auto words = split_words(line);
  if (words.empty()) return true;
  size_t pipe = first_pipe(words);
  parse p = parse_words(words, pipe);
  if (p.result != verdict::complete) return report(p, words, prompt_width);
  const command_def &c = *p.complete.front();
  if (c.default_vdc_only && !s.mgr.in_default_vdc())
    return refuse("This command runs only in the default VDC.");
  std::vector<param_value> args;
  for (size_t i = 0; i < pipe; ++i) {
    const element *e = element_at(c, i);
    if (e->keyword != nullptr) continue;
    param_value v = param_resolve(s, *e->param, words[i].text);
    if (!v.ok) return refuse_at(words[i], prompt_width, v);
    args.push_back(std::move(v));
  }
  output_filters filters;
  if (!filters.read(line, words, pipe, prompt_width, takes_filters(c))) return false;
  return run_shown([&] { return c.run(s, args); }, filters, takes_filters(c));
}

// Keywords in alphabetical order, then what the library says of each parameter, then
// <cr> when the words so far make a command.
void print_help(session &s, const std::string &line, size_t prompt_width) {
  position pos = split_at_cursor(line);
  size_t pipe = first_pipe(pos.words);
  parse p = parse_words(pos.words, pipe);
  if (p.result == verdict::invalid || p.result == verdict::ambiguous) {
    report(p, pos.words, prompt_width);
    return;
  }
  if (pipe < pos.words.size()) {
    if (takes_filters(p))
      print_filter_help(pos.words, pos.partial, prompt_width);
    else
      refuse(p.complete.empty() ? "Incomplete command."
                                : "Only show commands take output filters.");
    output::flush();
    return;
  }
  std::map<std::string, const char *> keywords;
  std::vector<param_kind> params;
  bool runnable = false;
  for (auto *c : p.alive) {
    const element *e = element_at(*c, pos.words.size());
    if (e == nullptr) {
      runnable = runnable || pos.partial.empty();
      continue;
    }
    if (e->keyword != nullptr && prefix_of(e->keyword, pos.partial))
      keywords.emplace(e->keyword, e->help);
    if (e->keyword == nullptr && std::find(params.begin(), params.end(), *e->param) == params.end())
      params.push_back(*e->param);
    if (e->repeats && pos.words.size() >= c->elements.size())
      runnable = runnable || pos.partial.empty();
  }
  for (auto &[keyword, help] : keywords)
    help_row(keyword.c_str(), help);
  for (param_kind kind : params)
    param_help(s, kind, pos.partial);
  if (takes_filters(p) && prefix_of("|", pos.partial)) print_pipe_help();
  if (runnable) help_row("<cr>", "Run the command");
  output::flush();
}

std::vector<std::string> completions(session &s, const std::string &line) {
  position pos = split_at_cursor(line);
  size_t pipe = first_pipe(pos.words);
  parse p = parse_words(pos.words, pipe);
  std::vector<std::string> found;
  if (pipe < pos.words.size())
    return takes_filters(p) ? filter_completions(pos.words, pos.partial) : found;
  if (p.result == verdict::invalid || p.result == verdict::ambiguous) return found;
  std::set<std::string> seen;
  std::set<param_kind> asked;
  for (auto *c : p.alive) {
    const element *e = element_at(*c, pos.words.size());
    if (e == nullptr) continue;
    if (e->keyword != nullptr && prefix_of(e->keyword, pos.partial) &&
        seen.insert(e->keyword).second)
      found.push_back(e->keyword);
    if (e->keyword == nullptr && asked.insert(*e->param).second) {
      for (auto &name : param_completions(s, *e->param, pos.partial))
        if (seen.insert(name).second) found.push_back(name);
    }
  }
  if (takes_filters(p) && prefix_of("|", pos.partial)) found.push_back("|");
  return found;
}

void print_command_list() {
  std::printf("Commands:\n");
  for (auto &c : command_table()) {
    std::string words;
    for (auto &e : c.elements)
      words.append(words.empty() ? "" : " ")
          .append(e.keyword ? e.keyword : param_placeholder(*e.param));
    std::printf("  %-48s %s%s\n", words.c_str(), c.summary,
                c.default_vdc_only ? " (default VDC)" : "");
  }
  std::printf("Keywords may be shortened; '?' lists what may follow, TAB completes.\n");
  std::printf("Show commands take filters after '|': include, exclude, begin, count, no-more.\n");
}

}  // namespace vdcsim
