// vdcsim's command line, the loader's messages and the mapping of the switch programs.
#include <gtest/gtest.h>

#include "capture.h"
#include "options.h"
#include "programs.h"
#include "sim_support.h"

namespace {

using sim_test::run_vdcsim;

struct argv_case {
  const char *name;
  std::vector<std::string> args;
  std::string error;  // empty: accepted
};

ZMS_PRINTS_AS(argv_case, name)

class command_lines : public testing::TestWithParam<argv_case> {};

TEST_P(command_lines, are_accepted_or_refused_by_name) {
  std::vector<std::string> args = {"vdcsim"};
  args.insert(args.end(), GetParam().args.begin(), GetParam().args.end());
  std::vector<char *> argv;
  for (auto &a : args)
    argv.push_back(a.data());
  vdcsim::options o;
  std::string error;
  bool ok = vdcsim::parse_options(static_cast<int>(argv.size()), argv.data(), o, error);
  EXPECT_EQ(ok, GetParam().error.empty());
  EXPECT_EQ(error, GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(
    all, command_lines,
    testing::Values(argv_case{"nothing", {}, ""},
                    argv_case{"everything",
                              {"--chassis", "f", "--library", "l", "--user", "u", "--role", "",
                               "-c", "show vdc", "-c", "help"},
                              ""},
                    argv_case{"tour", {"--tour"}, ""},
                    argv_case{"run", {"--run", "vsh", "-i", "2", "--tour"}, ""},
                    argv_case{"unknown", {"--verbose"}, "unknown argument '--verbose'"},
                    argv_case{"c_without_command", {"-c"}, "-c needs a command"},
                    argv_case{"chassis_without_file", {"--chassis"}, "--chassis needs a value"},
                    argv_case{"run_without_name", {"--run"}, "--run needs a program name"},
                    argv_case{"tour_and_commands",
                              {"--tour", "-c", "help"},
                              "--tour and -c exclude each other"}),
    [](const auto &row) { return std::string(row.param.name); });

TEST(command_lines, keep_commands_in_order_and_an_empty_role) {
  const char *args[] = {"vdcsim", "-c", "a", "--role", "", "-c", "b", "--user", "root"};
  vdcsim::options o;
  std::string error;
  ASSERT_TRUE(vdcsim::parse_options(9, const_cast<char **>(args), o, error));
  EXPECT_EQ(o.commands, (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(o.role, std::optional<std::string>(""));
  EXPECT_EQ(o.user, std::optional<std::string>("root"));
}

TEST(startup, a_bad_argument_prints_the_usage_and_exits_2) {
  auto result = run_vdcsim({"--verbose"});
  EXPECT_EQ(result.exit_status, 2);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err, std::string("vdcsim: unknown argument '--verbose'\n") + vdcsim::usage());
}

TEST(startup, a_library_that_lacks_names_is_refused_naming_each) {
  auto result = run_vdcsim({"--library", VDCSIM_INCOMPLETE_LIBRARY, "-c", "show vdc"});
  EXPECT_EQ(result.exit_status, 2);
  EXPECT_EQ(result.out, "");
  std::string expected =
      std::string("vdcsim: cannot use the library ") + VDCSIM_INCOMPLETE_LIBRARY + ":\n";
  for (const char *name : vdcsim::exported_names()) {
    std::string n = name;
    if (n != "show_vdc" && n != "show_vdc_mac")
      expected += "  the library lacks the symbol '" + n + "'\n";
  }
  EXPECT_EQ(result.err, expected);
}

TEST(startup, a_library_that_cannot_load_is_refused_with_the_loader_message) {
  auto result = run_vdcsim({"--library", "/nonexistent/lib.so", "-c", "show vdc"});
  EXPECT_EQ(result.exit_status, 2);
  EXPECT_EQ(result.err,
            "vdcsim: cannot use the library /nonexistent/lib.so:\n  /nonexistent/lib.so: cannot "
            "open shared object file: No such file or directory\n");
}

TEST(startup, every_exported_name_is_bound) {
  EXPECT_EQ(vdcsim::exported_names().size(), 49u);
  EXPECT_EQ(std::string(vdcsim::exported_names().front()), "show_vdc");
  EXPECT_EQ(std::string(vdcsim::exported_names().back()), "vdc_mgr_history_cli");
}

struct command_case {
  const char *name;
  std::string command;
  std::string mapped;
};

ZMS_PRINTS_AS(command_case, name)

class switch_commands : public testing::TestWithParam<command_case> {};

TEST_P(switch_commands, run_as_vdcsim) {
  vdcsim::set_self_path("/opt/sim dir/vdc'sim");
  EXPECT_EQ(vdcsim::map_command(GetParam().command), GetParam().mapped);
}

INSTANTIATE_TEST_SUITE_P(
    all, switch_commands,
    testing::Values(command_case{"nested_shell", "/velt/bin/vsh -i 12",
                                 "'/opt/sim dir/vdc'\\''sim' --run vsh -i 12"},
                    command_case{"first_setup", "/velt/bin/first-setup.core 3\n",
                                 "'/opt/sim dir/vdc'\\''sim' --run first-setup.core 3\n"},
                    command_case{"other_command", "/bin/true /velt/bin/vsh",
                                 "/bin/true /velt/bin/vsh"},
                    command_case{"near_miss", "/velt/binary", "/velt/binary"}),
    [](const auto &row) { return std::string(row.param.name); });

TEST(switch_programs, the_login_program_runs_as_vdcsim_with_its_arguments) {
  vdcsim::set_self_path("/opt/vdcsim");
  EXPECT_EQ(vdcsim::map_program({"/velt/bin/vdclogin", {"admin", "3"}}),
            (std::vector<std::string>{"/opt/vdcsim", "--run", "vdclogin", "admin", "3"}));
  EXPECT_EQ(vdcsim::map_program({"/bin/echo", {"x"}}),
            (std::vector<std::string>{"/bin/echo", "x"}));
}

struct program_case {
  const char *name;
  std::vector<std::string> args;
  int exit_status;
  std::string out;
  std::string err;
};

ZMS_PRINTS_AS(program_case, name)

class switch_program_runs : public testing::TestWithParam<program_case> {};

TEST_P(switch_program_runs, exit_as_the_library_expects) {
  auto result = run_vdcsim(GetParam().args, "show vdc current-vdc\nexit\n");
  EXPECT_EQ(result.exit_status, GetParam().exit_status);
  EXPECT_EQ(result.err, GetParam().err);
  EXPECT_EQ(result.out.substr(0, GetParam().out.size()), GetParam().out);
}

INSTANTIATE_TEST_SUITE_P(
    all, switch_program_runs,
    testing::Values(
        program_case{"setup_done",
                     {"--run", "first-setup.core", "4"},
                     0,
                     "first-setup: vdc san is set up\n",
                     ""},
        program_case{"setup_fails",
                     {"--run", "first-setup.core", "5"},
                     2,
                     "first-setup: the first-time setup of vdc staging failed\n",
                     ""},
        program_case{"setup_of_nothing",
                     {"--run", "first-setup.core", "x"},
                     1,
                     "first-setup: no VDC 0\n",
                     ""},
        program_case{"nested_shell",
                     {"--run", "vsh", "-i", "2"},
                     0,
                     "switch-prod# show vdc current-vdc\n",
                     ""},
        program_case{"nested_shell_nowhere",
                     {"--run", "vsh", "-i", "7"},
                     1,
                     "",
                     "vdcsim: no VDC 7 to enter\n"},
        program_case{"login",
                     {"--run", "vdclogin", "admin", "4"},
                     0,
                     "vdclogin: admin logged in to vdc 4\nswitch-san# show vdc current-vdc\n",
                     ""},
        program_case{
            "unknown", {"--run", "reboot"}, 127, "", "vdcsim: no switch program 'reboot'\n"}),
    [](const auto &row) { return std::string(row.param.name); });

}  // namespace
