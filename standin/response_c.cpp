// The C interface of the stand-in (vdc_standin.h) over response files.
#include <cstdio>
#include <new>

#include "response_file.h"
#include "vdc_standin.h"

struct vdc_standin_response {
  standin::response_case parsed;
  cmd_ctx command;
};

namespace {

void report(const std::string &why, char *error, size_t size) {
  if (error != nullptr && size > 0) std::snprintf(error, size, "%s", why.c_str());
}

}  // namespace

extern "C" vdc_standin_response *vdc_standin_response_read(const char *path, char *error,
                                                           size_t size) {
  try {
    auto *response = new vdc_standin_response;
    std::string why;
    if (!standin::read_response_file(path, response->parsed, why)) {
      delete response;
      report(why, error, size);
      return nullptr;
    }
    standin::reset();
    standin::apply_platform(response->parsed);
    response->command = standin::command_of(response->parsed);
    return response;
  } catch (const std::bad_alloc &) {
    report(std::string(path) + ": out of memory", error, size);
    return nullptr;
  }
}

extern "C" const char *vdc_standin_response_handler(const vdc_standin_response *response) {
  return response->parsed.show.c_str();
}

extern "C" cmd_handle vdc_standin_response_command(vdc_standin_response *response) {
  return response->command.handle();
}

extern "C" void vdc_standin_response_free(vdc_standin_response *response) {
  delete response;
}
