#include "response_lines.h"

#include <cstring>
#include <type_traits>

namespace standin {
namespace {

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
std::string interface_of(const std::string &rest, response_case &out) {
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

// exit=N, signal=N or a raw wait status.
bool wait_status(const std::string &item, int32_t &out) {
  uint32_t n;
  if (item.rfind("exit=", 0) == 0 && number(item.substr(5), n) && n < 256)
    return out = static_cast<int32_t>(n << 8), true;
  if (item.rfind("signal=", 0) == 0 && number(item.substr(7), n) && n < 128)
    return out = static_cast<int32_t>(n), true;
  return number(item, n) && (out = static_cast<int32_t>(n), true);
}

// feature-sets VDC [count=N] [cut=N] ID:NAME...: a list as the state database holds it.
std::string feature_sets_of(const std::string &rest, response_case &out) {
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

std::string show_line(const std::string &keyword, const std::string &rest, response_case &out) {
  if (rest.empty() || rest.find(' ') != std::string::npos)
    return "one handler name after '" + keyword + "'";
  if (!out.show.empty()) return "one 'show' or 'call' line, not a second";
  out.show = rest;
  return "";
}

template <typename T>
struct value_of {
  using type = T;
};
template <typename T>
struct value_of<std::optional<T>> {
  using type = T;
};

// KEYWORD NUMBER: the number, in the field of the case that `Field` names.
template <auto Field>
std::string number_line(const std::string &keyword, const std::string &rest, response_case &out) {
  uint32_t n;
  if (!number(rest, n)) return "one number after '" + keyword + "'";
  using field_type = std::remove_cvref_t<decltype(out.*Field)>;
  out.*Field = static_cast<typename value_of<field_type>::type>(n);
  return "";
}

std::string request_line(const std::string &, const std::string &rest, response_case &out) {
  return attribute_line(rest, out.request);
}

std::string interface_line(const std::string &, const std::string &rest, response_case &out) {
  return interface_of(rest, out);
}

std::string error_line(const std::string &, const std::string &rest, response_case &out) {
  auto [code, text] = split(rest);
  uint32_t n;
  if (!number(code, n)) return "an error code and its text after 'error'";
  out.error_texts[n] = text;
  return "";
}

std::string typed_line(const std::string &, const std::string &rest, response_case &out) {
  out.typed = rest;
  return "";
}

std::string vdcs_line(const std::string &, const std::string &rest, response_case &out) {
  for (auto &item : words_of(rest)) {
    size_t colon = item.find(':');
    uint32_t n;
    if (colon == std::string::npos || !number(item.substr(0, colon), n))
      return "ID:NAME after 'vdcs'";
    out.vdcs.push_back({n, item.substr(colon + 1)});
  }
  return "";
}

std::string unsupported_line(const std::string &, const std::string &rest, response_case &out) {
  for (auto &item : words_of(rest)) {
    uint32_t n;
    if (item == "all")
      out.none_supported = true;
    else if (number(item, n))
      out.unsupported.push_back(n);
    else
      return "ids or 'all' after 'unsupported'";
  }
  return "";
}

std::string feature_sets_line(const std::string &, const std::string &rest, response_case &out) {
  return feature_sets_of(rest, out);
}

std::string env_line(const std::string &, const std::string &rest, response_case &out) {
  auto [name, value] = split(rest);
  if (name.empty() || name.find('=') != std::string::npos)
    return "a variable name without '=' after 'env'";
  out.environment.emplace_back(name, value);
  return "";
}

std::string user_line(const std::string &, const std::string &rest, response_case &out) {
  out.user = rest;
  return "";
}

std::string no_user_line(const std::string &, const std::string &, response_case &out) {
  out.no_user = true;
  return "";
}

std::string programs_line(const std::string &, const std::string &rest, response_case &out) {
  for (auto &item : words_of(rest)) {
    int32_t status;
    if (!wait_status(item, status)) return "exit=N, signal=N or a wait status, not '" + item + "'";
    out.program_results.push_back(status);
  }
  return "";
}

using line_handler = std::string (*)(const std::string &keyword, const std::string &rest,
                                     response_case &out);

struct keyword_line {
  const char *keyword;
  line_handler handle;
};

constexpr keyword_line keyword_lines[] = {
    {"show", show_line},
    {"call", show_line},
    {"request", request_line},
    {"interface", interface_line},
    {"error", error_line},
    {"vdc", number_line<&response_case::current_vdc>},
    {"queue", number_line<&response_case::queue>},
    {"result", number_line<&response_case::result>},
    {"walk", number_line<&response_case::walk>},
    {"script-mode", number_line<&response_case::script_mode>},
    {"vdc-environment", number_line<&response_case::vdc_environment>},
    {"mode", number_line<&response_case::mode>},
    {"action", number_line<&response_case::action>},
    {"sup-state", number_line<&response_case::sup_state>},
    {"sdb-open", number_line<&response_case::sdb_open>},
    {"sdb-read", number_line<&response_case::sdb_read>},
    {"help-status", number_line<&response_case::help_status>},
    {"typed", typed_line},
    {"vdcs", vdcs_line},
    {"unsupported", unsupported_line},
    {"feature-sets", feature_sets_line},
    {"env", env_line},
    {"user", user_line},
    {"no-user", no_user_line},
    {"programs", programs_line},
};

}  // namespace

// A line whose first word is no keyword is a response attribute.
std::string header_line(const std::string &line, response_case &out) {
  auto [keyword, rest] = split(line);
  for (auto &k : keyword_lines)
    if (keyword == k.keyword) return k.handle(keyword, rest, out);
  return attribute_line(line, out.response);
}

}  // namespace standin
