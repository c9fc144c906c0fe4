// The summary table and the detail listing: one record per VDC, attributes in ascending
// number, the switch-wide mode and the name width first, as the VDC manager sends them.
#include <array>
#include <cstdio>
#include <ctime>

#include "show_cases.h"

namespace zms_bench {
namespace {

using standin::text;
using standin::word;

const std::string switchwide_mode = "e2 e3 e3x e4";
constexpr uint32_t base_time = 1700000000;

struct vdc {
  uint32_t id;
  std::string name, state, mac, type, linecards;
};

vdc vdc_number(uint32_t i) {
  static const std::array<const char *, 3> states = {"active", "suspended", "active"};
  static const std::array<const char *, 3> cards = {"e1 e2 e2x e3 e3x e4", "e3 e3x", "e3 e3x s2"};
  char mac[24];
  std::snprintf(mac, sizeof mac, "00:00:5e:%02x:%02x:%02x", (i >> 16) & 0xff, (i >> 8) & 0xff,
                i & 0xff);
  return {i,           numbered("vdc-", i), states[i % 3], mac, i % 4 == 0 ? "Storage" : "Ethernet",
          cards[i % 3]};
}

void open_response(cmd_ctx &cmd) {
  cmd.response.push_back(text(VDC_ATTR_SWITCHWIDE_MODE, switchwide_mode));
  cmd.response.push_back(word(VDC_ATTR_NAME_WIDTH, 12));
}

void print_mode() {
  printf("\nSwitchwide mode is %.*s\n", precision(switchwide_mode), switchwide_mode.data());
}

// The summary table's floor: the heading and a row of six cells per VDC.
struct summary_row {
  int number;
  std::string name, state, mac, type, linecards;
};

struct column {
  const char *heading, *underline;
  int width;
};
constexpr std::array<column, 6> columns = {{{"vdc_id", "------", 8},
                                            {"vdc_name", "--------", 34},
                                            {"state", "-----", 20},
                                            {"mac", "----------", 20},
                                            {"type", "---------", 12},
                                            {"lc", "------", 8}}};

void print_cell(int width, const std::string &value) {
  printf("%-*.*s", width, precision(value), value.data());
}

void print_summary(const std::vector<summary_row> &rows) {
  print_mode();
  for (auto heading : {&column::heading, &column::underline}) {
    putchar('\n');
    for (auto &c : columns)
      printf("%-*s", c.width, c.*heading);
  }
  putchar('\n');
  for (auto &r : rows) {
    printf("%-*d", 8, r.number);
    print_cell(34, r.name);
    print_cell(20, r.state);
    print_cell(20, r.mac);
    print_cell(12, r.type);
    print_cell(8, r.linecards);
    putchar('\n');
  }
  putchar('\n');
}

// The detail listing's floor: one labelled line per attribute, ctime's text made beforehand,
// or made in the loop by the ctime floor.
enum class line_kind { number, text, time };

struct detail_line {
  const char *label;
  line_kind kind;
  int value;
  std::string text;
  const char *end;
  time_t seconds = 0;
};

template <bool call_ctime>
void print_detail(const std::vector<detail_line> &lines) {
  print_mode();
  for (auto &l : lines) {
    if (l.kind == line_kind::number)
      printf("%s%d%s", l.label, l.value, l.end);
    else if (call_ctime && l.kind == line_kind::time)
      printf("%s%s%s", l.label, ctime(&l.seconds), l.end);
    else
      printf("%s%.*s%s", l.label, precision(l.text), l.text.data(), l.end);
  }
  putchar('\n');
}

struct detail_record {
  cmd_ctx &cmd;
  std::vector<detail_line> &lines;

  void number(uint32_t id, const char *label, uint32_t value, int shown_value,
              const char *end = "\n") {
    cmd.response.push_back(word(id, value));
    lines.push_back({label, line_kind::number, shown_value, {}, end});
  }
  void string(uint32_t id, const char *label, const std::string &value, bool printed = true) {
    cmd.response.push_back(text(id, value));
    if (printed) lines.push_back({label, line_kind::text, 0, value, "\n"});
  }
  void time(uint32_t id, const char *label, uint32_t value, bool printed = true) {
    cmd.response.push_back(word(id, value));
    time_t seconds = static_cast<int32_t>(value);
    if (printed) lines.push_back({label, line_kind::time, 0, ctime(&seconds), "", seconds});
  }
};

// Every fourth VDC has not restarted: its restart time and reason are left out.
void add_detail(detail_record &r, const vdc &v) {
  uint32_t restarts = v.id % 4;
  uint32_t created = base_time + v.id * 3607;
  r.number(VDC_ATTR_ID, "\nvdc id: ", v.id, static_cast<uint16_t>(v.id));
  r.string(VDC_ATTR_NAME, "vdc name: ", v.name);
  r.string(VDC_ATTR_STATE, "vdc state: ", v.state);
  r.string(VDC_ATTR_MAC, "vdc mac address: ", v.mac);
  r.string(VDC_ATTR_HA_POLICY, "vdc ha policy: ", "RESTART");
  r.string(VDC_ATTR_DUAL_SUP_HA_POLICY, "vdc dual-sup ha policy: ", "SWITCHOVER");
  r.number(VDC_ATTR_BOOT_ORDER, "vdc boot Order: ", 1 + v.id % 8, static_cast<int>(1 + v.id % 8));
  r.number(VDC_ATTR_CPU_SHARE, "CPU Share: ", 5, 5);
  r.number(VDC_ATTR_CPU_SHARE_PCT, "CPU Share Percentage: ", 25, 25, "%\n");
  r.time(VDC_ATTR_CREATE_TIME, "vdc create time: ", created);
  r.number(VDC_ATTR_RELOAD_COUNT, "vdc reload count: ", v.id % 3, static_cast<int>(v.id % 3));
  r.string(VDC_ATTR_UPTIME, "vdc uptime: ", std::to_string(v.id % 90) + " day(s), 3 hour(s)");
  r.number(VDC_ATTR_RESTART_COUNT, "vdc restart count: ", restarts, static_cast<int>(restarts));
  r.time(VDC_ATTR_RESTART_TIME, "vdc restart time: ", created + 86400, restarts != 0);
  r.string(VDC_ATTR_RESTART_REASON, "vdc restart reason: ", "manual", restarts != 0);
  r.string(VDC_ATTR_TYPE, "vdc type: ", v.type);
  r.string(VDC_ATTR_SUPPORTED_LC, "vdc supported linecards: ", v.linecards);
}

}  // namespace

std::unique_ptr<show_case> summary_case(uint32_t vdcs) {
  auto c = std::make_unique<show_case>();
  c->library = show_vdc_detail;
  open_response(c->command);
  auto rows = std::make_shared<std::vector<summary_row>>();
  for (uint32_t i = 1; i <= vdcs; ++i) {
    vdc v = vdc_number(i);
    auto &response = c->command.response;
    response.push_back(word(VDC_ATTR_ID, v.id));
    response.push_back(text(VDC_ATTR_NAME, v.name));
    response.push_back(text(VDC_ATTR_STATE, v.state));
    response.push_back(text(VDC_ATTR_MAC, v.mac));
    response.push_back(text(VDC_ATTR_TYPE, v.type));
    response.push_back(text(VDC_ATTR_SUPPORTED_LC, v.linecards));
    rows->push_back({static_cast<uint16_t>(v.id), v.name, v.state, v.mac, v.type, v.linecards});
  }
  c->floor = [rows] { print_summary(*rows); };
  return c;
}

std::unique_ptr<show_case> detail_case(uint32_t vdcs) {
  auto c = std::make_unique<show_case>();
  c->library = show_vdc_detail2;
  open_response(c->command);
  auto lines = std::make_shared<std::vector<detail_line>>();
  detail_record record{c->command, *lines};
  for (uint32_t i = 1; i <= vdcs; ++i)
    add_detail(record, vdc_number(i));
  c->floor = [lines] { print_detail<false>(*lines); };
  c->ctime_floor = [lines] { print_detail<true>(*lines); };
  return c;
}

}  // namespace zms_bench
