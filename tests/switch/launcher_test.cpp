// The program launcher with real programs: the arguments they receive, the session they
// run in, the wait status that comes back, the caller's signal mask after every return,
// and no child left behind.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <optional>
#include <sstream>

#include "capture.h"
#include "libc_seam.h"
#include "pty_run.h"
#include "zudoru_mgr_show.h"

namespace {

using zms_test::read_file;
using zms_test::temp_dir;

constexpr const char *end_of_list = nullptr;

// Reports its path, its arguments in brackets, and its process, group and session ids and
// terminal on a last line; then ends as ZMS_END says: an exit code, or "kill" for SIGKILL.
constexpr char reporting_program[] = R"(#!/bin/sh
{
  echo "$0"
  for a in "$@"; do echo "[$a]"; done
  read -r stat < /proc/$$/stat
  set -- ${stat##*) }
  echo "$$ $3 $4 $5"
} > "$ZMS_REPORT"
case "$ZMS_END" in
  kill) kill -KILL $$ ;;
  *) exit "${ZMS_END:-0}" ;;
esac
)";

using lines = std::vector<std::string>;

sigset_t current_mask() {
  sigset_t mask;
  sigprocmask(SIG_BLOCK, nullptr, &mask);
  return mask;
}

bool same_mask(const sigset_t &a, const sigset_t &b) {
  for (int sig = 1; sig < NSIG; ++sig)
    if (sigismember(&a, sig) != sigismember(&b, sig)) return false;
  return true;
}

// True when the caller has no child left, running or ended.
bool no_child_left() {
  errno = 0;
  return waitpid(-1, nullptr, WNOHANG) == -1 && errno == ECHILD;
}

// Up to twelve arguments, padded with null pointers before the call: the list ends at the
// first one.
std::vector<const char *> padded(std::vector<const char *> args) {
  args.resize(12, nullptr);
  return args;
}
int launch(const char *path, const std::vector<const char *> &a) {
  return execute_program_new_session_and_wait(path, a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7],
                                              a[8], a[9], a[10], a[11], end_of_list);
}

class launcher_fixture {
 public:
  launcher_fixture() {
    script_ = dir_.write("report.sh", reporting_program, 0755);
    report_file_ = dir_.path() + "/report";
    setenv("ZMS_REPORT", report_file_.c_str(), 1);
    unsetenv("ZMS_END");
    seam::reset();
  }
  ~launcher_fixture() {
    unsetenv("ZMS_REPORT");
    unsetenv("ZMS_END");
  }

  const temp_dir &dir() const { return dir_; }
  const std::string &script() const { return script_; }
  // The report's lines, the last (the ids) apart; nothing when the program did not run.
  std::optional<lines> reported(std::string *ids = nullptr) const {
    std::string text;
    if (!read_file(report_file_, text)) return std::nullopt;
    lines all;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
      all.push_back(line);
    if (ids != nullptr && !all.empty()) *ids = all.back();
    if (!all.empty()) all.pop_back();
    return all;
  }

 private:
  temp_dir dir_;
  std::string script_;
  std::string report_file_;
};

// The program asked for: the reporting script, one that cannot run, or an invalid path
// (none, empty, relative from the script's directory, beginning with a blank).
enum class program { script, missing, not_executable, null, empty, relative, blank };
// A failure of a call the launcher makes.
enum class failure { none, fork_fails, malloc_fails, wait_fails, wait_interrupted };

struct run_case {
  const char *label;
  program what;
  std::vector<const char *> args;
  const char *end;  // how the script ends: ZMS_END
  failure fails;
  int result;  // the raw wait status, or -1
  int error;   // errno after a -1 result
  int forks, waits;
};

struct mask_case {
  const char *label;
  std::vector<int> blocked;
};

class launcher_test : public testing::TestWithParam<std::tuple<run_case, mask_case>> {};

TEST_P(launcher_test, returns_the_status_and_puts_the_callers_mask_back) {
  const auto &[c, m] = GetParam();
  if (c.fails == failure::malloc_fails && !seam::can_fail_malloc())
    GTEST_SKIP() << "the sanitizer's allocator cannot be replaced in this build";
  launcher_fixture fixture;
  char cwd[PATH_MAX];
  ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
  ASSERT_EQ(chdir(fixture.dir().path().c_str()), 0);
  const std::string paths[] = {fixture.script(),
                               fixture.dir().path() + "/no-such-program",
                               fixture.dir().write("plain.sh", "exit 0\n", 0644),
                               "",
                               "",
                               "report.sh",
                               " /bin/sh"};
  const char *path = c.what == program::null ? nullptr : paths[static_cast<int>(c.what)].c_str();
  const std::vector<const char *> args = padded(c.args);
  setenv("ZMS_END", c.end, 1);
  sigset_t caller;
  sigemptyset(&caller);
  for (int sig : m.blocked)
    sigaddset(&caller, sig);
  sigset_t original;
  sigprocmask(SIG_SETMASK, &caller, &original);
  struct sigaction ignore_children {
  }, saved_action{};
  ignore_children.sa_handler = SIG_IGN;
  if (c.fails == failure::fork_fails) seam::now().fork_error = EAGAIN;
  if (c.fails == failure::malloc_fails) seam::now().fail_malloc = true;
  // With SIGCHLD ignored the child is reaped on its own and waitpid finds no child.
  if (c.fails == failure::wait_fails) sigaction(SIGCHLD, &ignore_children, &saved_action);
  if (c.fails == failure::wait_interrupted) seam::now().interrupted_waits = 2;
  errno = 0;

  // Nothing may allocate between the armed failure and the launcher.
  int result = launch(path, args);

  int error = errno;
  seam::state seen = seam::now();
  sigset_t after = current_mask();
  sigprocmask(SIG_SETMASK, &original, nullptr);
  if (c.fails == failure::wait_fails) sigaction(SIGCHLD, &saved_action, nullptr);
  ASSERT_EQ(chdir(cwd), 0);
  EXPECT_EQ(result, c.result);
  EXPECT_EQ(c.result == -1 ? error : 0, c.error);
  EXPECT_EQ(seen.forks, c.forks);
  EXPECT_EQ(seen.waits, c.waits);
  EXPECT_EQ(seen.sigchld_blocked_at_fork, c.forks > 0);
  EXPECT_EQ(seen.sigchld_blocked_in_wait, c.waits > 0);
  EXPECT_TRUE(same_mask(after, caller));
  EXPECT_FALSE(seam::now().fail_malloc);
  EXPECT_TRUE(no_child_left());
  // The script reports its path and its arguments in order.
  bool runs = c.what == program::script && c.fails != failure::fork_fails &&
              c.fails != failure::malloc_fails;
  lines expected = {fixture.script()};
  for (const char *arg : c.args)
    expected.push_back(std::string("[") + arg + "]");
  EXPECT_EQ(fixture.reported(), runs ? std::optional<lines>(expected) : std::nullopt);
}

using args = std::vector<const char *>;
const int exit_127 = 127 << 8;

const run_case runs[] = {
    // label, program, arguments, script's end, failure, result, errno, forks, waits
    {"no_arguments", program::script, args{}, "0", failure::none, 0, 0, 1, 1},
    {"arguments_in_order", program::script, args{"first", "two words", "", "-x"}, "0",
     failure::none, 0, 0, 1, 1},
    {"twelve_arguments", program::script,
     args{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12"}, "0", failure::none, 0, 0,
     1, 1},
    {"exit_status_3", program::script, args{"a"}, "3", failure::none, 3 << 8, 0, 1, 1},
    {"program_exits_127_itself", program::script, args{}, "127", failure::none, exit_127, 0, 1, 1},
    {"killed_by_a_signal", program::script, args{}, "kill", failure::none, SIGKILL, 0, 1, 1},
    {"missing_program_exits_127", program::missing, args{"a"}, "0", failure::none, exit_127, 0, 1,
     1},
    {"not_executable_exits_127", program::not_executable, args{}, "0", failure::none, exit_127, 0,
     1, 1},
    {"null_path", program::null, args{"a"}, "0", failure::none, -1, EINVAL, 0, 0},
    {"empty_path", program::empty, args{"a"}, "0", failure::none, -1, EINVAL, 0, 0},
    {"relative_path", program::relative, args{"a"}, "0", failure::none, -1, EINVAL, 0, 0},
    {"path_with_leading_blank", program::blank, args{"a"}, "0", failure::none, -1, EINVAL, 0, 0},
    {"fork_fails", program::script, args{"x"}, "4", failure::fork_fails, -1, EAGAIN, 1, 0},
    {"malloc_fails", program::script, args{"x"}, "4", failure::malloc_fails, -1, ENOMEM, 0, 0},
    {"wait_fails", program::script, args{"x"}, "4", failure::wait_fails, -1, ECHILD, 1, 1},
    {"wait_interrupted", program::script, args{"x"}, "4", failure::wait_interrupted, 4 << 8, 0, 1,
     3},
};
const mask_case masks[] = {{"nothing_blocked", {}},
                           {"sigchld_blocked", {SIGCHLD}},
                           {"others_blocked", {SIGUSR1, SIGTERM}}};

std::string run_name(const testing::TestParamInfo<launcher_test::ParamType> &p) {
  return std::string(std::get<0>(p.param).label) + "_" + std::get<1>(p.param).label;
}

INSTANTIATE_TEST_SUITE_P(runs, launcher_test,
                         testing::Combine(testing::ValuesIn(runs), testing::ValuesIn(masks)),
                         run_name);

volatile sig_atomic_t sigchld_count = 0;

void count_sigchld(int) {
  sigchld_count = sigchld_count + 1;
}

// The end of the child is reported to the caller only once its own mask is back.
TEST(launcher_session_test, child_end_reaches_the_callers_sigchld_handler_after_the_mask) {
  launcher_fixture fixture;
  struct sigaction counting {
  }, saved{};
  counting.sa_handler = count_sigchld;
  sigaction(SIGCHLD, &counting, &saved);
  sigset_t blocked;
  sigemptyset(&blocked);
  sigaddset(&blocked, SIGCHLD);
  sigset_t original;
  sigprocmask(SIG_BLOCK, &blocked, &original);

  sigchld_count = 0;
  EXPECT_EQ(launch(fixture.script().c_str(), padded({})), 0);
  sigset_t pending;
  sigpending(&pending);
  EXPECT_EQ(sigismember(&pending, SIGCHLD), 1);
  EXPECT_EQ(sigchld_count, 0);
  sigprocmask(SIG_UNBLOCK, &blocked, nullptr);
  EXPECT_EQ(sigchld_count, 1);

  sigchld_count = 0;
  EXPECT_EQ(launch(fixture.script().c_str(), padded({})), 0);
  EXPECT_EQ(sigchld_count, 1);

  sigprocmask(SIG_SETMASK, &original, nullptr);
  sigaction(SIGCHLD, &saved, nullptr);
}

// The program starts with SIGCHLD blocked, as the launcher's child inherits it. grep reads
// its own mask: a shell would reset it.
TEST(launcher_session_test, program_starts_with_sigchld_blocked) {
  seam::reset();
  int status = -1;
  std::string out = zms_test::capture_stdout([&] {
    status = execute_program_new_session_and_wait("/bin/grep", "^SigBlk:", "/proc/self/status",
                                                  end_of_list);
  });
  EXPECT_EQ(status, 0);
  ASSERT_EQ(out.rfind("SigBlk:", 0), 0u) << out;
  unsigned long long blocked = std::stoull(out.substr(7), nullptr, 16);
  EXPECT_NE(blocked & (1ull << (SIGCHLD - 1)), 0u) << out;
}

// Called from a process that has a controlling terminal, the program runs as the leader of
// a session of its own without one.
TEST(launcher_session_test, program_leads_a_new_session_without_a_terminal) {
  launcher_fixture fixture;
  auto run = zms_test::run_on_terminal([&] {
    printf("caller has a terminal: %s\n", isatty(STDIN_FILENO) ? "yes" : "no");
    return launch(fixture.script().c_str(), padded({"on", "terminal"})) == 0 ? 0 : 1;
  });
  ASSERT_FALSE(run.timed_out);
  EXPECT_EQ(run.output, "caller has a terminal: yes\n");
  ASSERT_TRUE(WIFEXITED(run.status));
  EXPECT_EQ(WEXITSTATUS(run.status), 0);
  std::string ids;
  EXPECT_EQ(fixture.reported(&ids), (lines{fixture.script(), "[on]", "[terminal]"}));
  long pid = 0, group = 0, session = 0, terminal = -1;
  std::istringstream(ids) >> pid >> group >> session >> terminal;
  EXPECT_EQ(group, pid);
  EXPECT_EQ(session, pid);
  EXPECT_EQ(terminal, 0) << "no controlling terminal";
}

}  // namespace
