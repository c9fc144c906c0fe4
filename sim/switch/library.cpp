#include "switch/library.h"

#include <dlfcn.h>
#include <limits.h>
#include <unistd.h>

#include <cstring>

namespace vdcsim {
namespace {

template <typename T>
void bind(void *handle, const char *name, T &slot, std::string &error) {
  void *symbol = dlsym(handle, name);
  if (symbol == nullptr) {
    error += std::string(error.empty() ? "" : "\n") + "the library lacks the symbol '" + name + "'";
    return;
  }
  std::memcpy(&slot, &symbol, sizeof slot);
}

std::string directory_of_program() {
  char path[PATH_MAX];
  ssize_t len = readlink("/proc/self/exe", path, sizeof path - 1);
  if (len <= 0) return "";
  path[len] = '\0';
  char *slash = std::strrchr(path, '/');
  if (slash == nullptr) return "";
  *slash = '\0';
  return path;
}

}  // namespace

bool load_library(const std::string &path, library &out, std::string &error) {
  error.clear();
  void *handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    const char *why = dlerror();
    error = why ? why : ("cannot load " + path);
    return false;
  }
  library bound;
#define VDCSIM_BIND(name) bind(handle, #name, bound.name, error);
  VDCSIM_EXPORTS(VDCSIM_BIND)
#undef VDCSIM_BIND
  if (!error.empty()) {
    dlclose(handle);
    return false;
  }
  out = bound;
  return true;
}

// Beside the program's folder in a build, in the library folder of an installed tree, or
// where the build put it.
std::string default_library_path() {
  for (const char *folder : {"/../", "/../" VDCSIM_INSTALLED_LIBDIR "/"}) {
    std::string path = directory_of_program() + folder + "libzudoru_mgr_show.so";
    if (access(path.c_str(), R_OK) == 0) return path;
  }
  return VDCSIM_BUILT_LIBRARY;
}

const std::vector<const char *> &exported_names() {
#define VDCSIM_NAME(name) #name,
  static const std::vector<const char *> names = {VDCSIM_EXPORTS(VDCSIM_NAME)};
#undef VDCSIM_NAME
  return names;
}

}  // namespace vdcsim
