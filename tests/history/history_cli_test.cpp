// The event-history record printer: the header call, the body of each event code, and
// records read at any alignment.
#include <cstring>
#include <string>
#include <vector>

#include "capture.h"

namespace {

using zms_test::strings;

struct fields {
  uint16_t vdc_id = 3;
  std::string vdc_name = "core";
  uint32_t vdc_state = VDC_ACTIVE;
  std::string desc = "";
  uint16_t dest_vdc_id = 5;
  int32_t num_ports = 12;
  std::vector<uint32_t> sources = {};  // none: the record ends before the port fields
};

// The record in host byte order, `offset` bytes into a buffer that ends with its last field,
// so that a read past it is caught under the sanitizers.
std::vector<uint8_t> buffer_of(const fields &f, size_t offset) {
  size_t len = f.sources.empty() ? VDC_EVENT_OFF_DEST_VDC_ID
                                 : VDC_EVENT_OFF_SOURCE_VDCS + 4 * f.sources.size();
  std::vector<uint8_t> b(offset + len, 0);
  auto put = [&](size_t at, const void *src, size_t n) { std::memcpy(&b[offset + at], src, n); };
  put(VDC_EVENT_OFF_VDC_ID, &f.vdc_id, 2);
  put(VDC_EVENT_OFF_VDC_NAME, f.vdc_name.data(), std::min<size_t>(f.vdc_name.size(), 64));
  put(VDC_EVENT_OFF_VDC_STATE, &f.vdc_state, 4);
  put(VDC_EVENT_OFF_DESC, f.desc.data(), std::min<size_t>(f.desc.size(), 100));
  if (f.sources.empty()) return b;
  put(VDC_EVENT_OFF_DEST_VDC_ID, &f.dest_vdc_id, 2);
  put(VDC_EVENT_OFF_NUM_PORTS, &f.num_ports, 4);
  put(VDC_EVENT_OFF_SOURCE_VDCS, f.sources.data(), 4 * f.sources.size());
  return b;
}

// The header the history service prints for the pair {1700000000, 42}.
std::string print(const void *record, uint32_t code, int32_t max_allowed = 8) {
  static const uint32_t pair[2] = {1700000000u, 42u};
  standin::reset();
  standin::platform().max_allowed_vdc = max_allowed;
  return zms_test::capture_stdout([&] { vdc_mgr_history_cli(record, 7, code, pair, 9); });
}

struct event_case {
  const char *label;
  uint32_t code;
  fields record;
  int32_t max_allowed;
  std::string printed;
};
ZMS_PRINTS_AS(event_case, label)

const uint32_t port_code = VDC_EVENT_SEQ_PORT_CONFIG, config_code = VDC_EVENT_SEQ_CONFIG;
const std::string config_head = "1700000000.000042 Event:VDC_SEQ_CONFIG\n";
const std::string port_head = "1700000000.000042 Event:VDC_SEQ_PORT_CONFIG\n";
const std::string core_line = "    vdc_id = 3   vdc_name = core   vdc_state = VDC_ACTIVE \n";
const std::string sources = "    Dest_vdc_id = 5  Source_vdcs = ";

// clang-format off
const event_case events[] = {
    {"config", config_code, {.desc = "moved ports"}, 8,
     config_head + core_line + "    desc = moved ports \n"},
    {"port_config_sources_exactly_1", port_code, {.sources = {1, 0, 1, 2, 0xffffffff, 0, 0, 1}}, 8,
     port_head + core_line + sources + "0 2 7  Num of Ports = 12\n"},
    {"port_config_limit_below_the_record", port_code, {.sources = {1, 1, 1, 1}}, 2,
     port_head + core_line + sources + "0 1  Num of Ports = 12\n"},
    {"port_config_limit_negative", port_code, {.sources = {1, 1}}, -3,
     port_head + core_line + sources + " Num of Ports = 12\n"},
    {"handshake_has_no_body", 0x01b30002u, {.sources = {1}}, 8,
     "1700000000.000042 Event:HANDSHAKE_START\n"},
    {"name_from_the_low_half_body_from_the_whole_code", 0xffff0001u, {.sources = {1}}, 8, port_head},
    {"unnamed_type_has_no_body", 0x01b30007u, {.sources = {1}}, 8, "1700000000.000042 Event:(unknown)\n"},
    {"desc_ends_at_its_nul", config_code, {.desc = std::string("a\0b", 3)}, 8,
     config_head + core_line + "    desc = a \n"},
    {"desc_first_byte_nul_no_line", config_code, {.desc = std::string("\0later", 6)}, 8,
     config_head + core_line},
    {"desc_and_name_fill_their_fields", config_code,
     {.vdc_name = std::string(64, 'n'), .vdc_state = 14, .desc = std::string(100, 'd')}, 8,
     config_head + "    vdc_id = 3   vdc_name = " + std::string(64, 'n') +
         "   vdc_state = UNKNOWN(14) \n    desc = " + std::string(100, 'd') + " \n"},
    {"state_0_named", config_code, {.vdc_state = 0}, 8,
     config_head + "    vdc_id = 3   vdc_name = core   vdc_state = VDC_STATE_VALUE_NOT_SET \n"},
};
// clang-format on

class history_cli_test : public testing::TestWithParam<event_case> {};

TEST_P(history_cli_test, prints_the_header_then_the_body_of_its_code) {
  const event_case &c = GetParam();
  EXPECT_EQ(print(buffer_of(c.record, 1).data() + 1, c.code, c.max_allowed), c.printed);
}

INSTANTIATE_TEST_SUITE_P(events, history_cli_test, testing::ValuesIn(events),
                         zms_test::by_label<event_case>);

// The header call gets the passed-through words and the pair; the source list asks for its
// limit before every element and once more at its end.
TEST(history_cli_test, asks_the_header_then_the_limit_before_every_source) {
  print(buffer_of({.sources = {0, 1, 0}}, 0).data(), port_code, 2);
  EXPECT_EQ(
      standin::calls(),
      (strings{R"(sdwrap_hist_print_event_header(9, "VDC_SEQ_PORT_CONFIG", 7, [1700000000, 42]))",
               "get_max_allowed_vdc()", "get_max_allowed_vdc()", "get_max_allowed_vdc()"}));
}

TEST(history_cli_test, reads_every_field_at_any_alignment) {
  fields f{0x1234, "misaligned", VDC_RESUME_IN_PROGRESS, "", 0xfedc, -5, {0, 1, 0x01000000u, 1}};
  for (size_t offset : {0, 1, 2, 3, 5}) {
    EXPECT_EQ(
        print(buffer_of(f, offset).data() + offset, port_code, 4),
        port_head +
            "    vdc_id = 4660   vdc_name = misaligned   vdc_state = VDC_RESUME_IN_PROGRESS \n"
            "    Dest_vdc_id = 65244  Source_vdcs = 1 3  Num of Ports = -5\n")
        << offset;
  }
}

TEST(history_cli_test, missing_record_or_pair_prints_only_the_header) {
  EXPECT_EQ(print(nullptr, port_code), port_head);
  auto out =
      zms_test::capture_stdout([] { vdc_mgr_history_cli(nullptr, 7, 0x01b30003u, nullptr, 9); });
  EXPECT_EQ(out, "0.000000 Event:HANDSHAKE_FAIL\n");
}

}  // namespace
