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
  ASSERT_TRUE(t.wait_for("switch# ")) << t.output();
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

TEST(on_a_terminal, tab_completes_vdc_names_from_the_library_help) {
  terminal t(vdcsim_command());
  ASSERT_TRUE(t.wait_for("switch# ")) << t.output();
  t.type("switchto vdc pr\t");
  ASSERT_TRUE(t.wait_for("switchto vdc prod ")) << t.output();
  t.type("\x15");  // Ctrl-U: clear the line
  t.type("limit-resource module-type e3\t\t");
  ASSERT_TRUE(t.wait_for("e3   e3x")) << t.output();
  t.type(
      "\x15"
      "exit\n");
  EXPECT_EQ(t.finish(), 0) << t.output();
}

TEST(on_a_terminal, question_mark_on_a_parameter_shows_the_library_help) {
  terminal t(vdcsim_command());
  ASSERT_TRUE(t.wait_for("switch# ")) << t.output();
  t.type("allow feature-set ?");
  ASSERT_TRUE(
      t.wait_for("  fcoe              installed feature-set\r\n"
                 "  vxlan             installed feature-set\r\n"))
      << t.output();
  ASSERT_TRUE(t.wait_for("allow feature-set ")) << t.output();
  t.type(
      "\x15"
      "vdc ?");
  ASSERT_TRUE(t.wait_for("  <WORD>            Create a new vdc\r\n")) << t.output();
  t.type(
      "\x15"
      "exit\n");
  EXPECT_EQ(t.finish(), 0) << t.output();
}

TEST(on_a_terminal, a_refused_new_name_shows_the_library_message) {
  terminal t(vdcsim_command());
  ASSERT_TRUE(t.wait_for("switch# ")) << t.output();
  t.type("vdc core-\n");
  ASSERT_TRUE(t.wait_for("            ^\r\n% VDC name inappropriate. Cannot end in a '-'\r\n"))
      << t.output();
  ASSERT_TRUE(t.wait_for("switch# ")) << t.output();
  t.type("exit\n");
  EXPECT_EQ(t.finish(), 1) << t.output();
}

struct switch_case {
  const char *name;
  const char *args;
  const char *entered;  // what the terminal shows once inside
};

class switching_on_a_terminal : public testing::TestWithParam<switch_case> {};

// The nested program gets the terminal and gives it back: the settings before the
// shell and after it are the same.
TEST_P(switching_on_a_terminal, goes_in_and_back_with_the_terminal_restored) {
  std::string tag = std::to_string(getpid()) + GetParam().name;
  std::string before = "/tmp/vdcsim-stty-before-" + tag;
  std::string after = "/tmp/vdcsim-stty-after-" + tag;
  terminal t("stty -g > " + before + "; " + vdcsim_command(GetParam().args) + "; stty -g > " +
             after + "; echo settings-saved");
  ASSERT_TRUE(t.wait_for("switch# ")) << t.output();
  t.type("switchto vdc prod\n");
  ASSERT_TRUE(t.wait_for(GetParam().entered)) << t.output();
  ASSERT_TRUE(t.wait_for("switch-prod# ")) << t.output();
  t.type("show vdc current-vdc\n");
  ASSERT_TRUE(t.wait_for("Current vdc is 2 - prod\r\n")) << t.output();
  ASSERT_TRUE(t.wait_for("switch-prod# ")) << t.output();
  t.type("exit\n");
  ASSERT_TRUE(t.wait_for("switch# ")) << t.output();
  t.type("show vdc current-vdc\n");
  ASSERT_TRUE(t.wait_for("Current vdc is 1 - switch\r\n")) << t.output();
  ASSERT_TRUE(t.wait_for("switch# ")) << t.output();
  t.type("exit\n");
  ASSERT_TRUE(t.wait_for("settings-saved")) << t.output();
  EXPECT_EQ(t.finish(), 0) << t.output();
  EXPECT_FALSE(sim_test::read_file(before).empty());
  EXPECT_EQ(sim_test::read_file(before), sim_test::read_file(after));
  std::remove(before.c_str());
  std::remove(after.c_str());
}

INSTANTIATE_TEST_SUITE_P(all, switching_on_a_terminal,
                         testing::Values(switch_case{"nested_shell", "", "switchto vdc prod\r\n"},
                                         switch_case{"login", "--role vdc-admin",
                                                     "vdclogin: admin logged in to vdc 2"}),
                         [](const auto &row) { return std::string(row.param.name); });

}  // namespace
