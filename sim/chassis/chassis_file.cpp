// Reading a chassis file into the model. A fault of the file's own syntax further on is
// the one told, so the rest of the file is read after a fault in its fields.
#include "chassis/chassis_file.h"

#include <cstdio>
#include <cstdlib>

#include "chassis/chassis_reader.h"
#include "util/files.h"

namespace vdcsim {

bool parse_chassis(std::string_view text, const std::string &file_name, chassis &out,
                   std::string &error) {
  chassis loaded;
  yaml_events events(text);
  chassis_reader reader(events, loaded);
  if (!reader.run()) {
    events.drain();
    error = file_name + ":" + std::to_string(events.fault_at().line) + ":" +
            std::to_string(events.fault_at().column) + ": " + events.fault();
    return false;
  }
  out = std::move(loaded);
  return true;
}

extern const char builtin_chassis_text[];  // sim/chassis/builtin.yaml

chassis default_chassis() {
  chassis c;
  std::string error;
  if (!parse_chassis(builtin_chassis_text, "builtin.yaml", c, error)) {
    std::fprintf(stderr, "vdcsim: %s\n", error.c_str());
    std::abort();
  }
  return c;
}

bool load_chassis(const std::string &path, chassis &out, std::string &error) {
  std::string text;
  if (!read_bounded(path, max_chassis_bytes, true, text, error)) return false;
  return parse_chassis(text, path, out, error);
}

}  // namespace vdcsim
