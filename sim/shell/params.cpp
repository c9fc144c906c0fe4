#include "shell/params.h"

#include <fcntl.h>
#include <strings.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "shell/commands.h"
#include "shell/pager.h"
#include "util/output.h"

namespace vdcsim {
namespace {

// Runs `fn` with standard output thrown away: TAB asks the help callbacks for their
// table without letting the framework print it.
template <typename Fn>
void silently(Fn fn) {
  output::flush();
  int saved = dup(STDOUT_FILENO);
  int null = open("/dev/null", O_WRONLY);
  if (saved >= 0 && null >= 0) dup2(null, STDOUT_FILENO);
  fn();
  output::flush();
  if (saved >= 0) {
    dup2(saved, STDOUT_FILENO);
    close(saved);
  }
  if (null >= 0) close(null);
}

bool starts_with(const std::string &name, const std::string &word) {
  return word.size() <= name.size() && strncasecmp(name.c_str(), word.c_str(), word.size()) == 0;
}

// Calls the help that answers for `kind`; the framework prints the rows.
void library_help(session &s, param_kind kind, const std::string &word) {
  cmd_ctx cmd;
  s.mgr.sync_platform();
  const char *w = word.c_str();
  switch (kind) {
    case param_kind::vdc:
      s.lib.vdc_mgr_show_e_name_help(&cmd, w);
      break;
    case param_kind::other_vdc:
      s.lib.vdc_mgr_show_no_def_name_help(&cmd, w);
      break;
    case param_kind::new_vdc:
      s.lib.vdc_mgr_show_new_name_help(&cmd, w);
      break;
    case param_kind::installed_fs:
      s.lib.vdc_mgr_show_installed_fs_help(&cmd, w);
      break;
    case param_kind::allowed_fs:
      s.lib.vdc_mgr_show_allowed_fs_help(&cmd, w);
      break;
    case param_kind::module_type:
      cmd_enum_help(&cmd, *s.lib.card_table, w);
      break;
    case param_kind::interface_list:
    case param_kind::page_length:
    case param_kind::file:
      break;
  }
}

cmd_match_result *library_match(session &s, param_kind kind, const std::string &word) {
  cmd_ctx cmd;
  s.mgr.sync_platform();
  const char *w = word.c_str();
  switch (kind) {
    case param_kind::vdc:
      return s.lib.vdc_mgr_show_e_name_match(&cmd, w, 0);
    case param_kind::other_vdc:
      return s.lib.vdc_mgr_show_no_def_name_match(&cmd, w, 0);
    case param_kind::installed_fs:
      return s.lib.vdc_mgr_show_installed_fs_match(&cmd, w);
    case param_kind::allowed_fs:
      return s.lib.vdc_mgr_show_allowed_fs_match(&cmd, w);
    case param_kind::module_type:
      return cmd_enum_match(&cmd, *s.lib.card_table, w, 0);
    default:
      return nullptr;
  }
}

const char *what(param_kind kind) {
  switch (kind) {
    case param_kind::vdc:
    case param_kind::other_vdc:
      return "VDC";
    case param_kind::installed_fs:
      return "installed feature set";
    case param_kind::allowed_fs:
      return "allowed feature set";
    case param_kind::module_type:
      return "module type";
    default:
      return "parameter";
  }
}

// A match result with a 4-byte value: the row's value.
param_value from_match(cmd_match_result *r, param_kind kind) {
  param_value v;
  if (r != nullptr && r->status == CMD_ENUM_MATCH_VALUE && r->value != nullptr &&
      r->value_len >= 4) {
    std::memcpy(&v.number, r->value, sizeof v.number);
    v.ok = true;
  } else if (r != nullptr && r->status == CMD_ENUM_MATCH_AMBIGUOUS && r->count > 1) {
    v.error = std::string("Ambiguous ") + what(kind);
  } else {
    v.error = std::string("Unknown ") + what(kind);
  }
  standin::free_match(r);
  return v;
}

param_value resolve_new_vdc(session &s, const std::string &word) {
  cmd_ctx cmd;
  s.mgr.sync_platform();
  cmd_match_result *r = s.lib.vdc_mgr_show_new_name_match(&cmd, word.c_str(), 0);
  param_value v;
  if (r == nullptr) {
    v.error = "VDC name abbreviates a keyword";
  } else if (r->status == CMD_MATCH_NONE && r->message != nullptr) {
    v.error = r->message;
    v.at_marker = false;
  } else if (r->status == CMD_MATCH_TAKEN) {
    v.error = "A VDC of this name exists";
  } else if (r->status != CMD_MATCH_VALUE || r->value == nullptr ||
             r->value_len < VDC_NAME_KEY_LEN) {
    v.error = "Invalid VDC name";
  } else {
    // The framework keeps the value in the request and lets the library rewrite it.
    std::vector<uint8_t> key(static_cast<uint8_t *>(r->value),
                             static_cast<uint8_t *>(r->value) + VDC_NAME_KEY_LEN);
    cmd.request.push_back(standin::bytes(VDC_ATTR_NAME_KEY, key));
    standin::platform().replaced_value = nullptr;
    s.lib.vdc_mgr_id_rewrite(&cmd);
    const void *named = standin::platform().replaced_value;
    const uint8_t *value = named ? static_cast<const uint8_t *>(named) : key.data();
    const char *name = reinterpret_cast<const char *>(value + 4);
    v.text.assign(name, strnlen(name, VDC_NAME_KEY_NAME_LEN));
    v.ok = true;
  }
  standin::free_match(r);
  return v;
}

param_value resolve_interfaces(session &s, const std::string &word) {
  param_value v;
  size_t start = 0;
  while (start <= word.size()) {
    size_t comma = word.find(',', start);
    std::string name = word.substr(start, comma == std::string::npos ? comma : comma - start);
    interface *i = s.model.find_interface(name);
    if (i == nullptr) {
      v.error = name.empty() ? "Missing interface" : "Unknown interface " + name;
      return v;
    }
    for (auto *seen : v.ports) {
      if (seen != i) continue;
      v.error = "Interface " + i->name + " is listed twice";
      return v;
    }
    v.ports.push_back(i);
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  v.ok = true;
  return v;
}

param_value resolve_page_length(const std::string &word) {
  param_value v;
  bool digits =
      !word.empty() && word.size() <= 3 && word.find_first_not_of("0123456789") == word.npos;
  v.number = digits ? static_cast<uint32_t>(std::stoul(word)) : 0;
  v.ok = digits && v.number <= max_page_length;
  if (!v.ok) v.error = "Invalid number of lines (0-511)";
  return v;
}

std::vector<std::string> interface_completions(session &s, const std::string &word) {
  size_t comma = word.rfind(',');
  std::string head = comma == std::string::npos ? "" : word.substr(0, comma + 1);
  std::string last = word.substr(head.size());
  std::vector<std::string> found;
  for (auto &i : s.model.interfaces)
    if (starts_with(i.name, last)) found.push_back(head + i.name);
  return found;
}

}  // namespace

void param_help(session &s, param_kind kind, const std::string &word) {
  if (kind == param_kind::interface_list) {
    help_row("<interfaces>", "Interface names separated by commas: Ethernet1/1,Eth1/2");
    return;
  }
  if (kind == param_kind::page_length) {
    help_row("<0-511>", "Lines on a page; 0 never stops at --More--");
    return;
  }
  if (kind == param_kind::file) {
    help_row("<file>", "The chassis file to write");
    return;
  }
  library_help(s, kind, word);
}

std::vector<std::string> param_completions(session &s, param_kind kind, const std::string &word) {
  if (kind == param_kind::interface_list) return interface_completions(s, word);
  if (kind == param_kind::page_length || kind == param_kind::file) return {};
  auto &p = standin::platform();
  p.last_table.clear();
  silently([&] { library_help(s, kind, word); });
  std::vector<std::string> names;
  if (!p.last_table.empty() && p.last_table.front().name.empty()) {
    for (auto &v : p.vdcs)
      names.push_back(v.name);
  } else {
    for (auto &row : p.last_table)
      names.push_back(row.name);
  }
  std::vector<std::string> found;
  for (auto &name : names) {
    bool placeholder = name.empty() || name[0] == '<' || name[0] == '.';
    if (!placeholder && starts_with(name, word)) found.push_back(name);
  }
  return found;
}

param_value param_resolve(session &s, param_kind kind, const std::string &word) {
  switch (kind) {
    case param_kind::new_vdc:
      return resolve_new_vdc(s, word);
    case param_kind::interface_list:
      return resolve_interfaces(s, word);
    case param_kind::page_length:
      return resolve_page_length(word);
    case param_kind::file:
      return param_value{true, 0, word, "", true, {}};
    default:
      return from_match(library_match(s, kind, word), kind);
  }
}

const char *param_placeholder(param_kind kind) {
  switch (kind) {
    case param_kind::vdc:
    case param_kind::other_vdc:
      return "<vdc>";
    case param_kind::new_vdc:
      return "<new-vdc>";
    case param_kind::installed_fs:
    case param_kind::allowed_fs:
      return "<feature-set>";
    case param_kind::module_type:
      return "<module-type>...";
    case param_kind::interface_list:
      return "<interfaces>";
    case param_kind::page_length:
      return "<0-511>";
    case param_kind::file:
      return "<file>";
  }
  return "<word>";
}

}  // namespace vdcsim
