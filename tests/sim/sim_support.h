// Running the built vdcsim as an operator would, and comparing what it prints with
// golden text.
#ifndef VDCSIM_TEST_SUPPORT_H
#define VDCSIM_TEST_SUPPORT_H

#include <sys/resource.h>

#include <string>
#include <vector>

namespace sim_test {

struct outcome {
  int exit_status = -1;
  std::string out;
  std::string err;
};

// Runs vdcsim with `args`, `input` on its standard input (a file, or a pipe when `piped`),
// TZ=UTC and `env` (NAME=VALUE); a `file_limit` of bytes stands for a disk that fills up.
outcome run_vdcsim(const std::vector<std::string> &args, const std::string &input = "",
                   const std::vector<std::string> &env = {}, rlim_t file_limit = RLIM_INFINITY,
                   bool piped = false);

std::string read_file(const std::string &path);
void write_file(const std::string &path, const std::string &text);
// tests/sim/<relative>
std::string test_path(const std::string &relative);
// The names of the files in tests/sim/<dir>, without ".txt", in order.
std::vector<std::string> case_names(const std::string &dir);

// The golden file tests/sim/<relative>; VDCSIM_UPDATE_GOLDEN=1 rewrites it with `actual`.
std::string golden(const std::string &relative, const std::string &actual);

}  // namespace sim_test

#endif  // VDCSIM_TEST_SUPPORT_H
