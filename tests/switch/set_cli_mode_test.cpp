// Switching the shell to another VDC: the text printed, the platform and C library calls
// in their order, SYSMGR_VDC_ID and the current VDC afterwards, and whether the terminal
// is handed back.
#include <gtest/gtest.h>

#include <cstdlib>
#include <deque>

#include "capture.h"
#include "shell_seam.h"

namespace {

using standin::attribute;
using standin::bytes;
using standin::mark;
using standin::text;
using standin::word;
using zms_test::command;
using zms_test::run_captured;
using lines = std::vector<std::string>;

lines operator+(lines a, const lines &b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

const lines prologue = {"getpgrp()", "cmd_rsp_attr_get(0x141a0040)", "cmd_rsp_attr_get(0x80000007)",
                        "cmd_req_script_mode_get()"};
const lines hand_back = {"tcsetpgrp(1, 4242)"};

lines set_vdc_id(const std::string &value) {
  return {"setenv(\"SYSMGR_VDC_ID\", \"" + value + "\", 1)"};
}

// Entering a target: SYSMGR_VDC_ID holds at most three characters of it.
lines enter(uint32_t target) {
  std::string number = std::to_string(static_cast<int32_t>(target));
  return set_vdc_id(number.substr(0, 3)) + lines{"cmd_vdc_set(" + std::to_string(target) + ")",
                                                 "vsh_set_vdc_environment()", "vsh_get_username()"};
}

lines in_default_terminal(const std::string &run) {
  return {"cli_save_terminal_settings()", "cli_set_default_terminal_settings()", run,
          "cli_restore_terminal_settings()"};
}

lines nested_shell(int target) {
  return in_default_terminal("system(\"/velt/bin/vsh -i " + std::to_string(target) + "\")");
}

lines first_setup(int target) {
  return {"system(\"/velt/bin/first-setup.core " + std::to_string(target) + "\\n\")"};
}

lines login(const std::string &user, const std::string &vdc_argument) {
  return in_default_terminal("execute_program_and_wait(\"/velt/bin/vdclogin\", \"" + user +
                             "\", \"" + vdc_argument + "\")");
}

struct switch_case {
  const char *label;
  // The shell and the platform before the call.
  std::optional<std::string> vdc_id = "2";
  std::optional<std::string> roles = "network-operator";
  int32_t requested_script_mode = 0;
  int32_t environment = 5;
  std::optional<std::string> user = "alice";
  std::vector<attribute> response = {};
  std::vector<int> system_statuses = {};
  std::vector<int32_t> login_results = {};  // 0 once they run out
  // What the call leaves.
  std::string printed = {};
  lines calls = {};
  std::optional<std::string> vdc_id_after = {};
  uint32_t current_vdc_after = 1;
  size_t walk_reads = 0;  // cmd_rsp_attr_getnext calls, the end mark's included
};

void PrintTo(const switch_case &c, std::ostream *os) {
  *os << c.label;
}

void set_variable(const char *name, const std::optional<std::string> &value) {
  if (value)
    setenv(name, value->c_str(), 1);
  else
    unsetenv(name);
}

std::optional<std::string> variable(const char *name) {
  const char *value = getenv(name);
  return value ? std::optional<std::string>(value) : std::nullopt;
}

class switch_test : public testing::TestWithParam<switch_case> {};

TEST_P(switch_test, prints_runs_and_leaves_the_shell_as_expected) {
  const switch_case &c = GetParam();
  set_variable("SYSMGR_VDC_ID", c.vdc_id);
  set_variable("VSH_ROLES", c.roles);
  auto cmd = command(c.response);  // also clears the call log
  cmd.script_mode = c.requested_script_mode;
  standin::platform().vdc_environment = c.environment;
  standin::platform().username = c.user.value_or("");
  standin::platform().username_null = !c.user;
  std::deque<int32_t> results(c.login_results.begin(), c.login_results.end());
  standin::platform().program_runner = [&](const standin::program_run &) {
    if (results.empty()) return 0;
    int32_t result = results.front();
    results.pop_front();
    return result;
  };
  seam::script_system(c.system_statuses);

  auto [result, out] = run_captured([&] { return vdc_mgr_set_cli_mode(&cmd); });

  EXPECT_EQ(result, 0);
  EXPECT_EQ(out, c.printed);
  EXPECT_EQ(standin::calls(), c.calls);
  EXPECT_EQ(variable("SYSMGR_VDC_ID"), c.vdc_id_after);
  EXPECT_EQ(standin::platform().current_vdc, c.current_vdc_after);
  EXPECT_EQ(cmd.getnext_calls, c.walk_reads);
}

const std::string long_name(200, 'u');

// The outcomes, one row per situation the walk can meet.
const switch_case outcomes[] = {
    {.label = "no_such_vdc",
     .response = {mark(VDC_ATTR_ERR_NO_VDC)},
     .printed = " VDC does not exist\n ",
     .calls = prologue + hand_back,
     .vdc_id_after = "2",
     .walk_reads = 2},
    {.label = "not_authorized",
     .response = {mark(VDC_ATTR_ERR_NOT_AUTHORIZED)},
     .printed = " Not authorized to change VDC\n ",
     .calls = prologue + hand_back,
     .vdc_id_after = "2",
     .walk_reads = 2},
    {.label = "target_one_ends_at_once",
     .response = {word(VDC_ATTR_SWITCH_TARGET, 1), mark(VDC_ATTR_ERR_NO_VDC)},
     .calls = prologue,
     .vdc_id_after = "2",
     .walk_reads = 1},
    {.label = "target_one_with_the_variable_unset",
     .vdc_id = std::nullopt,
     .response = {word(VDC_ATTR_SWITCH_TARGET, 1)},
     .calls = prologue,
     .vdc_id_after = std::nullopt,
     .walk_reads = 1},
    {.label = "roles_unset_ends_in_the_target",
     .roles = std::nullopt,
     .response = {word(VDC_ATTR_SWITCH_TARGET, 3), mark(VDC_ATTR_ERR_NO_VDC)},
     .calls = prologue + enter(3),
     .vdc_id_after = "3",
     .current_vdc_after = 3,
     .walk_reads = 1},
    {.label = "nested_shell_succeeds",
     .roles = "NETWORK_ADMIN",
     .requested_script_mode = 1,
     .response = {word(VDC_ATTR_SWITCH_TARGET, 3)},
     .calls = prologue + enter(3) + nested_shell(3) + hand_back,
     .vdc_id_after = "3",
     .current_vdc_after = 3,
     .walk_reads = 2},
    {.label = "nested_shell_exits_non_zero",
     .roles = "NETWORK_ADMIN",
     .requested_script_mode = 1,
     .response = {word(VDC_ATTR_SWITCH_TARGET, 3)},
     .system_statuses = {seam::exited(1)},
     .printed = "vsh spawning failed /velt/bin/vsh -i 3\n",
     .calls = prologue + enter(3) + nested_shell(3) + set_vdc_id("2") + hand_back,
     .vdc_id_after = "2",
     .current_vdc_after = 3,
     .walk_reads = 2},
    {.label = "nested_shell_cannot_start",
     .roles = "NETWORK_ADMIN",
     .requested_script_mode = 1,
     .response = {word(VDC_ATTR_SWITCH_TARGET, 3)},
     .system_statuses = {-1},
     .printed = "vsh spawning failed /velt/bin/vsh -i 3\n",
     .calls = prologue + enter(3) + nested_shell(3) + set_vdc_id("2") + hand_back,
     .vdc_id_after = "2",
     .current_vdc_after = 3,
     .walk_reads = 2},
    {.label = "nested_shell_killed_by_a_signal",
     .roles = "NETWORK_ADMIN",
     .requested_script_mode = 1,
     .response = {word(VDC_ATTR_SWITCH_TARGET, 3)},
     .system_statuses = {9},
     .printed = "vsh spawning failed /velt/bin/vsh -i 3\n",
     .calls = prologue + enter(3) + nested_shell(3) + set_vdc_id("2") + hand_back,
     .vdc_id_after = "2",
     .current_vdc_after = 3,
     .walk_reads = 2},
    {.label = "first_setup_exits_2",
     .response = {word(VDC_ATTR_SWITCH_TARGET, 3), mark(VDC_ATTR_ERR_NO_VDC)},
     .system_statuses = {seam::exited(2)},
     .printed = "First-setup failure detected. Reverting to default vdc\n",
     .calls = prologue + enter(3) + first_setup(3) + set_vdc_id("2") + hand_back,
     .vdc_id_after = "2",
     .current_vdc_after = 3,
     .walk_reads = 1},
    {.label = "login_succeeds",
     .response = {word(VDC_ATTR_SWITCH_TARGET, 3)},
     .calls = prologue + enter(3) + first_setup(3) + login("alice", "5") + hand_back,
     .vdc_id_after = "3",
     .current_vdc_after = 3,
     .walk_reads = 2},
    {.label = "login_fails",
     .response = {word(VDC_ATTR_SWITCH_TARGET, 3)},
     .login_results = {1},
     .printed = " Failed to switch to vdc 3 \n",
     .calls =
         prologue + enter(3) + first_setup(3) + login("alice", "5") + set_vdc_id("2") + hand_back,
     .vdc_id_after = "2",
     .current_vdc_after = 3,
     .walk_reads = 2},
    {.label = "no_walk_attribute",
     .response = {word(VDC_ATTR_ID, 3), text(VDC_ATTR_NAME, "core"),
                  mark(VDC_ATTR_SKIP_FIRST_SETUP), word(VDC_ATTR_SCRIPT_MODE, 1)},
     .calls = prologue + hand_back,
     .vdc_id_after = "2",
     .walk_reads = 5},
    {.label = "empty_response",
     .calls = prologue + hand_back,
     .vdc_id_after = "2",
     .walk_reads = 1},
};

INSTANTIATE_TEST_SUITE_P(outcomes, switch_test, testing::ValuesIn(outcomes),
                         [](const auto &p) { return std::string(p.param.label); });

// The VDC number the shell falls back to, and how much of a number the variable holds.
const switch_case vdc_numbers[] = {
    {.label = "unset_counts_as_the_default_vdc",
     .vdc_id = std::nullopt,
     .response = {word(VDC_ATTR_SWITCH_TARGET, 3)},
     .login_results = {1},
     .printed = " Failed to switch to vdc 3 \n",
     .calls =
         prologue + enter(3) + first_setup(3) + login("alice", "5") + set_vdc_id("1") + hand_back,
     .vdc_id_after = "1",
     .current_vdc_after = 3,
     .walk_reads = 2},
    {.label = "text_without_a_number_counts_as_0",
     .vdc_id = "abc",
     .response = {word(VDC_ATTR_SWITCH_TARGET, 3)},
     .login_results = {1},
     .printed = " Failed to switch to vdc 3 \n",
     .calls =
         prologue + enter(3) + first_setup(3) + login("alice", "5") + set_vdc_id("0") + hand_back,
     .vdc_id_after = "0",
     .current_vdc_after = 3,
     .walk_reads = 2},
    {.label = "leading_blanks_and_sign_are_read",
     .vdc_id = "  +7x",
     .roles = "NETWORK_ADMIN",
     .requested_script_mode = 1,
     .response = {word(VDC_ATTR_SWITCH_TARGET, 3)},
     .system_statuses = {seam::exited(1)},
     .printed = "vsh spawning failed /velt/bin/vsh -i 3\n",
     .calls = prologue + enter(3) + nested_shell(3) + set_vdc_id("7") + hand_back,
     .vdc_id_after = "7",
     .current_vdc_after = 3,
     .walk_reads = 2},
    {.label = "negative_number",
     .vdc_id = "-4",
     .response = {word(VDC_ATTR_SWITCH_TARGET, 3)},
     .login_results = {1},
     .printed = " Failed to switch to vdc 3 \n",
     .calls =
         prologue + enter(3) + first_setup(3) + login("alice", "5") + set_vdc_id("-4") + hand_back,
     .vdc_id_after = "-4",
     .current_vdc_after = 3,
     .walk_reads = 2},
    {.label = "number_beyond_32_bits_saturates",
     .vdc_id = "99999999999",
     .response = {word(VDC_ATTR_SWITCH_TARGET, 3)},
     .login_results = {1},
     .printed = " Failed to switch to vdc 3 \n",
     .calls =
         prologue + enter(3) + first_setup(3) + login("alice", "5") + set_vdc_id("214") + hand_back,
     .vdc_id_after = "214",
     .current_vdc_after = 3,
     .walk_reads = 2},
    {.label = "target_1000_keeps_three_characters",
     .response = {word(VDC_ATTR_SWITCH_TARGET, 1000)},
     .calls = prologue + enter(1000) + first_setup(1000) + login("alice", "5") + hand_back,
     .vdc_id_after = "100",
     .current_vdc_after = 1000,
     .walk_reads = 2},
    {.label = "target_1000_nested_shell_command_has_the_full_number",
     .roles = "NETWORK_ADMIN",
     .requested_script_mode = 1,
     .response = {word(VDC_ATTR_SWITCH_TARGET, 1000)},
     .system_statuses = {seam::exited(1)},
     .printed = "vsh spawning failed /velt/bin/vsh -i 1000\n",
     .calls = prologue + enter(1000) + nested_shell(1000) + set_vdc_id("2") + hand_back,
     .vdc_id_after = "2",
     .current_vdc_after = 1000,
     .walk_reads = 2},
    {.label = "target_1000_login_failure_prints_the_full_number",
     .response = {word(VDC_ATTR_SWITCH_TARGET, 1000)},
     .login_results = {1},
     .printed = " Failed to switch to vdc 1000 \n",
     .calls = prologue + enter(1000) + first_setup(1000) + login("alice", "5") + set_vdc_id("2") +
              hand_back,
     .vdc_id_after = "2",
     .current_vdc_after = 1000,
     .walk_reads = 2},
    {.label = "target_0_is_an_ordinary_target",
     .response = {word(VDC_ATTR_SWITCH_TARGET, 0)},
     .calls = prologue + enter(0) + first_setup(0) + login("alice", "5") + hand_back,
     .vdc_id_after = "0",
     .current_vdc_after = 0,
     .walk_reads = 2},
    {.label = "target_is_the_whole_word",
     .response = {word(VDC_ATTR_SWITCH_TARGET, 0x00010001)},
     .calls = prologue + enter(0x00010001) + first_setup(65537) + login("alice", "5") + hand_back,
     .vdc_id_after = "655",
     .current_vdc_after = 0x00010001,
     .walk_reads = 2},
};

INSTANTIATE_TEST_SUITE_P(vdc_numbers, switch_test, testing::ValuesIn(vdc_numbers),
                         [](const auto &p) { return std::string(p.param.label); });

// The login program's arguments.
const switch_case login_arguments[] = {
    {.label = "root_logs_in_as_admin",
     .user = "root",
     .response = {word(VDC_ATTR_SWITCH_TARGET, 3)},
     .calls = prologue + enter(3) + first_setup(3) + login("admin", "5") + hand_back,
     .vdc_id_after = "3",
     .current_vdc_after = 3,
     .walk_reads = 2},
    {.label = "only_the_exact_root_becomes_admin",
     .user = "Root",
     .response = {word(VDC_ATTR_SWITCH_TARGET, 3)},
     .calls = prologue + enter(3) + first_setup(3) + login("Root", "5") + hand_back,
     .vdc_id_after = "3",
     .current_vdc_after = 3,
     .walk_reads = 2},
    {.label = "long_user_name_is_cut_to_127",
     .user = long_name,
     .response = {word(VDC_ATTR_SWITCH_TARGET, 3)},
     .calls =
         prologue + enter(3) + first_setup(3) + login(long_name.substr(0, 127), "5") + hand_back,
     .vdc_id_after = "3",
     .current_vdc_after = 3,
     .walk_reads = 2},
    {.label = "no_user_name_logs_in_with_an_empty_one",
     .user = std::nullopt,
     .response = {word(VDC_ATTR_SWITCH_TARGET, 3)},
     .calls = prologue + enter(3) + first_setup(3) + login("", "5") + hand_back,
     .vdc_id_after = "3",
     .current_vdc_after = 3,
     .walk_reads = 2},
    {.label = "negative_environment_result_is_passed_as_text",
     .environment = -3,
     .response = {word(VDC_ATTR_SWITCH_TARGET, 3)},
     .calls = prologue + enter(3) + first_setup(3) + login("alice", "-3") + hand_back,
     .vdc_id_after = "3",
     .current_vdc_after = 3,
     .walk_reads = 2},
};

INSTANTIATE_TEST_SUITE_P(login_arguments, switch_test, testing::ValuesIn(login_arguments),
                         [](const auto &p) { return std::string(p.param.label); });

// Which program runs: all three conditions lead to the nested shell, any one missing to
// the login program.
const switch_case path_choice[] = {
    {.label = "role_in_lower_case_logs_in",
     .roles = "network_admin",
     .requested_script_mode = 1,
     .response = {word(VDC_ATTR_SWITCH_TARGET, 3)},
     .calls = prologue + enter(3) + first_setup(3) + login("alice", "5") + hand_back,
     .vdc_id_after = "3",
     .current_vdc_after = 3,
     .walk_reads = 2},
    {.label = "role_with_more_text_logs_in",
     .roles = "NETWORK_ADMIN ",
     .requested_script_mode = 1,
     .response = {word(VDC_ATTR_SWITCH_TARGET, 3)},
     .calls = prologue + enter(3) + first_setup(3) + login("alice", "5") + hand_back,
     .vdc_id_after = "3",
     .current_vdc_after = 3,
     .walk_reads = 2},
    {.label = "zero_script_flag_logs_in",
     .roles = "NETWORK_ADMIN",
     .requested_script_mode = 0,
     .response = {word(VDC_ATTR_SWITCH_TARGET, 3)},
     .calls = prologue + enter(3) + first_setup(3) + login("alice", "5") + hand_back,
     .vdc_id_after = "3",
     .current_vdc_after = 3,
     .walk_reads = 2},
    {.label = "zero_environment_logs_in_with_vdc_argument_0",
     .roles = "NETWORK_ADMIN",
     .requested_script_mode = 1,
     .environment = 0,
     .response = {word(VDC_ATTR_SWITCH_TARGET, 3)},
     .calls = prologue + enter(3) + first_setup(3) + login("alice", "0") + hand_back,
     .vdc_id_after = "3",
     .current_vdc_after = 3,
     .walk_reads = 2},
    {.label = "script_attribute_0_overrides_the_request",
     .roles = "NETWORK_ADMIN",
     .requested_script_mode = 1,
     .response = {word(VDC_ATTR_SCRIPT_MODE, 0), word(VDC_ATTR_SWITCH_TARGET, 3)},
     .calls = prologue + enter(3) + first_setup(3) + login("alice", "5") + hand_back,
     .vdc_id_after = "3",
     .current_vdc_after = 3,
     .walk_reads = 3},
    {.label = "script_attribute_1_overrides_the_request",
     .roles = "NETWORK_ADMIN",
     .requested_script_mode = 0,
     .response = {word(VDC_ATTR_SWITCH_TARGET, 3), word(VDC_ATTR_SCRIPT_MODE, 1)},
     .calls = prologue + enter(3) + nested_shell(3) + hand_back,
     .vdc_id_after = "3",
     .current_vdc_after = 3,
     .walk_reads = 3},
    {.label = "short_script_attribute_leaves_the_request_flag",
     .roles = "NETWORK_ADMIN",
     .requested_script_mode = 1,
     .response = {bytes(VDC_ATTR_SCRIPT_MODE, {0, 0}), word(VDC_ATTR_SWITCH_TARGET, 3)},
     .calls = prologue + enter(3) + nested_shell(3) + hand_back,
     .vdc_id_after = "3",
     .current_vdc_after = 3,
     .walk_reads = 3},
    {.label = "null_script_attribute_leaves_the_request_flag",
     .roles = "NETWORK_ADMIN",
     .requested_script_mode = 0,
     .response = {attribute{VDC_ATTR_SCRIPT_MODE, {1, 0, 0, 0}, true},
                  word(VDC_ATTR_SWITCH_TARGET, 3)},
     .calls = prologue + enter(3) + first_setup(3) + login("alice", "5") + hand_back,
     .vdc_id_after = "3",
     .current_vdc_after = 3,
     .walk_reads = 3},
};

INSTANTIATE_TEST_SUITE_P(path_choice, switch_test, testing::ValuesIn(path_choice),
                         [](const auto &p) { return std::string(p.param.label); });

// The first-setup check: only an exit status of 2 stops the switch.
const switch_case first_setup_checks[] = {
    {.label = "skipped_when_the_response_says_so",
     .response = {word(VDC_ATTR_SWITCH_TARGET, 3), mark(VDC_ATTR_SKIP_FIRST_SETUP)},
     .system_statuses = {seam::exited(2)},
     .calls = prologue + enter(3) + login("alice", "5") + hand_back,
     .vdc_id_after = "3",
     .current_vdc_after = 3,
     .walk_reads = 3},
    {.label = "never_on_the_nested_shell_path",
     .roles = "NETWORK_ADMIN",
     .requested_script_mode = 1,
     .response = {word(VDC_ATTR_SWITCH_TARGET, 3)},
     .system_statuses = {0, seam::exited(2)},
     .calls = prologue + enter(3) + nested_shell(3) + hand_back,
     .vdc_id_after = "3",
     .current_vdc_after = 3,
     .walk_reads = 2},
    {.label = "exit_1_goes_on",
     .response = {word(VDC_ATTR_SWITCH_TARGET, 3)},
     .system_statuses = {seam::exited(1)},
     .calls = prologue + enter(3) + first_setup(3) + login("alice", "5") + hand_back,
     .vdc_id_after = "3",
     .current_vdc_after = 3,
     .walk_reads = 2},
    {.label = "exit_3_goes_on",
     .response = {word(VDC_ATTR_SWITCH_TARGET, 3)},
     .system_statuses = {seam::exited(3)},
     .calls = prologue + enter(3) + first_setup(3) + login("alice", "5") + hand_back,
     .vdc_id_after = "3",
     .current_vdc_after = 3,
     .walk_reads = 2},
    {.label = "not_found_127_goes_on",
     .response = {word(VDC_ATTR_SWITCH_TARGET, 3)},
     .system_statuses = {seam::exited(127)},
     .calls = prologue + enter(3) + first_setup(3) + login("alice", "5") + hand_back,
     .vdc_id_after = "3",
     .current_vdc_after = 3,
     .walk_reads = 2},
    {.label = "killed_by_signal_2_goes_on",
     .response = {word(VDC_ATTR_SWITCH_TARGET, 3)},
     .system_statuses = {2},
     .calls = prologue + enter(3) + first_setup(3) + login("alice", "5") + hand_back,
     .vdc_id_after = "3",
     .current_vdc_after = 3,
     .walk_reads = 2},
    {.label = "shell_not_started_goes_on",
     .response = {word(VDC_ATTR_SWITCH_TARGET, 3)},
     .system_statuses = {-1},
     .calls = prologue + enter(3) + first_setup(3) + login("alice", "5") + hand_back,
     .vdc_id_after = "3",
     .current_vdc_after = 3,
     .walk_reads = 2},
    {.label = "failure_after_a_refusal_ends_the_walk",
     .response = {mark(VDC_ATTR_ERR_NO_VDC), word(VDC_ATTR_SWITCH_TARGET, 3),
                  mark(VDC_ATTR_ERR_NOT_AUTHORIZED)},
     .system_statuses = {seam::exited(2)},
     .printed = " VDC does not exist\n First-setup failure detected. Reverting to default vdc\n",
     .calls = prologue + enter(3) + first_setup(3) + set_vdc_id("2") + hand_back,
     .vdc_id_after = "2",
     .current_vdc_after = 3,
     .walk_reads = 2},
};

INSTANTIATE_TEST_SUITE_P(first_setup, switch_test, testing::ValuesIn(first_setup_checks),
                         [](const auto &p) { return std::string(p.param.label); });

// Responses with several walk attributes, and targets too short to name a VDC.
const switch_case walks[] = {
    {.label = "refusal_then_target_switches",
     .response = {mark(VDC_ATTR_ERR_NOT_AUTHORIZED), word(VDC_ATTR_SWITCH_TARGET, 3)},
     .printed = " Not authorized to change VDC\n ",
     .calls = prologue + enter(3) + first_setup(3) + login("alice", "5") + hand_back,
     .vdc_id_after = "3",
     .current_vdc_after = 3,
     .walk_reads = 3},
    {.label = "both_refusals_in_order",
     .response = {mark(VDC_ATTR_ERR_NOT_AUTHORIZED), mark(VDC_ATTR_ERR_NO_VDC)},
     .printed = " Not authorized to change VDC\n  VDC does not exist\n ",
     .calls = prologue + hand_back,
     .vdc_id_after = "2",
     .walk_reads = 3},
    {.label = "failed_login_then_second_target",
     .response = {word(VDC_ATTR_SWITCH_TARGET, 3), word(VDC_ATTR_SWITCH_TARGET, 4)},
     .login_results = {7, 0},
     .printed = " Failed to switch to vdc 3 \n",
     .calls = prologue + enter(3) + first_setup(3) + login("alice", "5") + set_vdc_id("2") +
              enter(4) + first_setup(4) + login("alice", "5") + hand_back,
     .vdc_id_after = "4",
     .current_vdc_after = 4,
     .walk_reads = 3},
    {.label = "second_target_reverts_to_the_first",
     .roles = "NETWORK_ADMIN",
     .requested_script_mode = 1,
     .response = {word(VDC_ATTR_SWITCH_TARGET, 3), word(VDC_ATTR_SWITCH_TARGET, 4)},
     .system_statuses = {0, seam::exited(1)},
     .printed = "vsh spawning failed /velt/bin/vsh -i 4\n",
     .calls = prologue + enter(3) + nested_shell(3) + enter(4) + nested_shell(4) + set_vdc_id("3") +
              hand_back,
     .vdc_id_after = "3",
     .current_vdc_after = 4,
     .walk_reads = 3},
    {.label = "target_one_after_a_switch_ends_without_handing_back",
     .response = {word(VDC_ATTR_SWITCH_TARGET, 3), word(VDC_ATTR_SWITCH_TARGET, 1)},
     .calls = prologue + enter(3) + first_setup(3) + login("alice", "5"),
     .vdc_id_after = "3",
     .current_vdc_after = 3,
     .walk_reads = 2},
    {.label = "short_target_is_skipped",
     .response = {bytes(VDC_ATTR_SWITCH_TARGET, {3, 0, 0}), word(VDC_ATTR_SWITCH_TARGET, 4)},
     .calls = prologue + enter(4) + first_setup(4) + login("alice", "5") + hand_back,
     .vdc_id_after = "4",
     .current_vdc_after = 4,
     .walk_reads = 3},
    {.label = "empty_target_is_skipped",
     .response = {bytes(VDC_ATTR_SWITCH_TARGET, {})},
     .calls = prologue + hand_back,
     .vdc_id_after = "2",
     .walk_reads = 2},
    {.label = "null_target_is_skipped",
     .response = {attribute{VDC_ATTR_SWITCH_TARGET, {3, 0, 0, 0}, true}},
     .calls = prologue + hand_back,
     .vdc_id_after = "2",
     .walk_reads = 2},
    {.label = "longer_target_reads_its_first_word",
     .response = {standin::words(VDC_ATTR_SWITCH_TARGET, {3, 9})},
     .calls = prologue + enter(3) + first_setup(3) + login("alice", "5") + hand_back,
     .vdc_id_after = "3",
     .current_vdc_after = 3,
     .walk_reads = 2},
};

INSTANTIATE_TEST_SUITE_P(walks, switch_test, testing::ValuesIn(walks),
                         [](const auto &p) { return std::string(p.param.label); });

}  // namespace
