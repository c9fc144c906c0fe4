#include "switch/library.h"

#include <dlfcn.h>
#include <limits.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace vdcsim {
namespace {

constexpr size_t names_shown = 3;

template <typename T>
void bind(void *handle, const char *name, T &slot, std::vector<const char *> &missing) {
  void *symbol = dlsym(handle, name);
  if (symbol == nullptr) return missing.push_back(name);
  std::memcpy(&slot, &symbol, sizeof slot);
}

// "it lacks 3 of the 49 exported names: a, b, c" and, past three, "and N more".
std::string lacking(const std::vector<const char *> &missing) {
  std::string text = "it lacks " + std::to_string(missing.size()) + " of the " +
                     std::to_string(exported_names().size()) + " exported names: ";
  for (size_t i = 0; i < missing.size() && i < names_shown; ++i)
    text += std::string(i == 0 ? "" : ", ") + missing[i];
  if (missing.size() > names_shown)
    text += " and " + std::to_string(missing.size() - names_shown) + " more";
  return text;
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
  std::vector<const char *> missing;
#define VDCSIM_BIND(name) bind(handle, #name, bound.name, missing);
  ZMS_EXPORTS(VDCSIM_BIND)
#undef VDCSIM_BIND
  if (!missing.empty()) {
    error = lacking(missing);
    dlclose(handle);
    return false;
  }
  out = bound;
  return true;
}

// The library folder beside the program's: a build lays it out as an installed tree does, so
// one relative path serves both, and an installed vdcsim never reaches into a build tree.
std::string default_library_path() {
  std::filesystem::path path =
      directory_of_program() + "/../" VDCSIM_LIBDIR "/libzudoru_mgr_show.so";
  return path.lexically_normal();
}

// The version in the name of the file the path leads to: libzudoru_mgr_show.so is a link
// to .so.1, and that to .so.1.0.0.
std::string library_version(const std::string &path) {
  char *real = realpath(path.c_str(), nullptr);
  if (real == nullptr) return "unknown (" + path + ")";
  std::string file = real;
  std::free(real);
  size_t at = file.rfind(".so.");
  bool numbered = at != std::string::npos && at > file.rfind('/') &&
                  file.find_first_not_of("0123456789.", at + 4) == std::string::npos;
  return (numbered ? file.substr(at + 4) : std::string("unknown")) + " (" + file + ")";
}

const std::vector<const char *> &exported_names() {
#define VDCSIM_NAME(name) #name,
  static const std::vector<const char *> names = {ZMS_EXPORTS(VDCSIM_NAME)};
#undef VDCSIM_NAME
  return names;
}

}  // namespace vdcsim
