// The library as the switch shell loads it: opened with dlopen and every exported
// handler, callback, lookup and table bound by name.
#ifndef VDCSIM_LIBRARY_H
#define VDCSIM_LIBRARY_H

#include <string>
#include <vector>

#include "library_exports.h"
#include "zudoru_mgr_show.h"

namespace vdcsim {

// One pointer per exported name, typed as the header declares it; data names are
// pointers to the library's objects (card_table is `cmd_enum_entry (*)[10]`).
struct library {
#define VDCSIM_MEMBER(name) decltype(&::name) name = nullptr;
  ZMS_EXPORTS(VDCSIM_MEMBER)
#undef VDCSIM_MEMBER
};

// Opens `path` and binds every name. On failure `error` says why in one line: the
// loader's own message, or how many names the library lacks and the first of them.
bool load_library(const std::string &path, library &out, std::string &error);

// The library in the library folder beside this program's folder, in a build as installed.
std::string default_library_path();

// "1.0.0 (/usr/lib/libzudoru_mgr_show.so.1.0.0)", from the name of the file `path`
// leads to; "unknown (...)" when that name holds no version.
std::string library_version(const std::string &path);

// The names of ZMS_EXPORTS, in order.
const std::vector<const char *> &exported_names();

}  // namespace vdcsim

#endif  // VDCSIM_LIBRARY_H
