// vdcsim against a huge chassis file, the session's private directory, and what the writer
// can write the reader reads back.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "capture.h"
#include "chassis/chassis_file.h"
#include "sim_support.h"
#include "switch/manager.h"
#include "switch/session_files.h"
#include "terminal.h"

namespace {

using sim_test::read_file;
using sim_test::test_path;

TEST(state_file, what_the_writer_writes_the_reader_reads_back) {
  vdcsim::chassis model, again;
  std::string error;
  ASSERT_TRUE(vdcsim::load_chassis(test_path("data/chassis/limits.json"), model, error)) << error;
  vdcsim::library lib{};
  vdcsim::manager(model, lib, 1).tick();  // the clock stands at its last second already
  std::string text = vdcsim::chassis_to_yaml(model);
  ASSERT_TRUE(vdcsim::parse_chassis(text, "state.json", again, error)) << error;
  EXPECT_EQ(vdcsim::chassis_to_yaml(again), text);
}

TEST(state_file, the_session_directory_is_private) {
  std::string error, dir = vdcsim::make_session_dir(error);
  ASSERT_NE(dir, "") << error;
  struct stat st {};
  ASSERT_EQ(stat(dir.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);
  vdcsim::remove_session_dir(dir);
  EXPECT_NE(access(dir.c_str(), F_OK), 0);
}

// A disk that fills up (a limit on file size here) refuses the copy and, as the session's
// lab cannot be made, the switch, each with its reason; the file already there keeps its
// text and nothing is left beside it.
TEST(full_disk, refuses_the_copy_and_the_switch_and_keeps_the_old_file) {
  zms_test::temp_dir dir;
  std::string path = dir.path() + "/lab.yaml";
  sim_test::write_file(path, "old\n");
  auto r = sim_test::run_vdcsim({"-c", "copy running-config " + path, "-c", "switchto vdc prod",
                                 "-c", "show vdc current-vdc"},
                                "", {"TMPDIR=" + dir.path()}, 4096);
  std::string refusal = "\n% Cannot switch VDC: " + dir.path() + "/vdcsim-";
  size_t at = r.out.find(refusal);
  ASSERT_NE(at, std::string::npos) << r.out;
  EXPECT_EQ(r.out.substr(0, at), "switch# copy running-config " + path + "\n% Cannot write " +
                                     path + ": File too large\nswitch# switchto vdc prod");
  EXPECT_EQ(r.out.substr(r.out.find('/', at + refusal.size())),
            "/lab.db: cannot make the lab: disk I/O error (File too large)\nswitch# show vdc "
            "current-vdc\nCurrent vdc is 1 - switch\n");
  EXPECT_EQ(r.err, "vdcsim: -c:1: command failed: copy running-config " + path +
                       "\nvdcsim: -c:2: command failed: switchto vdc prod\n");
  EXPECT_EQ(r.exit_status, 1);
  EXPECT_EQ(read_file(path), "old\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

// A FIFO given as a replay file is refused at once: nothing waits for a writer.
TEST(replay_file, a_fifo_is_refused_without_waiting) {
  zms_test::temp_dir dir;
  std::string fifo = dir.path() + "/response.resp";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  auto r = sim_test::run_vdcsim({"--replay", fifo});
  EXPECT_EQ(r.err, "vdcsim: " + fifo + ": cannot read the response file: not a regular file\n");
  EXPECT_EQ(r.exit_status, 2);
}

}  // namespace
