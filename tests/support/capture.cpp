#include "capture.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <stdexcept>

namespace zms_test {

std::string capture_stdout(const std::function<void()> &fn) {
  fflush(stdout);
  FILE *sink = tmpfile();
  if (sink == nullptr) throw std::runtime_error("tmpfile failed");
  int saved = dup(STDOUT_FILENO);
  dup2(fileno(sink), STDOUT_FILENO);
  fn();
  fflush(stdout);
  dup2(saved, STDOUT_FILENO);
  close(saved);
  std::string out;
  rewind(sink);
  char buf[4096];
  for (size_t n; (n = fread(buf, 1, sizeof buf, sink)) > 0;)
    out.append(buf, n);
  fclose(sink);
  return out;
}

}  // namespace zms_test
