// The response-file reader on any text. A file either parses into a case that names its
// handler or is refused with a numbered line or the missing `show` line; anything else,
// like a crash, a leak or undefined behaviour, is a fault. A case read must be one the
// stand-in can put in place: every environment name one that setenv takes.
#include <cstdlib>
#include <string>

#include "response_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  std::string text(reinterpret_cast<const char *>(data), size);
  standin::response_case parsed;
  std::string error;
  bool read = standin::parse_response(text, parsed, error);
  bool explained = error.starts_with("line ") || error == "no `show` line";
  if (read ? parsed.show.empty() || !error.empty() : !explained) abort();
  for (auto &variable : parsed.environment)
    if (read && (variable.first.empty() || variable.first.find('=') != std::string::npos)) abort();
  return 0;
}
