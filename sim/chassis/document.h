// A chassis file as a tree of values, read with yaml-cpp: every value remembers where it
// stood in the text, so that a complaint about a field can name its line and column.
// Scalars keep the text the operator wrote; a plain (unquoted) scalar is also classified
// as YAML's core schema reads it: null, true or false, a number, or a string.
#ifndef VDCSIM_DOCUMENT_H
#define VDCSIM_DOCUMENT_H

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vdcsim::doc {

struct position {
  int line = 1;
  int column = 1;
};

enum class kind { null, boolean, number, string, list, object };

struct value {
  kind type = kind::null;
  position at;
  std::string text;       // a scalar as written: "~", "no", "0x1b", "2.5", ...
  bool flag = false;      // boolean
  bool integral = false;  // number: written as a whole number
  bool fits = false;      // a whole number within 64 bits: `whole` holds it
  int64_t whole = 0;
  std::vector<value> items;        // list; object: the fields' values, in file order
  std::vector<std::string> names;  // object: the fields' names, beside their values

  bool scalar() const { return type != kind::list && type != kind::object; }
  const value *member(std::string_view name) const;
};

struct parse_error {
  position at;
  std::string message;
};

// Reads a whole file of one YAML document (JSON is YAML too); on failure returns false
// and fills `error`. Bounded: at most 262,144 values and 64 levels.
bool parse(std::string_view text, value &out, parse_error &error);

// What a kind is called in messages: "a number", "an object", ...
const char *describe(kind type);

}  // namespace vdcsim::doc

#endif  // VDCSIM_DOCUMENT_H
