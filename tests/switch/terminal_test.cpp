// Switching VDCs on a real terminal: the switch runs in a session of its own on a fresh
// pseudo-terminal, real programs take the terminal from it, and afterwards the shell's
// process group must be the terminal's foreground group again.
//
// The switch's programs are not installed here, so this program's own `system` (which
// the library's calls reach in place of the C library's) rewrites their command lines into
// real ones and hands everything to the real `system`. getpgrp and tcsetpgrp are the C
// library's own.
#include <dlfcn.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>

#include "capture.h"
#include "pty_run.h"

namespace {

std::map<std::string, std::string> rewrites;

}  // namespace

extern "C" int system(const char *command) {
  using system_fn = int (*)(const char *);
  static auto real = reinterpret_cast<system_fn>(dlsym(RTLD_NEXT, "system"));
  if (command != nullptr) {
    auto found = rewrites.find(command);
    if (found != rewrites.end()) return real(found->second.c_str());
  }
  return real(command);
}

namespace {

using standin::mark;
using attrs = std::vector<standin::attribute>;

standin::attribute target(uint32_t vdc) {
  return standin::word(VDC_ATTR_SWITCH_TARGET, vdc);
}
using zms_test::run_on_terminal;

// A program that takes the terminal and keeps it (data/take_terminal.pl).
const std::string take_terminal = ZMS_SWITCH_DATA "/take_terminal.pl";

struct terminal_case {
  const char *label;
  std::vector<standin::attribute> response;
  const char *roles;
  int32_t script_mode;
  // The library's command line, and the arguments of take_terminal that replace it.
  std::map<std::string, std::string> programs;
  std::string shown;  // what the terminal shows, from the switch's first output on
};

// What the shell does around the switch: it ignores SIGTTOU, as an interactive shell
// does, so that it may take the terminal back from the background; afterwards it says
// whether it is the foreground group and what SYSMGR_VDC_ID holds.
int shell_switching(const terminal_case &c) {
  signal(SIGTTOU, SIG_IGN);
  setenv("SYSMGR_VDC_ID", "1", 1);
  setenv("VSH_ROLES", c.roles, 1);
  auto cmd = zms_test::command(c.response);
  cmd.script_mode = c.script_mode;
  int result = vdc_mgr_set_cli_mode(&cmd);
  printf("shell %s, SYSMGR_VDC_ID=%s\n",
         tcgetpgrp(STDOUT_FILENO) == getpgrp() ? "in the foreground" : "lost the terminal",
         getenv("SYSMGR_VDC_ID"));
  return result;
}

bool ends_with(const std::string &text, const std::string &tail) {
  return text.size() >= tail.size() &&
         text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

ZMS_PRINTS_AS(terminal_case, label)

class terminal_test : public testing::TestWithParam<terminal_case> {};

TEST_P(terminal_test, shell_gets_the_terminal_back) {
  const terminal_case &c = GetParam();
  const std::string &script = take_terminal;
  rewrites.clear();
  for (const auto &[command, arguments] : c.programs)
    rewrites[command] = "exec perl " + script + " " + arguments;

  auto run = run_on_terminal([&] { return shell_switching(c); });

  ASSERT_FALSE(run.timed_out) << run.output;
  ASSERT_TRUE(WIFEXITED(run.status)) << run.output;
  EXPECT_EQ(WEXITSTATUS(run.status), 0);
  if (c.programs.empty()) {
    // The shell's own complaint about the missing program comes first.
    EXPECT_NE(run.output.find("/velt/bin/first-setup.core"), std::string::npos) << run.output;
    EXPECT_TRUE(ends_with(run.output, c.shown)) << run.output;
  } else {
    EXPECT_EQ(run.output, c.shown);
  }
}

using programs = std::map<std::string, std::string>;
const std::string shell_back = "shell in the foreground, SYSMGR_VDC_ID=";

const terminal_case switches[] = {
    // label, response, VSH_ROLES, script mode, programs rewritten, what the terminal shows
    {"nested_shell_keeps_the_terminal", attrs{target(7)}, "NETWORK_ADMIN", 1,
     programs{{"/velt/bin/vsh -i 7", "in-vdc-7 0"}},
     "in-vdc-7 in the foreground\n" + shell_back + "7\n"},
    {"refusal_comes_before_the_nested_shell", attrs{mark(VDC_ATTR_ERR_NOT_AUTHORIZED), target(7)},
     "NETWORK_ADMIN", 1, programs{{"/velt/bin/vsh -i 7", "in-vdc-7 0"}},
     " Not authorized to change VDC\n in-vdc-7 in the foreground\n" + shell_back + "7\n"},
    {"nested_shell_killed_holding_the_terminal", attrs{target(7)}, "NETWORK_ADMIN", 1,
     programs{{"/velt/bin/vsh -i 7", "in-vdc-7 kill"}},
     "in-vdc-7 in the foreground\nvsh spawning failed /velt/bin/vsh -i 7\n" + shell_back + "1\n"},
    {"first_setup_fails_holding_the_terminal", attrs{target(7), mark(VDC_ATTR_ERR_NO_VDC)},
     "network-operator", 0, programs{{"/velt/bin/first-setup.core 7\n", "first-setup-7 2"}},
     "first-setup-7 in the foreground\n"
     "First-setup failure detected. Reverting to default vdc\n" +
         shell_back + "1\n"},
    // Nothing rewritten: the shell cannot find the first-setup program (status 127, which
    // goes on) and the stand-in really runs the missing login program.
    {"login_programs_not_installed", attrs{target(7)}, "network-operator", 0, programs{},
     " Failed to switch to vdc 7 \n" + shell_back + "1\n"},
};

INSTANTIATE_TEST_SUITE_P(programs, terminal_test, testing::ValuesIn(switches),
                         zms_test::by_label<terminal_case>);

}  // namespace
