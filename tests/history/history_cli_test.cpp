// The event-history record printer: header call, bodies, and record reading.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "capture.h"

namespace {

struct fields {
  uint16_t vdc_id = 3;
  std::string vdc_name = "core";
  uint32_t vdc_state = VDC_ACTIVE;
  std::string desc;
  uint16_t dest_vdc_id = 0;
  int32_t num_ports = 0;
  std::vector<uint32_t> sources;
};

// A record laid out in host byte order, `offset` bytes into its buffer, whose buffer ends
// where the record's last field does, so that any read past it is caught under ASan.
class record {
 public:
  record(const fields &f, size_t offset = 1) : offset_(offset) {
    size_t len = f.sources.empty() ? VDC_EVENT_OFF_DEST_VDC_ID
                                   : VDC_EVENT_OFF_SOURCE_VDCS + 4 * f.sources.size();
    bytes_.assign(offset + len, 0);
    put(VDC_EVENT_OFF_VDC_ID, &f.vdc_id, sizeof f.vdc_id);
    put(VDC_EVENT_OFF_VDC_NAME, f.vdc_name.data(),
        std::min<size_t>(f.vdc_name.size(), VDC_EVENT_NAME_LEN));
    put(VDC_EVENT_OFF_VDC_STATE, &f.vdc_state, sizeof f.vdc_state);
    put(VDC_EVENT_OFF_DESC, f.desc.data(), std::min<size_t>(f.desc.size(), VDC_EVENT_DESC_LEN));
    if (f.sources.empty()) return;
    put(VDC_EVENT_OFF_DEST_VDC_ID, &f.dest_vdc_id, sizeof f.dest_vdc_id);
    put(VDC_EVENT_OFF_NUM_PORTS, &f.num_ports, sizeof f.num_ports);
    put(VDC_EVENT_OFF_SOURCE_VDCS, f.sources.data(), 4 * f.sources.size());
  }

  const void *data() const { return bytes_.data() + offset_; }

 private:
  void put(size_t at, const void *src, size_t n) { std::memcpy(&bytes_[offset_ + at], src, n); }

  size_t offset_;
  std::vector<uint8_t> bytes_;
};

struct printed {
  std::string out;
  std::vector<std::string> calls;
};

printed print(const void *rec, uint32_t code, const uint32_t *pair, int32_t max_allowed = 8,
              uintptr_t arg2 = 7, uintptr_t arg5 = 9) {
  standin::reset();
  standin::platform().max_allowed_vdc = max_allowed;
  std::string out =
      zms_test::capture_stdout([&] { vdc_mgr_history_cli(rec, arg2, code, pair, arg5); });
  return {out, standin::calls()};
}

const uint32_t pair[2] = {1700000000u, 42u};

std::string header(const char *name) {
  return std::string("1700000000.000042 Event:") + (name ? name : "(unknown)") + "\n";
}

std::string header_call(const char *name) {
  std::string quoted = name ? std::string("\"") + name + "\"" : "NULL";
  return "sdwrap_hist_print_event_header(9, " + quoted + ", 7, [1700000000, 42])";
}

std::vector<std::string> calls_with_limit_asked(const char *name, size_t times) {
  std::vector<std::string> calls = {header_call(name)};
  calls.insert(calls.end(), times, "get_max_allowed_vdc()");
  return calls;
}

fields port_fields() {
  fields f;
  f.vdc_id = 2;
  f.vdc_name = "edge";
  f.vdc_state = VDC_STATE_VALUE_NOT_SET;
  f.desc = "never printed for ports";
  f.dest_vdc_id = 5;
  f.num_ports = 12;
  f.sources = {1, 0, 1, 2, 0, 0, 0, 1};
  return f;
}

// ---- bodies ----

TEST(history_cli_test, config_event_prints_header_vdc_line_and_description) {
  fields f;
  f.desc = "moved ports";
  auto [out, calls] = print(record(f).data(), VDC_EVENT_SEQ_CONFIG, pair);
  EXPECT_EQ(out, header("VDC_SEQ_CONFIG") +
                     "    vdc_id = 3   vdc_name = core   vdc_state = VDC_ACTIVE \n"
                     "    desc = moved ports \n");
  EXPECT_EQ(calls, std::vector<std::string>{header_call("VDC_SEQ_CONFIG")});
}

TEST(history_cli_test, port_config_event_prints_header_vdc_line_and_port_line) {
  auto [out, calls] = print(record(port_fields()).data(), VDC_EVENT_SEQ_PORT_CONFIG, pair);
  EXPECT_EQ(out, header("VDC_SEQ_PORT_CONFIG") +
                     "    vdc_id = 2   vdc_name = edge   vdc_state = VDC_STATE_VALUE_NOT_SET \n"
                     "    Dest_vdc_id = 5  Source_vdcs = 0 2 7  Num of Ports = 12\n");
  EXPECT_EQ(calls, calls_with_limit_asked("VDC_SEQ_PORT_CONFIG", 9));
}

// ---- codes without a body ----

struct header_only_case {
  const char *label;
  uint32_t code;
  const char *type_name;
};

class header_only_test : public testing::TestWithParam<header_only_case> {};

TEST_P(header_only_test, prints_only_the_header) {
  const auto &param = GetParam();
  auto [out, calls] = print(record(port_fields()).data(), param.code, pair);
  EXPECT_EQ(out, header(param.type_name));
  EXPECT_EQ(calls, std::vector<std::string>{header_call(param.type_name)});
}

INSTANTIATE_TEST_SUITE_P(
    codes, header_only_test,
    testing::Values(header_only_case{"handshake_start", 0x01b30002u, "HANDSHAKE_START"},
                    header_only_case{"handshake_fail", 0x01b30003u, "HANDSHAKE_FAIL"},
                    header_only_case{"port_config_other_high_half", 0x00000001u,
                                     "VDC_SEQ_PORT_CONFIG"},
                    header_only_case{"config_other_high_half", 0x02b30000u, "VDC_SEQ_CONFIG"},
                    header_only_case{"config_all_high_bits", 0xffff0000u, "VDC_SEQ_CONFIG"},
                    header_only_case{"low_half_7", 0x01b30007u, nullptr},
                    header_only_case{"low_half_4", 0x01b30004u, nullptr},
                    header_only_case{"low_half_ffff", 0x0000ffffu, nullptr}),
    [](const auto &p) { return std::string(p.param.label); });

// ---- description line ----

struct desc_case {
  const char *label;
  std::string desc;
  std::string expected_line;
};

class desc_test : public testing::TestWithParam<desc_case> {};

TEST_P(desc_test, prints_the_description_within_its_field) {
  fields f;
  f.desc = GetParam().desc;
  auto [out, calls] = print(record(f).data(), VDC_EVENT_SEQ_CONFIG, pair);
  EXPECT_EQ(out, header("VDC_SEQ_CONFIG") +
                     "    vdc_id = 3   vdc_name = core   vdc_state = VDC_ACTIVE \n" +
                     GetParam().expected_line);
}

INSTANTIATE_TEST_SUITE_P(
    descs, desc_test,
    testing::Values(desc_case{"empty", "", ""},
                    desc_case{"first_byte_zero", std::string("\0later", 6), ""},
                    desc_case{"ends_at_its_nul", std::string("a\0b", 3), "    desc = a \n"},
                    desc_case{"fills_the_field", std::string(100, 'd'),
                              "    desc = " + std::string(100, 'd') + " \n"},
                    desc_case{"one_byte", "x", "    desc = x \n"}),
    [](const auto &p) { return std::string(p.param.label); });

TEST(history_cli_test, name_filling_its_field_stops_at_the_field) {
  fields f;
  f.vdc_name = std::string(64, 'n');
  f.vdc_state = 0x41414141u;  // letters, if the name ran on into the state word
  auto [out, calls] = print(record(f).data(), VDC_EVENT_SEQ_CONFIG, pair);
  EXPECT_EQ(out, header("VDC_SEQ_CONFIG") + "    vdc_id = 3   vdc_name = " + std::string(64, 'n') +
                     "   vdc_state = UNKNOWN(1094795585) \n");
}

// ---- state names ----

struct state_case {
  uint32_t state;
  const char *text;
};

class state_name_test : public testing::TestWithParam<state_case> {};

TEST_P(state_name_test, names_the_state_or_shows_its_number) {
  fields f;
  f.vdc_state = GetParam().state;
  auto [out, calls] = print(record(f).data(), VDC_EVENT_SEQ_CONFIG, pair);
  EXPECT_EQ(out, header("VDC_SEQ_CONFIG") +
                     "    vdc_id = 3   vdc_name = core   vdc_state = " + GetParam().text + " \n");
}

INSTANTIATE_TEST_SUITE_P(states, state_name_test,
                         testing::Values(state_case{0, "VDC_STATE_VALUE_NOT_SET"},
                                         state_case{1, "VDC_ACTIVE"},
                                         state_case{13, "VDC_BRINGDOWN_IN_PROGRESS"},
                                         state_case{14, "UNKNOWN(14)"},
                                         state_case{0xffffffffu, "UNKNOWN(4294967295)"}),
                         [](const auto &p) { return "state_" + std::to_string(p.param.state); });

// ---- source list ----

struct source_case {
  const char *label;
  int32_t max_allowed;
  std::vector<uint32_t> sources;
  std::string listed;
  size_t limit_asked;
};

class source_list_test : public testing::TestWithParam<source_case> {};

TEST_P(source_list_test, lists_exactly_the_flagged_vdcs_below_the_limit) {
  const auto &param = GetParam();
  fields f = port_fields();
  f.sources = param.sources;
  auto [out, calls] = print(record(f).data(), VDC_EVENT_SEQ_PORT_CONFIG, pair, param.max_allowed);
  EXPECT_EQ(out, header("VDC_SEQ_PORT_CONFIG") +
                     "    vdc_id = 2   vdc_name = edge   vdc_state = VDC_STATE_VALUE_NOT_SET \n"
                     "    Dest_vdc_id = 5  Source_vdcs = " +
                     param.listed + " Num of Ports = 12\n");
  EXPECT_EQ(calls, calls_with_limit_asked("VDC_SEQ_PORT_CONFIG", param.limit_asked));
}

INSTANTIATE_TEST_SUITE_P(
    sources, source_list_test,
    testing::Values(source_case{"none_flagged", 4, {0, 0, 0, 0}, "", 5},
                    source_case{"element_zero", 3, {1, 0, 0}, "0 ", 4},
                    source_case{"only_exactly_one", 4, {2, 1, 0xffffffffu, 0x100}, "1 ", 5},
                    source_case{"limit_zero", 0, {1, 1}, "", 1},
                    source_case{"limit_negative", -3, {1, 1}, "", 1},
                    source_case{"limit_below_record", 2, {1, 1, 1, 1}, "0 1 ", 3},
                    source_case{"all_flagged", 5, {1, 1, 1, 1, 1}, "0 1 2 3 4 ", 6}),
    [](const auto &p) { return std::string(p.param.label); });

// ---- record reading ----

class record_offset_test : public testing::TestWithParam<size_t> {};

TEST_P(record_offset_test, reads_every_field_at_any_alignment) {
  fields f;
  f.vdc_id = 0x1234;
  f.vdc_name = "misaligned";
  f.vdc_state = VDC_RESUME_IN_PROGRESS;
  f.dest_vdc_id = 0xfedc;
  f.num_ports = -5;
  f.sources = {0, 1, 0x01000000u, 1};
  auto [out, calls] = print(record(f, GetParam()).data(), VDC_EVENT_SEQ_PORT_CONFIG, pair, 4);
  EXPECT_EQ(out, header("VDC_SEQ_PORT_CONFIG") +
                     "    vdc_id = 4660   vdc_name = misaligned   "
                     "vdc_state = VDC_RESUME_IN_PROGRESS \n"
                     "    Dest_vdc_id = 65244  Source_vdcs = 1 3  Num of Ports = -5\n");
}

INSTANTIATE_TEST_SUITE_P(offsets, record_offset_test, testing::Values(0, 1, 2, 3, 5),
                         [](const auto &p) { return "offset_" + std::to_string(p.param); });

// ---- header arguments and missing pointers ----

TEST(history_cli_test, header_gets_both_passed_through_words_in_their_places) {
  const uint32_t other_pair[2] = {0, 4294967295u};
  auto [out, calls] = print(record(fields{}).data(), 0x01b30002u, other_pair, 8, 1, 2);
  EXPECT_EQ(out, "0.4294967295 Event:HANDSHAKE_START\n");
  EXPECT_EQ(calls,
            std::vector<std::string>{
                "sdwrap_hist_print_event_header(2, \"HANDSHAKE_START\", 1, [0, 4294967295])"});
}

TEST(history_cli_test, missing_record_prints_only_the_header) {
  auto [out, calls] = print(nullptr, VDC_EVENT_SEQ_PORT_CONFIG, pair);
  EXPECT_EQ(out, header("VDC_SEQ_PORT_CONFIG"));
  EXPECT_EQ(calls, std::vector<std::string>{header_call("VDC_SEQ_PORT_CONFIG")});
}

TEST(history_cli_test, missing_pair_hands_the_header_zeros) {
  auto [out, calls] = print(nullptr, 0x01b30003u, nullptr);
  EXPECT_EQ(out, "0.000000 Event:HANDSHAKE_FAIL\n");
  EXPECT_EQ(calls, std::vector<std::string>{
                       "sdwrap_hist_print_event_header(9, \"HANDSHAKE_FAIL\", 7, [0, 0])"});
}

}  // namespace
