// The program launcher with real programs: the arguments they receive, the session they
// run in, the wait status that comes back, the caller's signal mask after every return,
// and no child left behind.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <sstream>

#include "capture.h"
#include "libc_seam.h"
#include "pty_run.h"
#include "zudoru_mgr_show.h"

namespace {

using zms_test::read_file;
using zms_test::temp_dir;

constexpr const char *end_of_list = nullptr;

// Writes its path, its arguments and its ids to $ZMS_REPORT, and ends as ZMS_END says.
constexpr const char *report = ZMS_SWITCH_DATA "/report.sh";

bool no_child_left() {
  errno = 0;
  return waitpid(-1, nullptr, WNOHANG) == -1 && errno == ECHILD;
}

// The launcher's list ends at the first null pointer: twelve slots, the rest null.
std::vector<const char *> padded(std::vector<const char *> a) {
  a.resize(12, nullptr);
  return a;
}
int launch(const char *path, const std::vector<const char *> &a) {
  return execute_program_new_session_and_wait(path, a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7],
                                              a[8], a[9], a[10], a[11], end_of_list);
}

enum class failure { none, fork, malloc, wait, wait_interrupted };

struct run_case {
  const char *label;
  const char *path;
  std::vector<const char *> args = {};
  const char *end = "0";
  failure fails = failure::none;
  int result = 0;  // the raw wait status, or -1
  int error = 0;   // errno after -1
  int forks = 1, waits = 1;
  bool sigchld_blocked_by_caller = false;
};

// A path refused before anything runs.
run_case refused(const char *label, const char *path) {
  return {.label = label, .path = path, .result = -1, .error = EINVAL, .forks = 0, .waits = 0};
}

// Each row: the caller blocks SIGUSR1 (and SIGCHLD when it says so) and must find that mask
// again; the launcher forks and waits with SIGCHLD blocked.
// clang-format off
const run_case runs[] = {
    {.label = "arguments_in_order", .path = report, .args = {"first", "two words", "", "-x"}},
    {.label = "twelve_arguments", .path = report,
     .args = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12"}},
    {.label = "exit_status_3", .path = report, .end = "3", .result = 3 << 8},
    {.label = "killed", .path = report, .end = "kill", .result = SIGKILL},
    {.label = "caller_had_sigchld_blocked", .path = report, .args = {"a"},
     .sigchld_blocked_by_caller = true},
    {.label = "missing_program_127", .path = ZMS_SWITCH_DATA "/no-such-program", .result = 127 << 8},
    {.label = "not_executable_127", .path = ZMS_SWITCH_DATA "/take_terminal.pl", .result = 127 << 8},
    refused("relative_path", "report.sh"),
    refused("empty_path", ""),
    refused("null_path", nullptr),
    {.label = "fork_fails", .path = report, .fails = failure::fork, .result = -1,
     .error = EAGAIN, .waits = 0},
    {.label = "malloc_fails", .path = report, .fails = failure::malloc, .result = -1,
     .error = ENOMEM, .forks = 0, .waits = 0},
    {.label = "wait_fails", .path = report, .fails = failure::wait, .result = -1,
     .error = ECHILD},
    {.label = "wait_interrupted_twice", .path = report, .end = "4",
     .fails = failure::wait_interrupted, .result = 4 << 8, .waits = 3},
};
// clang-format on

ZMS_PRINTS_AS(run_case, label)

class launcher_test : public testing::TestWithParam<run_case> {
 protected:
  launcher_test() {
    setenv("ZMS_REPORT", (dir_.path() + "/report").c_str(), 1);
    seam::reset();
  }
  ~launcher_test() override { unsetenv("ZMS_END"); }

  // The report without its last line, the ids.
  std::string reported() const {
    std::string text;
    read_file(dir_.path() + "/report", text);
    return text.empty() ? text : text.substr(0, text.rfind('\n', text.size() - 2) + 1);
  }

  temp_dir dir_;
};

TEST_P(launcher_test, returns_the_status_and_puts_the_callers_mask_back) {
  const run_case &c = GetParam();
  if (c.fails == failure::malloc && !seam::can_fail_malloc())
    GTEST_SKIP() << "the sanitizer's allocator cannot be replaced in this build";
  setenv("ZMS_END", c.end, 1);
  auto args = padded(c.args);
  sigset_t caller, original, after;
  sigemptyset(&caller);
  sigaddset(&caller, SIGUSR1);
  if (c.sigchld_blocked_by_caller) sigaddset(&caller, SIGCHLD);
  sigprocmask(SIG_SETMASK, &caller, &original);
  struct sigaction ignore {
  }, saved{};
  ignore.sa_handler = SIG_IGN;  // children reaped on their own: waitpid finds none
  if (c.fails == failure::wait) sigaction(SIGCHLD, &ignore, &saved);
  if (c.fails == failure::fork) seam::now().fork_error = EAGAIN;
  if (c.fails == failure::wait_interrupted) seam::now().interrupted_waits = 2;
  if (c.fails == failure::malloc) seam::now().fail_malloc = true;
  errno = 0;
  int result = launch(c.path, args);  // nothing allocates before
  int error = errno;
  sigprocmask(SIG_SETMASK, &original, &after);
  if (c.fails == failure::wait) sigaction(SIGCHLD, &saved, nullptr);

  EXPECT_EQ(result, c.result);
  EXPECT_EQ(result == -1 ? error : 0, c.error);
  EXPECT_EQ(seam::now().forks, c.forks);
  EXPECT_EQ(seam::now().waits, c.waits);
  EXPECT_EQ(seam::now().sigchld_blocked_at_fork, c.forks > 0);
  EXPECT_EQ(seam::now().sigchld_blocked_in_wait, c.waits > 0);
  EXPECT_EQ(seam::now().signals_blocked_in_wait, c.waits > 0 ? 2 : 0) << "SIGUSR1 and SIGCHLD";
  EXPECT_EQ(sigismember(&after, SIGUSR1), 1);
  EXPECT_EQ(sigismember(&after, SIGCHLD), c.sigchld_blocked_by_caller ? 1 : 0);
  EXPECT_TRUE(no_child_left());
  std::string expected;
  bool ran = c.path == report && c.fails != failure::fork && c.fails != failure::malloc;
  if (ran) expected = std::string(report) + "\n";
  for (const char *arg : c.args)
    if (ran) expected += std::string("[") + arg + "]\n";
  EXPECT_EQ(reported(), expected);
}

INSTANTIATE_TEST_SUITE_P(runs, launcher_test, testing::ValuesIn(runs),
                         [](const testing::TestParamInfo<run_case> &row) {
                           return row.param.label;
                         });

// A program that exits 3 leaves the caller's process as it was: same id, still running here.
TEST(launcher_process_test, caller_is_still_itself_after_the_call) {
  pid_t self = getpid();
  EXPECT_EQ(execute_program_new_session_and_wait("/bin/sh", "-c", "exit 3", end_of_list), 3 << 8);
  EXPECT_EQ(getpid(), self);
  EXPECT_TRUE(no_child_left());
}

// What the caller printed and has not flushed yet comes out before the program's output.
TEST(launcher_process_test, callers_output_comes_before_the_programs) {
  std::string out = zms_test::capture_stdout([] {
    printf("caller ");
    execute_program_new_session_and_wait("/bin/echo", "program", end_of_list);
  });
  EXPECT_EQ(out, "caller program\n");
}

// Called from a process with a controlling terminal, the program leads a session of its own
// without one.
TEST(launcher_process_test, program_leads_a_new_session_without_a_terminal) {
  temp_dir dir;
  setenv("ZMS_REPORT", (dir.path() + "/report").c_str(), 1);
  auto run = zms_test::run_on_terminal(
      [&] { return isatty(STDIN_FILENO) && launch(report, padded({"x"})) == 0 ? 0 : 1; });
  ASSERT_TRUE(WIFEXITED(run.status));
  EXPECT_EQ(WEXITSTATUS(run.status), 0);
  std::string text;
  ASSERT_TRUE(read_file(dir.path() + "/report", text));
  long pid = 0, group = 0, session = 0, terminal = -1;
  std::istringstream(text.substr(text.rfind('\n', text.size() - 2) + 1)) >> pid >> group >>
      session >> terminal;
  EXPECT_EQ(group, pid);
  EXPECT_EQ(session, pid);
  EXPECT_EQ(terminal, 0) << "no controlling terminal";
}

}  // namespace
