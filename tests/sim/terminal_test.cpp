// vdcsim on a pseudo-terminal, driven by the scenarios in data/terminal: keys typed,
// text waited for, signals sent. Each scenario runs in a directory of its own, which is
// also its TMPDIR and XDG_STATE_HOME; afterwards the terminal's settings must be as
// before and no session files may be left in it. Scenario lines:
//   run: SHELL COMMAND   (VDCSIM is the program, $T the directory)
//   type: KEYS           (\r, \n, \t, \e, ^C, ^D, ^P, ^U, ^Z: the keys they name)
//   wait: TEXT           (appears after what earlier waits matched)
//   signal: NAME         (sent to the innermost vdcsim)
//   exit: STATUS         (the command's exit status once it has ended)
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>

#include "capture.h"
#include "sim_support.h"
#include "terminal.h"

namespace {

std::string replaced(std::string text, const std::string &from, const std::string &to) {
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
  return text;
}

std::string keys(std::string text) {
  const std::map<std::string, std::string> named = {
      {"\\r", "\r"},  {"\\n", "\n"},  {"\\t", "\t"},  {"\\e", "\x1b"}, {"^C", "\x03"},
      {"^D", "\x04"}, {"^P", "\x10"}, {"^U", "\x15"}, {"^Z", "\x1a"}};
  for (auto &[name, key] : named)
    text = replaced(text, name, key);
  return text;
}

// The vdcsim process furthest below `pid`: the innermost of nested shells.
pid_t innermost_vdcsim(pid_t pid, int depth, int &best_depth) {
  pid_t best = 0;
  std::ifstream comm("/proc/" + std::to_string(pid) + "/comm");
  std::string name;
  if (comm >> name && name == "vdcsim" && depth > best_depth) best = pid, best_depth = depth;
  std::ifstream children("/proc/" + std::to_string(pid) + "/task/" + std::to_string(pid) +
                         "/children");
  for (pid_t child = 0; children >> child;)
    if (pid_t found = innermost_vdcsim(child, depth + 1, best_depth)) best = found;
  return best;
}

bool leftovers(const std::string &dir) {
  for (auto &entry : std::filesystem::directory_iterator(dir))
    if (entry.path().filename().string().rfind("vdcsim-", 0) == 0) return true;
  return false;
}

class scenarios : public testing::TestWithParam<std::string> {};

TEST_P(scenarios, run_as_written) {
  zms_test::temp_dir dir;
  std::ifstream script(sim_test::test_path("data/terminal/" + GetParam() + ".txt"));
  std::unique_ptr<sim_test::terminal> t;
  const std::map<std::string, int> signals = {{"TERM", SIGTERM}, {"HUP", SIGHUP}, {"INT", SIGINT}};
  for (std::string line; std::getline(script, line);) {
    size_t colon = line.find(": ");
    if (line.empty() || line[0] == '#' || colon == std::string::npos) continue;
    std::string verb = line.substr(0, colon), arg = line.substr(colon + 2);
    arg = replaced(replaced(arg, "VDCSIM", std::string("'") + VDCSIM_PROGRAM + "'"), "$T",
                   dir.path());
    if (verb == "run") {
      t = std::make_unique<sim_test::terminal>(
          "trap : INT QUIT; export TMPDIR=" + dir.path() + " XDG_STATE_HOME=" + dir.path() +
          "; stty -g > $TMPDIR/stty.before; " + arg +
          "\necho \"[exit $?]\"; stty -g > $TMPDIR/stty.after");
    } else if (verb == "type") {
      t->type(keys(arg));
    } else if (verb == "wait") {
      ASSERT_TRUE(t->wait_for(keys(arg))) << "waiting for: " << arg << "\n" << t->output();
    } else if (verb == "signal") {
      int depth = 0;
      pid_t target = innermost_vdcsim(t->pid(), 1, depth);
      ASSERT_GT(target, 0) << t->output();
      ASSERT_EQ(kill(target, signals.at(arg)), 0);
    } else if (verb == "exit") {
      ASSERT_TRUE(t->wait_for("[exit " + arg + "]")) << t->output();
      t->finish();
    }
  }
  std::string before = sim_test::read_file(dir.path() + "/stty.before");
  EXPECT_FALSE(before.empty());
  EXPECT_EQ(sim_test::read_file(dir.path() + "/stty.after"), before) << t->output();
  EXPECT_FALSE(leftovers(dir.path())) << "session files left behind";
}

INSTANTIATE_TEST_SUITE_P(all, scenarios, testing::ValuesIn(sim_test::case_names("data/terminal")),
                         [](const auto &row) { return row.param; });

}  // namespace
