// The event-history record printer: header call, bodies, and record reading.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "capture.h"

namespace {

using zms_test::strings;
using zms_test::operator+;

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
  explicit record(const fields &f, size_t offset = 1) : offset_(offset) {
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

// Prints with the pair {1700000000, 42} and the passed-through words 7 and 9 unless told
// otherwise; gives the text and the platform calls.
std::pair<std::string, strings> print(const void *rec, uint32_t code, int32_t max_allowed = 8,
                                      const uint32_t *pair = nullptr, uintptr_t arg2 = 7,
                                      uintptr_t arg5 = 9) {
  static const uint32_t usual_pair[2] = {1700000000u, 42u};
  standin::reset();
  standin::platform().max_allowed_vdc = max_allowed;
  if (pair == nullptr) pair = usual_pair;
  std::string out =
      zms_test::capture_stdout([&] { vdc_mgr_history_cli(rec, arg2, code, pair, arg5); });
  return {out, standin::calls()};
}

std::string header(const char *name) {
  return std::string("1700000000.000042 Event:") + (name ? name : "(unknown)") + "\n";
}
std::string header_call(const char *name) {
  std::string quoted = name ? std::string("\"") + name + "\"" : "NULL";
  return "sdwrap_hist_print_event_header(9, " + quoted + ", 7, [1700000000, 42])";
}

fields ports(std::vector<uint32_t> sources) {
  return {2, "edge", VDC_STATE_VALUE_NOT_SET, "never printed for ports", 5, 12, std::move(sources)};
}
fields config(std::string desc, uint32_t state = VDC_ACTIVE, std::string name = "core") {
  fields f;
  f.vdc_name = std::move(name);
  f.vdc_state = state;
  f.desc = std::move(desc);
  return f;
}
const std::string port_line =
    "    vdc_id = 2   vdc_name = edge   vdc_state = VDC_STATE_VALUE_NOT_SET \n";
std::string sources_line(const std::string &listed) {
  return "    Dest_vdc_id = 5  Source_vdcs = " + listed + " Num of Ports = 12\n";
}
std::string state_line(const std::string &state) {
  return "    vdc_id = 3   vdc_name = core   vdc_state = " + state + " \n";
}
const std::string config_line = state_line("VDC_ACTIVE");

struct event_case {
  const char *label;
  uint32_t code;
  const char *type_name;  // what the header is given
  fields record_fields;
  int32_t max_allowed;
  std::string body;
};

ZMS_PRINTS_AS(event_case, label)

class history_cli_test : public testing::TestWithParam<event_case> {};

TEST_P(history_cli_test, prints_the_header_then_the_body_of_its_code) {
  const auto &c = GetParam();
  auto [out, calls] = print(record(c.record_fields).data(), c.code, c.max_allowed);
  EXPECT_EQ(out, header(c.type_name) + c.body);
  ASSERT_FALSE(calls.empty());
  EXPECT_EQ(calls.front(), header_call(c.type_name));
}

// The source list asks for its limit before every element and once more at its end.
TEST(history_cli_test, asks_the_limit_before_every_source_and_at_the_end) {
  auto [out, calls] = print(record(ports({0, 1, 0})).data(), VDC_EVENT_SEQ_PORT_CONFIG, 2);
  EXPECT_EQ(calls, (strings{header_call("VDC_SEQ_PORT_CONFIG"), "get_max_allowed_vdc()",
                            "get_max_allowed_vdc()", "get_max_allowed_vdc()"}));
}

const uint32_t port_code = VDC_EVENT_SEQ_PORT_CONFIG, config_code = VDC_EVENT_SEQ_CONFIG;
const char *const port_name = "VDC_SEQ_PORT_CONFIG", *const config_name = "VDC_SEQ_CONFIG";

const event_case events[] = {
    // label, code, type name, record, get_max_allowed_vdc(), body
    {"config", config_code, config_name, config("moved ports"), 8,
     config_line + "    desc = moved ports \n"},
    {"port_config", port_code, port_name, ports({1, 0, 1, 2, 0, 0, 0, 1}), 8,
     port_line + sources_line("0 2 7 ")},
    {"handshake_start", 0x01b30002u, "HANDSHAKE_START", ports({1}), 8, ""},
    {"port_config_other_high_half", 0x00000001u, port_name, ports({1}), 8, ""},
    {"low_half_7_has_no_name", 0x01b30007u, nullptr, ports({1}), 8, ""},
    {"desc_first_byte_zero", config_code, config_name, config(std::string("\0later", 6)), 8,
     config_line},
    {"desc_ends_at_its_nul", config_code, config_name, config(std::string("a\0b", 3)), 8,
     config_line + "    desc = a \n"},
    {"desc_fills_its_field", config_code, config_name, config(std::string(100, 'd')), 8,
     config_line + "    desc = " + std::string(100, 'd') + " \n"},
    {"name_fills_its_field", config_code, config_name,
     config("", 0x41414141u, std::string(64, 'n')), 8,
     "    vdc_id = 3   vdc_name = " + std::string(64, 'n') +
         "   vdc_state = UNKNOWN(1094795585) \n"},
    {"state_0", config_code, config_name, config("", 0), 8, state_line("VDC_STATE_VALUE_NOT_SET")},
    {"state_14_unnamed", config_code, config_name, config("", 14), 8, state_line("UNKNOWN(14)")},
    {"sources_none_flagged", port_code, port_name, ports({0, 0, 0, 0}), 4,
     port_line + sources_line("")},
    {"sources_element_zero", port_code, port_name, ports({1, 0, 0}), 3,
     port_line + sources_line("0 ")},
    {"sources_only_exactly_one", port_code, port_name, ports({2, 1, 0xffffffffu, 0x100}), 4,
     port_line + sources_line("1 ")},
    {"sources_limit_negative", port_code, port_name, ports({1, 1}), -3,
     port_line + sources_line("")},
    {"sources_limit_below_record", port_code, port_name, ports({1, 1, 1, 1}), 2,
     port_line + sources_line("0 1 ")},
};

INSTANTIATE_TEST_SUITE_P(events, history_cli_test, testing::ValuesIn(events),
                         zms_test::by_label<event_case>);

TEST(history_cli_test, reads_every_field_at_any_alignment) {
  fields f{0x1234, "misaligned", VDC_RESUME_IN_PROGRESS, "", 0xfedc, -5, {0, 1, 0x01000000u, 1}};
  for (size_t offset : {0, 1, 2, 3, 5}) {
    EXPECT_EQ(
        print(record(f, offset).data(), port_code, 4).first,
        header(port_name) +
            "    vdc_id = 4660   vdc_name = misaligned   vdc_state = VDC_RESUME_IN_PROGRESS \n"
            "    Dest_vdc_id = 65244  Source_vdcs = 1 3  Num of Ports = -5\n")
        << offset;
  }
}

TEST(history_cli_test, header_gets_both_passed_through_words_in_their_places) {
  const uint32_t other_pair[2] = {0, 4294967295u};
  auto [out, calls] = print(record(fields{}).data(), 0x01b30002u, 8, other_pair, 1, 2);
  EXPECT_EQ(out, "0.4294967295 Event:HANDSHAKE_START\n");
  EXPECT_EQ(calls,
            strings{"sdwrap_hist_print_event_header(2, \"HANDSHAKE_START\", 1, [0, 4294967295])"});
}

TEST(history_cli_test, missing_record_or_pair_prints_only_the_header) {
  EXPECT_EQ(print(nullptr, port_code),
            std::make_pair(header(port_name), strings{header_call(port_name)}));
  standin::reset();
  auto out =
      zms_test::capture_stdout([] { vdc_mgr_history_cli(nullptr, 7, 0x01b30003u, nullptr, 9); });
  EXPECT_EQ(out, "0.000000 Event:HANDSHAKE_FAIL\n");
  EXPECT_EQ(standin::calls(),
            strings{"sdwrap_hist_print_event_header(9, \"HANDSHAKE_FAIL\", 7, [0, 0])"});
}

}  // namespace
