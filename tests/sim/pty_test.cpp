// vdcsim on a real pseudo-terminal, as an operator types: TAB completion, '?' help,
// history, and the terminal's settings unchanged when the shell ends.
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>

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

  int finish() {
    while (read_some(5000)) {
    }
    int status = 0;
    waitpid(pid_, &status, 0);
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

std::string vdcsim_command(const std::string &args = "") {
  return std::string("'") + VDCSIM_PROGRAM + "' " + args;
}

TEST(on_a_terminal, tab_completes_keywords_and_the_command_runs) {
  terminal t(vdcsim_command());
  ASSERT_TRUE(t.wait_for("switch# ")) << t.output();
  t.type("sh\t");
  ASSERT_TRUE(t.wait_for("show ")) << t.output();
  t.type("vdc cur\t");
  ASSERT_TRUE(t.wait_for("current-vdc ")) << t.output();
  t.type("\n");
  ASSERT_TRUE(t.wait_for("switch# ")) << t.output();
  t.type("exit\n");
  EXPECT_EQ(t.finish(), 0) << t.output();
}

TEST(on_a_terminal, question_mark_lists_what_may_follow_and_keeps_the_line) {
  terminal t(vdcsim_command());
  ASSERT_TRUE(t.wait_for("switch# ")) << t.output();
  t.type("show vdc m?");
  ASSERT_TRUE(
      t.wait_for("  membership        Interfaces of each VDC\r\n"
                 "  mac               MAC address of each VDC\r\n"))
      << t.output();
  ASSERT_TRUE(t.wait_for("show vdc m")) << t.output();
  t.type("ac\n");
  ASSERT_TRUE(t.wait_for("switch# ")) << t.output();
  t.type("exit\n");
  EXPECT_EQ(t.finish(), 0) << t.output();
}

TEST(on_a_terminal, history_brings_back_the_last_command) {
  terminal t(vdcsim_command());
  ASSERT_TRUE(t.wait_for("switch# ")) << t.output();
  t.type("show vdc\n");
  ASSERT_TRUE(t.wait_for("vdc_id")) << t.output();
  ASSERT_TRUE(t.wait_for("switch# ")) << t.output();
  t.type("\x10\n");  // Ctrl-P: the previous line
  ASSERT_TRUE(t.wait_for("vdc_id")) << t.output();
  t.type("exit\n");
  EXPECT_EQ(t.finish(), 0) << t.output();
}

TEST(on_a_terminal, an_unknown_command_is_marked_and_counted) {
  terminal t(vdcsim_command());
  ASSERT_TRUE(t.wait_for("switch# ")) << t.output();
  t.type("show vdx\n");
  ASSERT_TRUE(t.wait_for("             ^\r\n% Invalid command at '^' marker.\r\n")) << t.output();
  t.type("\x04");  // end of input
  EXPECT_EQ(t.finish(), 1) << t.output();
}

TEST(on_a_terminal, the_settings_are_the_same_after_the_shell_as_before) {
  std::string before = "/tmp/vdcsim-stty-before-" + std::to_string(getpid());
  std::string after = "/tmp/vdcsim-stty-after-" + std::to_string(getpid());
  terminal t("stty -g > " + before + "; " + vdcsim_command() + "; stty -g > " + after +
             "; echo settings-saved");
  ASSERT_TRUE(t.wait_for("switch# ")) << t.output();
  t.type("show vdc\n");
  ASSERT_TRUE(t.wait_for("switch# ")) << t.output();
  t.type("exit\n");
  ASSERT_TRUE(t.wait_for("settings-saved")) << t.output();
  t.finish();
  EXPECT_EQ(sim_test::read_file(before), sim_test::read_file(after));
  EXPECT_FALSE(sim_test::read_file(before).empty());
  std::remove(before.c_str());
  std::remove(after.c_str());
}

}  // namespace
