#include "chassis/yaml_writer.h"

#include <cstdio>

namespace vdcsim {
namespace {

bool plain_safe_char(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
         std::string_view("._/()+-").find(c) != std::string_view::npos;
}

// Letters, digits, "._/()+-" and single inner spaces, starting with a letter, a digit or
// "_", "(", "/": read back as the same text in block and flow context alike. Every field
// that takes text takes a plain number or word (1, no, null) as the text written.
bool plain(std::string_view text) {
  if (text.empty() || text.back() == ' ' || text.find("  ") != std::string_view::npos) return false;
  char first = text.front();
  if (first == '-' || first == '.' || first == '+' || first == ' ') return false;
  for (char c : text)
    if (c != ' ' && !plain_safe_char(c)) return false;
  return true;
}

void quote(std::string &out, std::string_view text) {
  out += '"';
  for (unsigned char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20 || c == 0x7f) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\x%02x", c);
      out += escape;
    } else {
      out += static_cast<char>(c);
    }
  }
  out += '"';
}

}  // namespace

void yaml_writer::comment(std::string_view text) {
  out_.append(indent_, ' ').append("# ").append(text) += '\n';
}

void yaml_writer::key(std::string_view name) {
  if (flow_) {
    out_ += first_ ? "" : ", ";
  } else if (first_) {
    out_ += ' ';  // after "- "
  } else {
    out_.append(indent_, ' ');
  }
  first_ = false;
  out_.append(name) += ": ";
}

void yaml_writer::scalar(std::string_view value) {
  if (plain(value))
    out_ += value;
  else
    quote(out_, value);
}

void yaml_writer::open(std::string_view name) {
  out_.append(indent_, ' ').append(name) += ":\n";
  indent_ += 2;
}

void yaml_writer::begin_item(bool flow) {
  out_.append(indent_, ' ') += flow ? "- {" : "-";
  flow_ = flow;
  first_ = true;
  indent_ += 2;
}

void yaml_writer::end_item() {
  out_ += flow_ ? "}\n" : "";
  flow_ = false;
  first_ = false;
  indent_ -= 2;
}

void yaml_writer::text(std::string_view name, std::string_view value) {
  key(name);
  scalar(value);
  if (!flow_) out_ += '\n';
}

void yaml_writer::raw(std::string_view name, std::string_view value) {
  key(name);
  out_ += value;
  if (!flow_) out_ += '\n';
}

void yaml_writer::integer(std::string_view name, int64_t value) {
  raw(name, std::to_string(value));
}

void yaml_writer::hex(std::string_view name, uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%x", value);
  raw(name, text);
}

void yaml_writer::boolean(std::string_view name, bool value) {
  raw(name, value ? "true" : "false");
}

void yaml_writer::texts(std::string_view name, const std::vector<std::string> &values) {
  std::string list = "[";
  for (auto &v : values) {
    list += list.size() > 1 ? ", " : "";
    if (plain(v))
      list += v;
    else
      quote(list, v);
  }
  raw(name, list + "]");
}

void yaml_writer::integers(std::string_view name, const std::vector<uint32_t> &values) {
  std::string list = "[";
  for (auto v : values)
    list.append(list.size() > 1 ? ", " : "").append(std::to_string(v));
  raw(name, list + "]");
}

}  // namespace vdcsim
