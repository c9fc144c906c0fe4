#include "shell/shown_output.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "shell/actions.h"
#include "shell/pager.h"

namespace vdcsim {
namespace {

FILE *anonymous_file() {
  int fd = memfd_create("vdcsim-output", MFD_CLOEXEC);
  if (fd < 0) return std::tmpfile();
  FILE *file = fdopen(fd, "w+");
  if (file == nullptr) close(fd);
  return file;
}

// Runs `command` with standard output pointed at `file`; false when it could not be.
bool printed_into(FILE *file, const std::function<bool()> &command, bool &result) {
  std::fflush(stdout);
  int saved = dup(STDOUT_FILENO);
  if (saved < 0) return false;
  if (dup2(fileno(file), STDOUT_FILENO) < 0) {
    close(saved);
    return false;
  }
  result = command();
  std::fflush(stdout);
  dup2(saved, STDOUT_FILENO);
  close(saved);
  std::rewind(file);
  return true;
}

// Reads the output back a line at a time, so that only one line is ever held.
void play_back(FILE *file, output_filters &filters, pager &out) {
  auto put = [&out](const std::string &line) { return out.put(line); };
  char *buffer = nullptr;
  size_t size = 0;
  bool wanted = true;
  for (ssize_t n; wanted && (n = getline(&buffer, &size, file)) > 0;)
    wanted = filters.pass(std::string(buffer, static_cast<size_t>(n)), put);
  std::free(buffer);
  if (wanted) filters.finish(put);
  std::fflush(stdout);
}

}  // namespace

bool run_shown(const std::function<bool()> &command, output_filters &filters, bool filterable) {
  int page = filterable && filters.paged() ? page_lines() : 0;
  if (!filterable || (filters.empty() && page == 0)) return command();
  FILE *file = anonymous_file();
  bool result = false;
  if (file == nullptr || !printed_into(file, command, result)) {
    if (file != nullptr) std::fclose(file);
    if (!filters.empty())
      return refuse(std::string("Cannot filter the output: ") + strerror(errno));
    return command();
  }
  pager out(page);
  play_back(file, filters, out);
  std::fclose(file);
  return result;
}

}  // namespace vdcsim
