// Typed reads of chassis-file fields. The first fault is kept with the place of the
// value and the path of the field; later reads are skipped once a fault is known.
#ifndef VDCSIM_CHASSIS_READER_H
#define VDCSIM_CHASSIS_READER_H

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "chassis/document.h"

namespace vdcsim {

// One mapping of the file and the path that leads to it ("vdcs[2]").
struct node {
  const doc::value &v;
  std::string path;

  std::string child(const char *name) const { return path.empty() ? name : path + "." + name; }
};

// The path of a value, spelt out only when a message needs it: a whole path, or a
// field of a node.
struct place {
  const std::string *path = nullptr;
  const node *parent = nullptr;
  const char *name = nullptr;

  std::string text() const { return path ? *path : parent->child(name); }
};

class chassis_reader {
 public:
  explicit chassis_reader(std::string file_name) : file_(std::move(file_name)) {}

  bool ok() const { return error_.empty(); }
  const std::string &error() const { return error_; }
  void fail(const doc::position &at, const std::string &path, const std::string &what);

  // Checks that `n` is an object holding only the names given.
  bool object(const node &n, std::initializer_list<const char *> known);
  const doc::value *field(const node &n, const char *name, bool required);

  void text(const node &n, const char *name, std::string &out, bool required = false);
  void boolean(const node &n, const char *name, bool &out);
  // Whole numbers from `low` to `high`; `hex` also takes strings such as "0x40a0001b".
  void number(const node &n, const char *name, int64_t low, int64_t high, int64_t &out,
              bool required = false, bool hex = false);
  void word(const node &n, const char *name, uint32_t low, uint32_t high, uint32_t &out,
            bool required = false);
  void code(const node &n, const char *name, uint32_t &out, bool required = false);
  void time(const node &n, const char *name, int64_t &out, bool required = false);
  void words(const node &n, const char *name, uint32_t low, uint32_t high,
             std::vector<uint32_t> &out);
  void texts(const node &n, const char *name, std::vector<std::string> &out);
  // Calls `each` with every element of the list `name`, as a node "name[i]".
  void list(const node &n, const char *name, const std::function<void(const node &)> &each,
            bool required = false);
  // A whole number from `low` to `high` that stands at `path`.
  bool whole(const doc::value &v, const std::string &path, int64_t low, int64_t high,
             int64_t &out) {
    return number_value(v, place{&path}, low, high, false, out);
  }

 private:
  bool number_value(const doc::value &v, const place &at, int64_t low, int64_t high, bool hex,
                    int64_t &out);
  std::string file_;
  std::string error_;
};

}  // namespace vdcsim

#endif  // VDCSIM_CHASSIS_READER_H
