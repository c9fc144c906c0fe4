// A small JSON reader and writer for chassis files: every value remembers where it
// stood in the text, so that a complaint about a field can name its line and column.
#ifndef VDCSIM_JSON_H
#define VDCSIM_JSON_H

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vdcsim::json {

struct position {
  int line = 1;
  int column = 1;
};

enum class kind { null, boolean, number, string, array, object };

struct value {
  kind type = kind::null;
  position at;
  bool flag = false;
  double number = 0;
  bool integral = false;  // written without fraction or exponent
  std::string text;
  std::vector<value> items;                            // array
  std::vector<std::pair<std::string, value>> members;  // object, in file order

  const value *member(std::string_view name) const;
};

struct parse_error {
  position at;
  std::string message;
};

// Parses a whole document; on failure returns false and fills `error`.
bool parse(std::string_view text, value &out, parse_error &error);

// What a kind is called in messages: "a number", "an object", ...
const char *describe(kind type);

// Writes JSON text with two-space indentation; numbers are written as integers.
class writer {
 public:
  void begin_object();
  void end_object();
  void begin_array();
  void end_array();
  void key(std::string_view name);
  void string(std::string_view text);
  void integer(int64_t number);
  void boolean(bool flag);
  const std::string &text() const { return out_; }

 private:
  void before_value();
  void newline();
  void quote(std::string_view text);
  std::string out_;
  std::vector<bool> first_;  // per open container: nothing written in it yet
  bool after_key_ = false;
};

}  // namespace vdcsim::json

#endif  // VDCSIM_JSON_H
