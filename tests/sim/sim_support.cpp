#include "sim_support.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "case_files.h"

namespace sim_test {
namespace {

std::string temp_path(const char *tag) {
  std::string path = std::string("/tmp/vdcsim-test-") + tag + "-XXXXXX";
  int fd = mkstemp(path.data());
  if (fd >= 0) close(fd);
  return path;
}

}  // namespace

void write_file(const std::string &path, const std::string &text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
}

std::string read_file(const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string test_path(const std::string &relative) {
  return std::string(VDCSIM_TEST_DIR) + "/" + relative;
}

std::vector<std::string> case_names(const std::string &dir) {
  return zms_test::case_names(test_path(dir), ".txt");
}

outcome run_vdcsim(const std::vector<std::string> &args, const std::string &input,
                   const std::vector<std::string> &env, rlim_t file_limit, bool piped) {
  std::string in = temp_path("in"), out = temp_path("out"), err = temp_path("err");
  write_file(in, input);
  std::vector<std::string> argv = {VDCSIM_PROGRAM};
  if (piped) argv = {"/bin/sh", "-c", "cat \"$0\" | exec \"$@\"", in, VDCSIM_PROGRAM};
  argv.insert(argv.end(), args.begin(), args.end());
  std::vector<char *> raw;
  for (auto &a : argv)
    raw.push_back(a.data());
  raw.push_back(nullptr);
  pid_t pid = fork();
  if (pid == 0) {
    dup2(open(in.c_str(), O_RDONLY), 0);
    dup2(open(out.c_str(), O_WRONLY | O_TRUNC), 1);
    dup2(open(err.c_str(), O_WRONLY | O_TRUNC), 2);
    setenv("TZ", "UTC", 1);
    unsetenv("VDCSIM_STATE");
    for (auto &setting : env)
      putenv(const_cast<char *>(setting.c_str()));
    rlimit limit{file_limit, file_limit};
    setrlimit(RLIMIT_FSIZE, &limit);  // SIGXFSZ as the operator's shell leaves it
    execv(raw[0], raw.data());
    _exit(126);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  outcome result{WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status), read_file(out),
                 read_file(err)};
  std::remove(in.c_str());
  std::remove(out.c_str());
  std::remove(err.c_str());
  return result;
}

std::string golden(const std::string &relative, const std::string &actual) {
  std::string path = test_path(relative);
  const char *update = std::getenv("VDCSIM_UPDATE_GOLDEN");
  if (update != nullptr && std::string(update) == "1") write_file(path, actual);
  return read_file(path);
}

}  // namespace sim_test
