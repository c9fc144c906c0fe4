// A lab shared by shells: kept across runs, refused when it is something else, seen by two
// terminals at once, written by several shells at once and by shells killed at random
// moments without losing a change that was acknowledged.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sqlite3.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <random>
#include <thread>

#include "capture.h"
#include "sim_support.h"

namespace {

using sim_test::read_file;
using sim_test::run_vdcsim;
using sim_test::write_file;

// Room for the VDCs the writers make.
constexpr const char *roomy_chassis =
    "{\"max_vdcs\": 200, \"vdcs\": [{\"id\": 1, \"name\": \"switch\"}, {\"id\": 2, \"name\": "
    "\"prod\"}], \"interfaces\": [{\"name\": \"Ethernet1/1\", \"slot\": 1, \"vdc\": 1}]}\n";

// Starts vdcsim in a process group of its own, reading `in` and writing `out`.
pid_t start_vdcsim(const std::vector<std::string> &args, const std::string &in,
                   const std::string &out) {
  pid_t pid = fork();
  if (pid == 0) {
    setpgid(0, 0);
    dup2(open(in.c_str(), O_RDONLY), 0);
    dup2(open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 1);
    dup2(open("/dev/null", O_WRONLY), 2);
    unsetenv("VDCSIM_STATE");
    std::vector<char *> argv = {const_cast<char *>(VDCSIM_PROGRAM)};
    for (auto &a : args)
      argv.push_back(const_cast<char *>(a.c_str()));
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    _exit(126);
  }
  return pid;
}

int wait_for(pid_t pid) {
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// The first column of the first row `sql` gives on the database at `path`.
std::string query(const std::string &path, const char *sql) {
  sqlite3 *db = nullptr;
  std::string result = "cannot open";
  if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK) {
    sqlite3_stmt *st = nullptr;
    sqlite3_prepare_v2(db, sql, -1, &st, nullptr);
    if (sqlite3_step(st) == SQLITE_ROW)
      result = reinterpret_cast<const char *>(sqlite3_column_text(st, 0));
    sqlite3_finalize(st);
  }
  sqlite3_close(db);
  return result;
}

TEST(lab, keeps_the_switch_across_runs_and_refuses_a_second_chassis) {
  zms_test::temp_dir dir;
  std::string lab = "--lab=" + dir.path() + "/lab.db", chassis = dir.path() + "/roomy.json";
  write_file(chassis, roomy_chassis);
  EXPECT_EQ(run_vdcsim({lab, "--chassis=" + chassis, "-c", "vdc edge"}).exit_status, 0);
  // A change writes only the sections it changes: a new VDC moves no interface.
  EXPECT_EQ(
      query(dir.path() + "/lab.db", "SELECT generation FROM sections WHERE name = 'interfaces'"),
      "0");
  auto again = run_vdcsim({lab, "-c", "show running-config", "-c", "show vdc current-vdc"});
  EXPECT_EQ(again.out,
            "switch# show running-config\n! Running configuration: changes since the chassis was "
            "loaded\nvdc edge\nswitch# show vdc current-vdc\nCurrent vdc is 1 - switch\n");
  auto refused = run_vdcsim({lab, "--chassis=" + chassis, "-c", "show vdc"});
  EXPECT_EQ(refused.out, "");
  EXPECT_EQ(refused.err, "vdcsim: --chassis: the lab " + dir.path() +
                             "/lab.db keeps the chassis it was made from; leave out --chassis, "
                             "or name a new lab\n");
  EXPECT_EQ(refused.exit_status, 2);
}

TEST(lab, refuses_what_is_not_a_lab_and_leaves_it_as_it_was) {
  zms_test::temp_dir dir;
  std::string text = dir.path() + "/notes.txt", other = dir.path() + "/other.db";
  write_file(text, "not a lab\n");
  sqlite3 *db = nullptr;
  sqlite3_open(other.c_str(), &db);
  sqlite3_exec(db, "CREATE TABLE t (x)", nullptr, nullptr, nullptr);
  sqlite3_close(db);
  std::string other_bytes = read_file(other);
  struct row {
    std::string path, why;
  };
  for (const row &r : {row{text, "not a lab: file is not a database"},
                       row{other, "not a lab: a database of another program"},
                       row{dir.path(), "not a regular file"}}) {
    auto result = run_vdcsim({"--lab=" + r.path, "-c", "vdc edge"});
    EXPECT_EQ(result.err, "vdcsim: cannot use the lab " + r.path + ": " + r.why + "\n");
    EXPECT_EQ(result.exit_status, 2);
  }
  EXPECT_EQ(read_file(text), "not a lab\n");
  EXPECT_EQ(read_file(other), other_bytes);
}

// One terminal waits at its prompt while another changes the lab; its next command sees it.
TEST(lab, two_terminals_see_each_others_changes) {
  zms_test::temp_dir dir;
  std::string lab = "--lab=" + dir.path() + "/lab.db", fifo = dir.path() + "/typed";
  ASSERT_EQ(run_vdcsim({lab, "-c", "vdc alpha"}).exit_status, 0);
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  pid_t first = start_vdcsim({lab}, fifo, dir.path() + "/first.out");
  int typing = open(fifo.c_str(), O_WRONLY);
  ASSERT_EQ(write(typing, "show running-config\n", 20), 20);
  auto second = run_vdcsim({lab, "-c", "no vdc alpha", "-c", "vdc beta"});
  EXPECT_EQ(second.exit_status, 0) << second.out;
  ASSERT_EQ(write(typing, "show running-config\n", 20), 20);
  close(typing);
  EXPECT_EQ(wait_for(first), 0);
  std::string out = read_file(dir.path() + "/first.out");
  std::string header =
      "switch# show running-config\n! Running configuration: changes since the "
      "chassis was loaded\n";
  EXPECT_TRUE(out == header + "vdc alpha\n" + header + "vdc beta\n" ||
              out == header + "vdc beta\n" + header + "vdc beta\n")
      << out;
}

// Writers that start together each make their own VDCs; every one of them is kept.
TEST(lab, writers_at_once_lose_no_change) {
  zms_test::temp_dir dir;
  std::string chassis = dir.path() + "/roomy.json", lab = "--lab=" + dir.path() + "/lab.db";
  write_file(chassis, roomy_chassis);
  ASSERT_EQ(run_vdcsim({lab, "--chassis=" + chassis, "-c", "show vdc current-vdc"}).exit_status, 0);
  std::vector<pid_t> writers;
  for (int w = 0; w < 4; ++w) {
    std::vector<std::string> args = {lab};
    for (int i = 0; i < 8; ++i)
      args.insert(args.end(), {"-c", "vdc w" + std::to_string(w) + "-" + std::to_string(i)});
    writers.push_back(start_vdcsim(args, "/dev/null", dir.path() + "/w" + std::to_string(w)));
  }
  for (pid_t w : writers)
    EXPECT_EQ(wait_for(w), 0);
  std::string vdcs = run_vdcsim({lab, "-c", "show vdc"}).out;
  for (int w = 0; w < 4; ++w)
    for (int i = 0; i < 8; ++i)
      EXPECT_NE(vdcs.find(" w" + std::to_string(w) + "-" + std::to_string(i) + " "),
                std::string::npos)
          << "lost: w" << w << "-" << i;
}

// The VDCs a killed writer made whose command printed the next prompt: acknowledged.
std::vector<std::string> acknowledged(const std::string &out, int round) {
  std::vector<std::string> names;
  for (int i = 0;; ++i) {
    std::string name = "k" + std::to_string(round) + "-" + std::to_string(i);
    size_t at = out.find("switch# vdc " + name + "\n");
    if (at == std::string::npos) break;
    at += 13 + name.size();
    if (out.compare(at, 7, "switch#") == 0) names.push_back(name);
  }
  return names;
}

// Writers make VDCs and switch into them, killed at random moments: in a change, in a
// switch or in the nested shell. The lab stays whole and keeps every acknowledged change.
TEST(lab, killed_writers_lose_nothing_acknowledged) {
  prctl(PR_SET_CHILD_SUBREAPER, 1);  // nested shells of a killed writer come to this test
  zms_test::temp_dir dir;
  std::string chassis = dir.path() + "/roomy.json", path = dir.path() + "/lab.db";
  write_file(chassis, roomy_chassis);
  ASSERT_EQ(run_vdcsim({"--lab=" + path, "--chassis=" + chassis, "-c", "vdc edge"}).exit_status, 0);
  std::mt19937 random(20240301);
  std::vector<std::string> kept;
  for (int round = 0; round < 12 || (kept.empty() && round < 40); ++round) {
    std::string script, in = dir.path() + "/in", out = dir.path() + "/out";
    for (int i = 0; i < 8; ++i)
      script += "vdc k" + std::to_string(round) + "-" + std::to_string(i) +
                "\nswitchto vdc edge\nshow vdc current-vdc\nexit\n";
    write_file(in, script);
    pid_t writer = start_vdcsim({"--lab=" + path}, in, out);
    for (int waited = 0; waited < 500 && read_file(out).empty(); ++waited)  // until it runs
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    std::this_thread::sleep_for(std::chrono::milliseconds(random() % 300));
    kill(-writer, SIGKILL);
    while (waitpid(-writer, nullptr, 0) > 0) {  // the writer and its nested shells
    }
    for (auto &name : acknowledged(read_file(out), round))
      kept.push_back(name);
    ASSERT_EQ(query(path, "PRAGMA integrity_check"), "ok") << "round " << round;
  }
  EXPECT_GT(kept.size(), 0u);
  auto after = run_vdcsim({"--lab=" + path, "-c", "show vdc"});
  EXPECT_EQ(after.exit_status, 0) << after.err;
  for (auto &name : kept)
    EXPECT_NE(after.out.find(" " + name + " "), std::string::npos) << "lost: " << name;
}

}  // namespace
