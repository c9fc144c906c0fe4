#include "library_loader.h"

#include <dlfcn.h>

#include <cstdlib>

loaded_library::loaded_library() {
  handle_ = dlopen(ZMS_LIBRARY_PATH, RTLD_NOW | RTLD_LOCAL);
  if (handle_ != nullptr) table_ = static_cast<cmd_enum_entry *>(dlsym(handle_, "card_table"));
  if (table_ == nullptr) {
    const char *text = dlerror();
    error_ = text != nullptr ? text : "no card_table";
  }
}

loaded_library::~loaded_library() {
  if (table_ != nullptr) {
    for (size_t i = 0; i < 10; ++i) {
      free(const_cast<char *>(table_[i].name));
      free(const_cast<char *>(table_[i].help));
    }
  }
  if (handle_ != nullptr) dlclose(handle_);
}

std::vector<std::string> loaded_library::rows() const {
  auto text = [](const char *s) { return s != nullptr ? std::string(s) : "NULL"; };
  std::vector<std::string> rows;
  for (size_t i = 0; table_ != nullptr && i < 10; ++i)
    rows.push_back(text(table_[i].name) + "|" + std::to_string(table_[i].value) + "|" +
                   text(table_[i].help));
  return rows;
}

std::set<void *> loaded_library::blocks() const {
  std::set<void *> blocks;
  for (size_t i = 0; table_ != nullptr && i < 10; ++i) {
    for (const char *block : {table_[i].name, table_[i].help})
      if (block != nullptr) blocks.insert(const_cast<char *>(block));
  }
  return blocks;
}

bool loaded_library::unloaded() {
  void *left = dlopen(ZMS_LIBRARY_PATH, RTLD_NOW | RTLD_NOLOAD);
  if (left == nullptr) return true;
  dlclose(left);
  return false;
}
