#include "shell/shown_output.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "shell/actions.h"
#include "shell/pager.h"
#include "util/output.h"

namespace vdcsim {
namespace {

constexpr off_t capture_limit = off_t{16} << 20;

// The limit, or less when the process may not make files that large.
off_t capture_size() {
  rlimit limit{};
  if (getrlimit(RLIMIT_FSIZE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY ||
      limit.rlim_cur >= static_cast<rlim_t>(capture_limit))
    return capture_limit;
  return static_cast<off_t>(limit.rlim_cur);
}

// Sized and sealed, the file cannot grow past the limit: what a command prints beyond
// it fails to be written instead of being held. Pages never written take no memory.
FILE *anonymous_file() {
  int fd = memfd_create("vdcsim-output", MFD_CLOEXEC | MFD_ALLOW_SEALING);
  if (fd < 0) return std::tmpfile();
  if (ftruncate(fd, capture_size()) == 0) fcntl(fd, F_ADD_SEALS, F_SEAL_GROW);
  FILE *file = fdopen(fd, "w+");
  if (file == nullptr) close(fd);
  return file;
}

struct printed {
  bool result = false;  // the command's
  size_t length = 0;    // the bytes it printed, up to the limit
  bool cut = false;     // what came after them was lost
};

// Runs `command` with standard output pointed at `file`; false when it could not be
// pointed there, and the command was not run.
bool printed_into(FILE *file, const std::function<bool()> &command, printed &out) {
  output::flush();
  int saved = dup(STDOUT_FILENO);
  if (saved < 0) return false;
  if (dup2(fileno(file), STDOUT_FILENO) < 0) {
    close(saved);
    return false;
  }
  std::clearerr(stdout);
  output::set_capturing(true);
  out.result = command();
  std::fflush(stdout);
  output::set_capturing(false);
  out.cut = std::ferror(stdout) != 0;
  dup2(saved, STDOUT_FILENO);
  close(saved);
  std::clearerr(stdout);
  off_t written = lseek(fileno(file), 0, SEEK_CUR);
  out.length = written > 0 ? static_cast<size_t>(written) : 0;
  if (ftruncate(fileno(file), written) != 0) {
    // The file keeps its sealed size; the length still says where the output ends.
  }
  std::rewind(file);
  return true;
}

// Reads the output back a line at a time, so that only one line is ever held. True
// when what it showed ends with a whole line.
bool play_back(FILE *file, size_t length, output_filters &filters, pager &out) {
  bool line_ended = true;
  auto put = [&out, &line_ended](const std::string &line) {
    line_ended = line.empty() ? line_ended : line.back() == '\n';
    return out.put(line);
  };
  char *buffer = nullptr;
  size_t size = 0;
  bool wanted = true;
  for (ssize_t n; wanted && length > 0 && (n = getline(&buffer, &size, file)) > 0;) {
    size_t taken = std::min(static_cast<size_t>(n), length);
    length -= taken;
    wanted = filters.pass(std::string(buffer, taken), put);
  }
  std::free(buffer);
  if (wanted) filters.finish(put);
  output::flush();
  return line_ended;
}

}  // namespace

bool run_shown(const std::function<bool()> &command, output_filters &filters, bool filterable) {
  int page = filterable && filters.paged() ? page_lines() : 0;
  if (!filterable || (filters.empty() && page == 0)) return command();
  FILE *file = anonymous_file();
  printed output;
  if (file == nullptr || !printed_into(file, command, output)) {
    if (file != nullptr) std::fclose(file);
    if (!filters.empty())
      return refuse(std::string("Cannot filter the output: ") + strerror(errno));
    return command();
  }
  pager out(page);
  bool line_ended = play_back(file, output.length, filters, out);
  std::fclose(file);
  if (output.cut)
    std::printf("%s%% The output was cut after %zu bytes.\n", line_ended ? "" : "\n",
                output.length);
  return output.result;
}

}  // namespace vdcsim
