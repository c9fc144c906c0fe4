#include "util/output.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace vdcsim::output {
namespace {

int first_error = 0;
bool captured = false;

}  // namespace

bool flush() {
  errno = 0;
  bool flushed = std::fflush(stdout) == 0;
  if (!flushed && !captured && first_error == 0) first_error = errno != 0 ? errno : EIO;
  return flushed && !std::ferror(stdout);
}

void set_capturing(bool capturing) {
  captured = capturing;
}

std::string fault() {
  if (flush() && first_error == 0) return "";
  return std::strerror(first_error != 0 ? first_error : EIO);
}

int finish(int status) {
  std::string why = fault();
  if (why.empty()) return status;
  std::fprintf(stderr, "vdcsim: cannot write the output: %s\n", why.c_str());
  return status > 1 ? status : 1;
}

}  // namespace vdcsim::output
