// Plain (unquoted) scalars as YAML's core schema reads them: true and false in three
// spellings, whole numbers (decimal, 0x hexadecimal, 0o octal), other numbers (1.5, 1e3,
// .inf); anything else is a string. The text stays as written.
#ifndef VDCSIM_PLAIN_SCALAR_H
#define VDCSIM_PLAIN_SCALAR_H

#include "chassis/document.h"

namespace vdcsim::doc {

// Sets the kind of `v` (a string so far) from its text.
void classify_plain(value &v);

}  // namespace vdcsim::doc

#endif  // VDCSIM_PLAIN_SCALAR_H
