#include "chassis/json.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace vdcsim::json {
namespace {

constexpr int max_depth = 64;
// Bounds the memory a document can take, whatever its shape: a full chassis of 16,384
// interfaces holds about 70,000 values.
constexpr size_t max_values = 1u << 18;

class parser {
 public:
  explicit parser(std::string_view text) : text_(text) {}

  bool document(value &out, parse_error &error) {
    skip_blanks();
    if (!parse_value(out, 0)) {
      error = error_;
      return false;
    }
    skip_blanks();
    if (pos_ < text_.size()) {
      fail("unexpected text after the document");
      error = error_;
      return false;
    }
    return true;
  }

 private:
  bool fail(std::string message) {
    error_ = parse_error{here(), std::move(message)};
    return false;
  }

  position here() const { return position{line_, column_}; }
  bool at_end() const { return pos_ >= text_.size(); }
  char peek() const { return at_end() ? '\0' : text_[pos_]; }

  void advance() {
    if (text_[pos_] == '\n') {
      ++line_;
      column_ = 1;
    } else {
      ++column_;
    }
    ++pos_;
  }

  void skip_blanks() {
    while (!at_end() && (peek() == ' ' || peek() == '\t' || peek() == '\n' || peek() == '\r'))
      advance();
  }

  bool literal(std::string_view word) {
    if (text_.substr(pos_, word.size()) != word) return fail("unknown word");
    for (size_t i = 0; i < word.size(); ++i)
      advance();
    return true;
  }

  bool parse_value(value &out, int depth) {
    if (depth > max_depth) return fail("nested too deeply");
    if (++values_ > max_values) return fail("more than " + std::to_string(max_values) + " values");
    out = value{};
    out.at = here();
    switch (peek()) {
      case '{':
        return parse_object(out, depth);
      case '[':
        return parse_array(out, depth);
      case '"':
        out.type = kind::string;
        return parse_string(out.text);
      case 't':
        out.type = kind::boolean;
        out.flag = true;
        return literal("true");
      case 'f':
        out.type = kind::boolean;
        return literal("false");
      case 'n':
        return literal("null");
      case '\0':
        if (at_end()) return fail("unexpected end of the file");
        return fail("unexpected character");
      default:
        if (peek() == '-' || (peek() >= '0' && peek() <= '9')) return parse_number(out);
        return fail("unexpected character");
    }
  }

  bool parse_object(value &out, int depth) {
    out.type = kind::object;
    advance();
    skip_blanks();
    if (peek() == '}') {
      advance();
      return true;
    }
    out.members.reserve(2);  // fewer allocations for the small objects of a chassis
    for (;;) {
      skip_blanks();
      if (peek() != '"') return fail("expected a member name in double quotes");
      position key_at = here();
      std::string name;
      if (!parse_string(name)) return false;
      if (out.member(name) != nullptr) {
        error_ = parse_error{key_at, "duplicate member \"" + name + "\""};
        return false;
      }
      skip_blanks();
      if (peek() != ':') return fail("expected ':' after the member name");
      advance();
      skip_blanks();
      value item;
      if (!parse_value(item, depth + 1)) return false;
      out.members.emplace_back(std::move(name), std::move(item));
      skip_blanks();
      if (peek() == ',') {
        advance();
        continue;
      }
      if (peek() == '}') {
        advance();
        return true;
      }
      return fail("expected ',' or '}'");
    }
  }

  bool parse_array(value &out, int depth) {
    out.type = kind::array;
    advance();
    skip_blanks();
    if (peek() == ']') {
      advance();
      return true;
    }
    for (;;) {
      skip_blanks();
      value item;
      if (!parse_value(item, depth + 1)) return false;
      out.items.push_back(std::move(item));
      skip_blanks();
      if (peek() == ',') {
        advance();
        continue;
      }
      if (peek() == ']') {
        advance();
        return true;
      }
      return fail("expected ',' or ']'");
    }
  }

  bool parse_string(std::string &out) {
    advance();  // the opening quote
    for (;;) {
      if (at_end()) return fail("unterminated string");
      char c = peek();
      if (c == '"') {
        advance();
        return true;
      }
      if (static_cast<unsigned char>(c) < 0x20) return fail("control character in a string");
      if (c == '\\') {
        if (!parse_escape(out)) return false;
        continue;
      }
      // A run of plain characters holds no line break: it moves along one line.
      size_t end = pos_ + 1;
      while (end < text_.size() && text_[end] != '"' && text_[end] != '\\' &&
             static_cast<unsigned char>(text_[end]) >= 0x20)
        ++end;
      out.append(text_.data() + pos_, end - pos_);
      column_ += static_cast<int>(end - pos_);
      pos_ = end;
    }
  }

  bool parse_escape(std::string &out) {
    advance();
    char c = peek();
    const char *simple = "\"\\/bfnrt";
    const char *meaning = "\"\\/\b\f\n\r\t";
    for (int i = 0; simple[i] != '\0'; ++i) {
      if (c == simple[i]) {
        out += meaning[i];
        advance();
        return true;
      }
    }
    if (c != 'u') return fail("unknown escape in a string");
    advance();
    unsigned code = 0;
    for (int i = 0; i < 4; ++i) {
      char h = peek();
      int digit = (h >= '0' && h <= '9')   ? h - '0'
                  : (h >= 'a' && h <= 'f') ? h - 'a' + 10
                  : (h >= 'A' && h <= 'F') ? h - 'A' + 10
                                           : -1;
      if (digit < 0) return fail("expected four hexadecimal digits after \\u");
      code = code * 16 + static_cast<unsigned>(digit);
      advance();
    }
    append_utf8(out, code);
    return true;
  }

  static void append_utf8(std::string &out, unsigned code) {
    if (code < 0x80) {
      out += static_cast<char>(code);
    } else if (code < 0x800) {
      out += static_cast<char>(0xc0 | (code >> 6));
      out += static_cast<char>(0x80 | (code & 0x3f));
    } else {
      out += static_cast<char>(0xe0 | (code >> 12));
      out += static_cast<char>(0x80 | ((code >> 6) & 0x3f));
      out += static_cast<char>(0x80 | (code & 0x3f));
    }
  }

  bool parse_number(value &out) {
    size_t start = pos_;
    bool integral = true;
    if (peek() == '-') advance();
    if (!(peek() >= '0' && peek() <= '9')) return fail("expected a digit");
    while (peek() >= '0' && peek() <= '9')
      advance();
    if (peek() == '.' || peek() == 'e' || peek() == 'E') {
      integral = false;
      while (!at_end() && std::string_view("0123456789.eE+-").find(peek()) != std::string::npos)
        advance();
    }
    out.type = kind::number;
    out.integral = integral;
    std::string_view digits = text_.substr(start, pos_ - start);
    // Whole numbers of up to 15 digits are exact as doubles: the common case, summed here.
    if (integral && digits.size() <= 15) {
      bool negative = digits[0] == '-';
      double sum = 0;
      for (char d : digits.substr(negative ? 1 : 0))
        sum = sum * 10 + (d - '0');
      out.number = negative ? -sum : sum;
      return true;
    }
    std::string copy(digits);
    char *end = nullptr;
    out.number = std::strtod(copy.c_str(), &end);
    if (end == nullptr || *end != '\0' || !std::isfinite(out.number))
      return fail("malformed number");
    return true;
  }

  size_t values_ = 0;
  std::string_view text_;
  size_t pos_ = 0;
  int line_ = 1;
  int column_ = 1;
  parse_error error_;
};

}  // namespace

const value *value::member(std::string_view name) const {
  for (auto &m : members)
    if (m.first == name) return &m.second;
  return nullptr;
}

bool parse(std::string_view text, value &out, parse_error &error) {
  return parser(text).document(out, error);
}

const char *describe(kind type) {
  switch (type) {
    case kind::null:
      return "null";
    case kind::boolean:
      return "true or false";
    case kind::number:
      return "a number";
    case kind::string:
      return "a string";
    case kind::array:
      return "a list";
    case kind::object:
      return "an object";
  }
  return "a value";
}

void writer::newline() {
  out_ += '\n';
  out_.append(first_.size() * 2, ' ');
}

void writer::before_value() {
  if (after_key_) {
    after_key_ = false;
    return;
  }
  if (first_.empty()) return;
  if (!first_.back()) out_ += ',';
  first_.back() = false;
  newline();
}

void writer::begin_object() {
  before_value();
  out_ += '{';
  first_.push_back(true);
}

void writer::end_object() {
  bool empty = first_.back();
  first_.pop_back();
  if (!empty) newline();
  out_ += '}';
  if (first_.empty()) out_ += '\n';
}

void writer::begin_array() {
  before_value();
  out_ += '[';
  first_.push_back(true);
}

void writer::end_array() {
  bool empty = first_.back();
  first_.pop_back();
  if (!empty) newline();
  out_ += ']';
}

void writer::key(std::string_view name) {
  before_value();
  quote(name);
  out_ += ": ";
  after_key_ = true;
}

void writer::string(std::string_view text) {
  before_value();
  quote(text);
}

void writer::quote(std::string_view text) {
  out_ += '"';
  for (char c : text) {
    if (c == '"' || c == '\\') {
      out_ += '\\';
      out_ += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\u%04x", static_cast<unsigned char>(c));
      out_ += buf;
    } else {
      out_ += c;
    }
  }
  out_ += '"';
}

void writer::integer(int64_t number) {
  before_value();
  out_ += std::to_string(number);
}

void writer::boolean(bool flag) {
  before_value();
  out_ += flag ? "true" : "false";
}

}  // namespace vdcsim::json
