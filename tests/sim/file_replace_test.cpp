// Replacing an operator's file: what stands at the path decides whether it is replaced,
// and whatever the outcome nothing but the file is left in its directory.
#include "util/file_replace.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>

#include "capture.h"
#include "sim_support.h"

namespace {

using sim_test::read_file;
using sim_test::write_file;

struct destination {
  const char *name;
  std::function<void(const std::string &dir)> make;  // what stands at DIR/file before
  const char *file;                                  // the path replaced, under DIR
  bool replaced;
  const char *place;  // the fault's place, under DIR ("" for the file itself)
  const char *reason;
  mode_t mode;  // the file's mode afterwards, 0 when it is not a regular file
  const char *text;
};

void old_file(const std::string &dir, mode_t mode) {
  write_file(dir + "/file", "old\n");
  chmod((dir + "/file").c_str(), mode);
}

const destination destinations[] = {
    {"new_file_gets_the_mode", [](auto &) {}, "file", true, "", "", 0640, "new\n"},
    {"old_file_keeps_its_mode", [](auto &d) { old_file(d, 0600); }, "file", true, "", "", 0600,
     "new\n"},
    {"fifo_is_refused", [](auto &d) { mkfifo((d + "/file").c_str(), 0644); }, "file", false,
     "/file", "not a regular file", 0, ""},
    {"link_is_refused_not_followed",
     [](auto &d) {
       old_file(d, 0644);
       symlink((d + "/file").c_str(), (d + "/link").c_str());
     },
     "link", false, "/link", "not a regular file", 0, ""},
    {"directory_is_refused", [](auto &d) { mkdir((d + "/file").c_str(), 0755); }, "file", false,
     "/file", "Is a directory", 0, ""},
    {"missing_directory_is_named", [](auto &) {}, "none/file", false, "in %/none",
     "No such file or directory", 0, ""},
};

class destinations_test : public testing::TestWithParam<destination> {};

TEST_P(destinations_test, are_replaced_or_refused_and_nothing_is_left_beside) {
  const destination &d = GetParam();
  zms_test::temp_dir dir;
  d.make(dir.path());
  std::string path = dir.path() + "/" + d.file;
  size_t entries = std::distance(std::filesystem::directory_iterator(dir.path()), {});
  vdcsim::replace_outcome r = vdcsim::replace_file_as(path, "new\n", 0640);
  EXPECT_EQ(r.replaced, d.replaced);
  std::string place = d.place;
  if (place.starts_with("in %"))
    place = "in " + dir.path() + place.substr(4);
  else if (!place.empty())
    place = dir.path() + place;
  EXPECT_EQ(r.place, place);
  EXPECT_EQ(r.reason, d.reason);
  EXPECT_EQ(r.other_links, 0u);
  struct stat st {};
  if (d.mode != 0) {
    ASSERT_EQ(lstat(path.c_str(), &st), 0);
    EXPECT_TRUE(S_ISREG(st.st_mode));
    EXPECT_EQ(st.st_mode & 07777, d.mode);
    EXPECT_EQ(read_file(path), d.text);
  } else if (lstat(path.c_str(), &st) == 0) {
    EXPECT_FALSE(S_ISREG(st.st_mode)) << "what stood there stays";
  }
  if (std::string(d.file) == "link") {
    EXPECT_EQ(read_file(dir.path() + "/file"), "old\n") << "the link's target is untouched";
  }
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}),
            static_cast<long>(entries + (d.replaced && entries == 0 ? 1 : 0)));
}

INSTANTIATE_TEST_SUITE_P(table, destinations_test, testing::ValuesIn(destinations),
                         [](const testing::TestParamInfo<destination> &row) {
                           return std::string(row.param.name);
                         });

// The other names of a hard-linked file keep the old text; the shell says so.
TEST(copy_running_config, says_when_it_breaks_a_hard_link) {
  zms_test::temp_dir dir;
  std::string path = dir.path() + "/lab.yaml", other = dir.path() + "/other.yaml";
  old_file(dir.path(), 0600);
  ASSERT_EQ(rename((dir.path() + "/file").c_str(), path.c_str()), 0);
  ASSERT_EQ(link(path.c_str(), other.c_str()), 0);
  auto r = sim_test::run_vdcsim({"-c", "copy running-config " + path});
  EXPECT_EQ(r.out, "switch# copy running-config " + path + "\nSaved the running configuration to " +
                       path + "\n% " + path +
                       " had 1 other hard link: it keeps the old configuration.\n");
  EXPECT_EQ(r.exit_status, 0);
  EXPECT_EQ(read_file(other), "old\n");
  struct stat st {};
  ASSERT_EQ(stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0600u);
  EXPECT_EQ(st.st_nlink, 1u);
}

// Without leave to make a file in the directory the refusal names the directory, even
// when the file itself could be written. Root may write anywhere: it runs as nobody.
TEST(copy_running_config, names_a_directory_it_may_not_write_in) {
  zms_test::temp_dir dir;
  std::string path = dir.path() + "/lab.yaml", out = dir.path() + ".out";
  write_file(path, "old\n");
  chmod(path.c_str(), 0666);
  chmod(dir.path().c_str(), 0555);
  std::string as = geteuid() == 0 ? "setpriv --reuid=nobody --regid=nogroup --clear-groups " : "";
  int status = std::system(
      (as + VDCSIM_PROGRAM + " -c 'copy running-config " + path + "' >" + out + " 2>/dev/null")
          .c_str());
  chmod(dir.path().c_str(), 0755);
  EXPECT_EQ(WEXITSTATUS(status), 1);
  EXPECT_EQ(read_file(out), "switch# copy running-config " + path + "\n% Cannot write in " +
                                dir.path() + ": Permission denied\n");
  EXPECT_EQ(read_file(path), "old\n");
  std::remove(out.c_str());
}

}  // namespace
