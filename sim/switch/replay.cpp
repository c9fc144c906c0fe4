#include "switch/replay.h"

#include <cstdio>

#include "response_file.h"
#include "util/output.h"

namespace vdcsim {
namespace {

using show_fn = int32_t (*)(cmd_handle);

struct display {
  const char *name;
  show_fn library::*handler;
};

#define VDCSIM_DISPLAY(name) {#name, &library::name},
constexpr display displays[] = {ZMS_SHOW_HANDLERS(VDCSIM_DISPLAY)};
#undef VDCSIM_DISPLAY

show_fn find_display(const library &lib, const std::string &name) {
  for (auto &d : displays)
    if (name == d.name) return lib.*d.handler;
  return nullptr;
}

std::string display_names() {
  std::string names;
  for (auto &d : displays)
    names += std::string(names.empty() ? "" : ", ") + d.name;
  return names;
}

}  // namespace

int replay_response(const library &lib, const std::string &path) {
  standin::response_case c;
  std::string error;
  if (!standin::read_response_file(path, c, error)) {
    std::fprintf(stderr, "vdcsim: %s\n", error.c_str());
    return 2;
  }
  show_fn show = find_display(lib, c.show);
  if (show == nullptr) {
    std::fprintf(stderr, "vdcsim: %s: no display '%s'; expected one of %s\n", path.c_str(),
                 c.show.c_str(), display_names().c_str());
    return 2;
  }
  standin::reset();
  standin::apply_platform(c);
  cmd_ctx cmd;
  cmd.request = c.request;
  cmd.response = c.response;
  show(&cmd);
  output::flush();
  return 0;
}

}  // namespace vdcsim
