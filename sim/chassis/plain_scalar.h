// Scalars as YAML's core schema reads them: a plain (unquoted, untagged) scalar is null
// (~, null, nothing), true or false in three spellings, a whole number (decimal, 0x
// hexadecimal, 0o octal), another number (1.5, 1e3, .inf) or a string; a quoted one is a
// string. The text stays as written.
#ifndef VDCSIM_PLAIN_SCALAR_H
#define VDCSIM_PLAIN_SCALAR_H

#include <cstdint>
#include <string_view>

namespace vdcsim {

enum class scalar_kind : uint8_t { null, boolean, number, string };

struct scalar {
  scalar_kind kind = scalar_kind::string;
  bool flag = false;      // boolean
  bool integral = false;  // number: written as a whole number
  bool fits = false;      // a whole number within 64 bits: `whole` holds it
  int64_t whole = 0;
};

scalar classify(std::string_view text, bool plain);

}  // namespace vdcsim

#endif  // VDCSIM_PLAIN_SCALAR_H
