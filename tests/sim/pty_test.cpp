// vdcsim on a real pseudo-terminal, as an operator types: the sessions of data/terminal
// (TAB completion, '?' help, history, switching, the terminal's settings kept).
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <dirent.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <sstream>

#include "sim_support.h"

namespace {

// A shell command run on a new pseudo-terminal, with what it has written so far.
class terminal {
 public:
  explicit terminal(const std::string &command) {
    struct winsize size = {40, 200, 0, 0};
    pid_ = forkpty(&master_, nullptr, nullptr, &size);
    if (pid_ == 0) {
      setenv("TERM", "dumb", 1);
      setenv("TZ", "UTC", 1);
      setenv("INPUTRC", "/dev/null", 1);
      unsetenv("VDCSIM_STATE");
      execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char *>(nullptr));
      _exit(126);
    }
  }
  ~terminal() {
    if (pid_ > 0 && !finished_) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
    if (master_ >= 0) close(master_);
  }

  void type(const std::string &keys) {
    ASSERT_EQ(write(master_, keys.data(), keys.size()), static_cast<ssize_t>(keys.size()));
  }

  // Reads until `text` has appeared after what earlier waits consumed.
  bool wait_for(const std::string &text, int timeout_ms = 10000) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
    while (output_.find(text, seen_) == std::string::npos) {
      auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                      deadline - std::chrono::steady_clock::now())
                      .count();
      if (left <= 0 || !read_some(static_cast<int>(left))) return false;
    }
    seen_ = output_.find(text, seen_) + text.size();
    return true;
  }

  // Waits up to ten seconds for the command to end, then ends it.
  int finish() {
    int status = 0;
    for (int tries = 0; waitpid(pid_, &status, WNOHANG) == 0; ++tries) {
      if (tries == 100) {
        kill(pid_, SIGKILL);
        waitpid(pid_, &status, 0);
        break;
      }
      read_some(100);
    }
    while (read_some(100)) {
    }
    finished_ = true;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  }

  const std::string &output() const { return output_; }

 private:
  bool read_some(int timeout_ms) {
    struct pollfd p = {master_, POLLIN, 0};
    if (poll(&p, 1, timeout_ms) <= 0) return false;
    char buf[4096];
    ssize_t n = read(master_, buf, sizeof buf);
    if (n <= 0) return false;
    output_.append(buf, static_cast<size_t>(n));
    return true;
  }

  int master_ = -1;
  pid_t pid_ = -1;
  bool finished_ = false;
  std::string output_;
  size_t seen_ = 0;
};

// \t \n \r \\ and \xHH in a session line.
std::string unescaped(const std::string &text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\' || i + 1 == text.size()) {
      out += text[i];
    } else if (text[++i] == 'x') {
      out += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
      i += 2;
    } else {
      out += text[i] == 't' ? '\t' : text[i] == 'n' ? '\n' : text[i] == 'r' ? '\r' : text[i];
    }
  }
  return out;
}

std::vector<std::string> session_names() {
  std::vector<std::string> names;
  if (DIR *dir = opendir(VDCSIM_TEST_DIR "/data/terminal")) {
    while (dirent *e = readdir(dir))
      if (std::string(e->d_name).ends_with(".txt"))
        names.push_back(std::string(e->d_name).substr(0, std::strlen(e->d_name) - 4));
    closedir(dir);
  }
  std::sort(names.begin(), names.end());
  return names;
}

class on_a_terminal : public testing::TestWithParam<std::string> {};

// Each session of data/terminal: vdcsim (with `args`) on a pseudo-terminal; `type` sends
// keys, `expect` waits for text, `status` is the exit status; `settings-unchanged` checks
// the terminal's settings before and after the shell.
TEST_P(on_a_terminal, runs_the_session_as_written) {
  std::istringstream in(
      sim_test::read_file(sim_test::test_path("data/terminal/" + GetParam() + ".txt")));
  std::vector<std::pair<std::string, std::string>> steps;
  std::string args, line;
  bool check_settings = false;
  while (std::getline(in, line)) {
    size_t blank = line.find(' ');
    std::string keyword = line.substr(0, blank);
    std::string rest = blank == std::string::npos ? "" : unescaped(line.substr(blank + 1));
    if (keyword == "args") args = rest;
    if (keyword == "settings-unchanged") check_settings = true;
    if (keyword == "type" || keyword == "expect" || keyword == "status")
      steps.emplace_back(keyword, rest);
  }
  std::string before = testing::TempDir() + "stty-before-" + GetParam();
  std::string after = testing::TempDir() + "stty-after-" + GetParam();
  std::string command = std::string("'") + VDCSIM_PROGRAM + "' " + args;
  if (check_settings)
    command = "stty -g > " + before + "; " + command + "; s=$?; stty -g > " + after + "; exit $s";
  terminal t(command);
  for (auto &[keyword, text] : steps) {
    if (keyword == "type") t.type(text);
    if (keyword == "expect") {
      ASSERT_TRUE(t.wait_for(text)) << t.output();
    } else if (keyword == "status") {
      EXPECT_EQ(t.finish(), std::stoi(text)) << t.output();
    }
  }
  if (!check_settings) return;
  EXPECT_FALSE(sim_test::read_file(before).empty());
  EXPECT_EQ(sim_test::read_file(before), sim_test::read_file(after));
}

INSTANTIATE_TEST_SUITE_P(sessions, on_a_terminal, testing::ValuesIn(session_names()),
                         [](const testing::TestParamInfo<std::string> &row) { return row.param; });

}  // namespace
