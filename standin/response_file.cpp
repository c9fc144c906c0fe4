#include "response_file.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <fstream>
#include <memory>
#include <sstream>

namespace standin {
namespace {

struct named_id {
  const char *name;
  uint32_t id;
};

#define ZMS_ID(name) \
  { #name, name }
constexpr named_id identifiers[] = {
    ZMS_ID(VDC_REQ_SHOW_SELECT),
    ZMS_ID(VDC_ATTR_STORAGE_VDC),
    ZMS_ID(VDC_ATTR_RESERVED_VLANS),
    ZMS_ID(VDC_ATTR_SHARING_ETH_VDC),
    ZMS_ID(VDC_ATTR_SWITCHWIDE_MODE),
    ZMS_ID(VDC_ATTR_NAME_WIDTH),
    ZMS_ID(VDC_ATTR_ID),
    ZMS_ID(VDC_ATTR_NAME),
    ZMS_ID(VDC_ATTR_STATE),
    ZMS_ID(VDC_ATTR_MAC),
    ZMS_ID(VDC_ATTR_HA_POLICY),
    ZMS_ID(VDC_ATTR_DUAL_SUP_HA_POLICY),
    ZMS_ID(VDC_ATTR_BOOT_ORDER),
    ZMS_ID(VDC_ATTR_CPU_SHARE),
    ZMS_ID(VDC_ATTR_CPU_SHARE_PCT),
    ZMS_ID(VDC_ATTR_CREATE_TIME),
    ZMS_ID(VDC_ATTR_RELOAD_COUNT),
    ZMS_ID(VDC_ATTR_UPTIME),
    ZMS_ID(VDC_ATTR_RESTART_COUNT),
    ZMS_ID(VDC_ATTR_RESTART_TIME),
    ZMS_ID(VDC_ATTR_RESTART_REASON),
    ZMS_ID(VDC_ATTR_TYPE),
    ZMS_ID(VDC_ATTR_SUPPORTED_LC),
    ZMS_ID(VDC_ATTR_FEATURE_SET),
    ZMS_ID(VDC_ATTR_SHARED_IF_MARK),
    ZMS_ID(VDC_ATTR_IF_INDEX),
    ZMS_ID(VDC_ATTR_CUR_ID),
    ZMS_ID(VDC_ATTR_CUR_NAME),
    ZMS_ID(VDC_ATTR_SWITCH_TARGET),
    ZMS_ID(VDC_ATTR_ERR_NO_VDC),
    ZMS_ID(VDC_ATTR_ERR_NOT_AUTHORIZED),
    ZMS_ID(VDC_ATTR_SKIP_FIRST_SETUP),
    ZMS_ID(VDC_ATTR_NAME_KEY),
    ZMS_ID(VDC_ATTR_SCRIPT_MODE),
};
#undef ZMS_ID

// A line cut into its first word and the rest after one blank.
struct line_view {
  std::string head;
  std::string rest;
};

line_view split(const std::string &line) {
  size_t blank = line.find(' ');
  if (blank == std::string::npos) return {line, ""};
  return {line.substr(0, blank), line.substr(blank + 1)};
}

std::vector<std::string> words_of(const std::string &text) {
  std::istringstream in(text);
  std::vector<std::string> out;
  for (std::string w; in >> w;)
    out.push_back(w);
  return out;
}

// A number that fits 32 bits: decimal, negative decimal or 0x hexadecimal.
bool number(const std::string &text, uint32_t &out) {
  if (text.empty()) return false;
  char *end = nullptr;
  errno = 0;
  long long value = std::strtoll(text.c_str(), &end, 0);
  if (errno != 0 || *end != '\0' || value < INT32_MIN || value > UINT32_MAX) return false;
  out = static_cast<uint32_t>(value);
  return true;
}

bool identifier(const std::string &text, uint32_t &out) {
  for (auto &n : identifiers)
    if (text == n.name) return out = n.id, true;
  return text.rfind("0x", 0) == 0 && number(text, out);
}

std::string unescaped(const std::string &text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\' || i + 1 == text.size()) {
      out += text[i];
      continue;
    }
    char c = text[++i];
    out += c == 't' ? '\t' : c == 'n' ? '\n' : c;
  }
  return out;
}

template <typename Unit>
bool units(const std::vector<std::string> &items, size_t max, std::vector<uint8_t> &out) {
  for (auto &item : items) {
    uint32_t n;
    if (!number(item, n) || n > max) return false;
    Unit unit = static_cast<Unit>(n);
    uint8_t raw[sizeof unit];
    std::memcpy(raw, &unit, sizeof unit);
    out.insert(out.end(), raw, raw + sizeof unit);
  }
  return true;
}

// The value of an attribute line after its identifier; "" when it is well formed, else
// what was expected.
std::string value(const std::string &text, attribute &a) {
  auto [layout, rest] = split(text);
  auto items = words_of(rest);
  if (layout == "text") return a = standin::text(a.id, unescaped(rest)), "";
  if (layout == "null") return a.null_value = true, "";
  if (layout == "mark") return a = mark(a.id), "";
  if (layout == "word" && items.size() == 1 && units<uint32_t>(items, UINT32_MAX, a.value))
    return "";
  if (layout == "words" && units<uint32_t>(items, UINT32_MAX, a.value)) return "";
  if (layout == "halves" && items.size() == 2 && units<uint16_t>(items, 0xffff, a.value)) return "";
  if (layout == "bytes" && units<uint8_t>(items, 0xff, a.value)) return "";
  if (layout == "word") return "one 32-bit number after 'word'";
  if (layout == "words") return "32-bit numbers after 'words'";
  if (layout == "halves") return "two 16-bit numbers after 'halves'";
  if (layout == "bytes") return "bytes from 0 to 0xff after 'bytes'";
  return "a layout (word, words, halves, text, bytes, mark or null), not '" + layout + "'";
}

std::string attribute_line(const std::string &line, std::vector<attribute> &into) {
  auto [head, rest] = split(line);
  attribute a{};
  if (!identifier(head, a.id)) return "a keyword, an attribute name or a 0x identifier";
  std::string problem = value(rest, a);
  if (problem.empty()) into.push_back(std::move(a));
  return problem;
}

bool interface_setting(const std::string &item, interface &intf) {
  size_t equals = item.find('=');
  std::string key = item.substr(0, equals);
  std::string val = equals == std::string::npos ? "" : item.substr(equals + 1);
  uint32_t n = 0;
  bool numeric = number(val, n);
  if (key == "name") intf.long_name = val;
  if (key == "short") intf.short_name = val;
  if (key == "breakout") intf.breakout = true;
  if (key == "slot" && numeric) intf.slot = static_cast<uint8_t>(n);
  if (key == "status" && numeric) intf.move_status = n;
  if (key == "query" && numeric) intf.move_result = static_cast<int32_t>(n);
  if (key == "name" || key == "short") return equals != std::string::npos;
  if (key == "breakout") return equals == std::string::npos;
  return numeric && (key == "status" || key == "query" || (key == "slot" && n <= 0xff));
}

// interface INDEX key=value...: the interface manager's answers for one index.
std::string interface_line(const std::string &rest, response_case &out) {
  auto items = words_of(rest);
  uint32_t index;
  if (items.empty() || !number(items[0], index)) return "an interface index after 'interface'";
  interface intf;
  for (size_t i = 1; i < items.size(); ++i)
    if (!interface_setting(items[i], intf))
      return "name=, short=, slot=, status=, query= or breakout, not '" + items[i] + "'";
  out.interfaces[index] = intf;
  return "";
}

std::string numeric_line(const std::string &keyword, const std::string &rest, response_case &out) {
  uint32_t n;
  if (!number(rest, n)) return "one number after '" + keyword + "'";
  if (keyword == "vdc") out.current_vdc = n;
  if (keyword == "queue") out.queue = n;
  if (keyword == "result") out.result = static_cast<int32_t>(n);
  if (keyword == "walk") out.walk = n;
  if (keyword == "script-mode") out.script_mode = static_cast<int32_t>(n);
  if (keyword == "vdc-environment") out.vdc_environment = static_cast<int32_t>(n);
  if (keyword == "mode") out.mode = static_cast<int32_t>(n);
  if (keyword == "action") out.action = static_cast<int32_t>(n);
  if (keyword == "sup-state") out.sup_state = n;
  if (keyword == "sdb-open") out.sdb_open = n;
  if (keyword == "sdb-read") out.sdb_read = n;
  if (keyword == "help-status") out.help_status = n;
  return "";
}

// exit=N, signal=N or a raw wait status.
bool wait_status(const std::string &item, int32_t &out) {
  uint32_t n;
  if (item.rfind("exit=", 0) == 0 && number(item.substr(5), n) && n < 256)
    return out = static_cast<int32_t>(n << 8), true;
  if (item.rfind("signal=", 0) == 0 && number(item.substr(7), n) && n < 128)
    return out = static_cast<int32_t>(n), true;
  return number(item, n) && (out = static_cast<int32_t>(n), true);
}

std::string shell_line(const std::string &keyword, const std::string &rest, response_case &out) {
  if (keyword == "env") {
    auto [name, value] = split(rest);
    if (name.empty()) return "a variable name after 'env'";
    out.environment.emplace_back(name, value);
  } else if (keyword == "user") {
    out.user = rest;
  } else if (keyword == "no-user") {
    out.no_user = true;
  } else {
    for (auto &item : words_of(rest)) {
      int32_t status;
      if (!wait_status(item, status))
        return "exit=N, signal=N or a wait status, not '" + item + "'";
      out.program_results.push_back(status);
    }
  }
  return "";
}

// feature-sets VDC [count=N] [cut=N] ID:NAME...: a list as the state database holds it.
std::string feature_set_line(const std::string &rest, response_case &out) {
  auto items = words_of(rest);
  uint32_t vdc, count = 0, cut = 0, n;
  if (items.empty() || !number(items[0], vdc) || vdc > 0xffff) return "a VDC after 'feature-sets'";
  std::vector<std::pair<uint32_t, std::string>> sets;
  bool counted = false;
  for (size_t i = 1; i < items.size(); ++i) {
    size_t colon = items[i].find(':');
    std::string key = items[i].substr(0, items[i].find('='));
    std::string val = items[i].substr(key.size() + (key.size() < items[i].size()));
    if (key == "count" && number(val, count))
      counted = true;
    else if (key == "cut" && number(val, cut))
      continue;
    else if (colon != std::string::npos && number(items[i].substr(0, colon), n))
      sets.emplace_back(n, items[i].substr(colon + 1));
    else
      return "count=N, cut=N or ID:NAME, not '" + items[i] + "'";
  }
  auto list = fs_list(sets);
  for (size_t i = 0; i < sets.size(); ++i)  // a name of 32 characters or more fills its field
    if (sets[i].second.size() >= 32) std::memcpy(&list[4 + 36 * i + 4], sets[i].second.data(), 32);
  if (counted) std::memcpy(list.data(), &count, sizeof count);
  list.resize(cut < list.size() ? list.size() - cut : 0);
  out.records[fs_key(static_cast<uint16_t>(vdc))] = list;
  return "";
}

std::string parser_line(const std::string &keyword, const std::string &rest, response_case &out) {
  if (keyword == "typed") return out.typed = rest, "";
  if (keyword == "feature-sets") return feature_set_line(rest, out);
  for (auto &item : words_of(rest)) {
    size_t colon = item.find(':');
    uint32_t n;
    if (keyword == "unsupported" && item == "all") {
      out.none_supported = true;
    } else if (keyword == "vdcs" && colon != std::string::npos &&
               number(item.substr(0, colon), n)) {
      out.vdcs.push_back({n, item.substr(colon + 1)});
    } else if (keyword == "unsupported" && number(item, n)) {
      out.unsupported.push_back(n);
    } else {
      return keyword == "vdcs" ? "ID:NAME after 'vdcs'" : "ids or 'all' after 'unsupported'";
    }
  }
  return "";
}

std::string header_line(const std::string &line, response_case &out) {
  auto [keyword, rest] = split(line);
  if (keyword == "show" || keyword == "call") {
    if (rest.empty() || rest.find(' ') != std::string::npos)
      return "one handler name after '" + keyword + "'";
    out.show = rest;
    return "";
  }
  if (keyword == "request") return attribute_line(rest, out.request);
  if (keyword == "interface") return interface_line(rest, out);
  if (keyword == "error") {
    auto [code, text] = split(rest);
    uint32_t n;
    if (!number(code, n)) return "an error code and its text after 'error'";
    out.error_texts[n] = text;
    return "";
  }
  static const char *const numeric[] = {
      "vdc",  "queue",  "result",    "walk",     "script-mode", "vdc-environment",
      "mode", "action", "sup-state", "sdb-open", "sdb-read",    "help-status"};
  for (const char *name : numeric)
    if (keyword == name) return numeric_line(keyword, rest, out);
  if (keyword == "typed" || keyword == "vdcs" || keyword == "unsupported" ||
      keyword == "feature-sets")
    return parser_line(keyword, rest, out);
  if (keyword == "env" || keyword == "user" || keyword == "no-user" || keyword == "programs")
    return shell_line(keyword, rest, out);
  return attribute_line(line, out.response);
}

enum class section { header, calls, match, output };

}  // namespace

bool parse_response(const std::string &text, response_case &out, std::string &error) {
  std::istringstream in(text);
  section at = section::header;
  std::string line, output;
  size_t number_of_line = 0;
  while (std::getline(in, line)) {
    ++number_of_line;
    if (at == section::output) {
      output += line + (in.eof() ? "" : "\n");
      continue;
    }
    if (line == "--- output") {
      at = section::output;
      continue;
    }
    if (line == "--- calls") {
      at = section::calls;
      out.calls.emplace();
      continue;
    }
    if (line == "--- match") {
      at = section::match;
      out.match.emplace();
      continue;
    }
    if (at == section::match) {
      *out.match += line + "\n";
      continue;
    }
    if (line.empty() || line[0] == '#') continue;
    if (at == section::calls) {
      out.calls->push_back(line);
      continue;
    }
    std::string problem = header_line(line, out);
    if (!problem.empty()) {
      error = "line " + std::to_string(number_of_line) + ": expected " + problem;
      return false;
    }
  }
  if (out.show.empty()) {
    error = "line " + std::to_string(number_of_line) + ": expected a 'show HANDLER' line";
    return false;
  }
  const std::string no_newline = "\\ no newline at end\n";
  if (output.size() > no_newline.size() && output.ends_with("\n" + no_newline))
    output.resize(output.size() - no_newline.size() - 1);
  if (at == section::output) out.output = output;
  return true;
}

bool read_response_file(const std::string &path, response_case &out, std::string &error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = path + ": cannot be read";
    return false;
  }
  std::ostringstream text;
  text << in.rdbuf();
  if (parse_response(text.str(), out, error)) return true;
  error = path + ":" + error.substr(std::strlen("line "));
  return false;
}

void apply_platform(const response_case &c) {
  auto &p = platform();
  if (c.current_vdc) p.current_vdc = *c.current_vdc;
  if (c.queue) cmd_q = *c.queue;
  for (auto &[index, intf] : c.interfaces)
    p.interfaces[index] = intf;
  for (auto &[code, text] : c.error_texts)
    p.error_texts[code] = text;
  for (auto &[name, value] : c.environment)
    setenv(name.c_str(), value.c_str(), 1);
  if (c.vdc_environment) p.vdc_environment = *c.vdc_environment;
  if (c.user) p.username = *c.user;
  p.username_null = c.no_user;
  if (!c.vdcs.empty()) p.vdcs = c.vdcs;
  if (c.sup_state) g_cli_sup_state = *c.sup_state;
  if (c.sdb_open) p.sdb_open_result = *c.sdb_open;
  if (c.sdb_read) p.sdb_read_status = *c.sdb_read;
  if (c.help_status) p.help_status = static_cast<int32_t>(*c.help_status);
  for (auto &[key, record] : c.records)
    p.sdb_records[key] = record;
  p.ft_supported = [none = c.none_supported, refused = c.unsupported](uint32_t id) {
    for (uint32_t r : refused)
      if (r == id) return 0;
    return none ? 0 : 1;
  };
  auto results =
      std::make_shared<std::deque<int32_t>>(c.program_results.begin(), c.program_results.end());
  p.program_runner = [results](const program_run &) {
    if (results->empty()) return 0;
    int32_t status = results->front();
    results->pop_front();
    return status;
  };
}

cmd_ctx command_of(const response_case &c) {
  cmd_ctx cmd;
  cmd.request = c.request;
  cmd.response = c.response;
  cmd.script_mode = c.script_mode.value_or(0);
  cmd.action_set = c.action;
  return cmd;
}

}  // namespace standin
