// The membership listings: 48 ports to a slot, 96 to a VDC; every tenth port a breakout
// port, every twentieth with a move status to report, every fiftieth without one.
#include <cstdio>

#include "show_cases.h"

namespace zms_bench {
namespace {

constexpr uint32_t ports_per_slot = 48;
constexpr uint32_t ports_per_vdc = 96;
constexpr uint32_t slots = 254;  // 255 stands for no slot
constexpr uint32_t busy = 7;
constexpr int32_t no_status = 31;
const char *const busy_text = "Port is busy";
const char *const legend =
    "* Denotes an issue with the port. Check 'show vdc membership status' for more details";

port port_number(uint32_t i) {
  auto slot = static_cast<uint8_t>(1 + (i / ports_per_slot) % slots);
  std::string number = std::to_string(slot) + "/" + std::to_string(1 + i % ports_per_slot);
  int32_t result = i % 50 == 25 ? no_status : 0;
  return {0x1a000000 + i,
          {"Ethernet" + number, "Eth" + number, slot, i % 10 == 0, result, i % 20 == 0 ? busy : 0}};
}

struct vdc_heading {
  int number;
  std::string name;
};

// The response: each VDC's id and name, then its ports.
template <typename Heading, typename Port>
void build(show_case &c, uint32_t ports, Heading on_heading, Port on_port) {
  for (uint32_t i = 0; i < ports; ++i) {
    if (i % ports_per_vdc == 0) {
      uint32_t id = 1 + i / ports_per_vdc;
      vdc_heading h{static_cast<uint16_t>(id), numbered("vdc-", id)};
      c.command.response.push_back(standin::word(VDC_ATTR_ID, id));
      c.command.response.push_back(standin::text(VDC_ATTR_NAME, h.name));
      on_heading(h);
    }
    c.ports.push_back(port_number(i));
    c.command.response.push_back(standin::word(VDC_ATTR_IF_INDEX, c.ports.back().ifindex));
    on_port(c.ports.back().service);
  }
}

// Membership: the library's line breaking, worked out beforehand.
enum breaks : uint8_t { newline_before = 1, group_before = 2, line_end = 4 };

struct cell {
  std::string name;  // with "(b)" when it is due
  char mark;
  uint8_t breaks;
};

struct membership_vdc {
  vdc_heading heading;
  bool newline_before;
  std::vector<cell> cells;
};

struct membership_floor {
  std::vector<membership_vdc> vdcs;
  bool issue_seen = false;
  unsigned count = 0;
  uint8_t slot = 255;

  void open(const vdc_heading &h) {
    vdcs.push_back({h, count % 3 != 0, {}});
    count = 0;
    slot = 255;
  }
  void add(const standin::interface &p) {
    uint8_t b = 0;
    if (slot != 255 && p.slot != slot) {
      b = group_before | (count % 3 != 0 ? newline_before : 0);
      count = 0;
    }
    slot = p.slot;
    ++count;
    char mark = p.move_result != 0 ? '!' : p.move_status != 0 ? '*' : '\0';
    issue_seen = issue_seen || mark != '\0';
    std::string name = p.long_name + (mark == '\0' && p.breakout ? "(b)" : "");
    vdcs.back().cells.push_back({name, mark, uint8_t(b | (count % 3 == 0 ? line_end : 0))});
  }
  void print() const {
    puts("Flags : b - breakout port ");
    puts("---------------------------------");
    for (auto &v : vdcs) {
      if (v.newline_before) putchar('\n');
      printf("\nvdc_id: %d ", v.heading.number);
      printf("vdc_name: %s interfaces:\n\t", v.heading.name.c_str());
      for (auto &c : v.cells)
        print_cell(c);
    }
    puts("\n\n");
    if (issue_seen) puts(legend);
  }
  static void print_cell(const cell &c) {
    if (c.breaks & newline_before) putchar('\n');
    if (c.breaks & group_before) printf("\n\t");
    if (c.mark != '\0')
      printf("%c%-20s ", c.mark, c.name.c_str());
    else
      printf("%-20s  ", c.name.c_str());
    if (c.breaks & line_end) printf("\n\t");
  }
};

// Membership status: one line per port.
struct status_line {
  std::string name;
  int32_t result;
  uint32_t status;
};

struct status_vdc {
  vdc_heading heading;
  std::vector<status_line> lines;
};

struct status_floor {
  std::vector<status_vdc> vdcs;

  void print() const {
    puts("Flags : b - breakout port");
    puts("---------------------------------");
    for (auto &v : vdcs) {
      printf("\nvdc_id: %d ", v.heading.number);
      printf("vdc_name: %s interfaces:\n", v.heading.name.c_str());
      printf("%-10s  %-12s\n", "Port", "Status");
      printf("%-10s  %-12s\n", "----", "----------");
      for (auto &l : v.lines)
        print_line(l);
    }
    puts("\n\n");
  }
  static void print_line(const status_line &l) {
    const char *name = l.name.c_str();
    if (l.result != 0)
      printf("%-10s  ERROR:Unable to retrieve port status (0x%x)\n", name,
             static_cast<uint32_t>(l.result));
    else if (l.status == 0)
      printf("%-10s  OK\n", name);
    else
      printf("%-10s  ERROR:%s (0x%x)\n", name, busy_text, l.status);
  }
};

}  // namespace

std::unique_ptr<show_case> membership_case(uint32_t ports) {
  auto c = std::make_unique<show_case>();
  c->library = show_vdc_membership;
  auto floor = std::make_shared<membership_floor>();
  build(
      *c, ports, [&](const vdc_heading &h) { floor->open(h); },
      [&](const standin::interface &p) { floor->add(p); });
  c->floor = [floor] { floor->print(); };
  return c;
}

std::unique_ptr<show_case> status_case(uint32_t ports) {
  auto c = std::make_unique<show_case>();
  c->library = show_vdc_membership_status;
  auto floor = std::make_shared<status_floor>();
  build(
      *c, ports,
      [&](const vdc_heading &h) {
        floor->vdcs.push_back({h, {}});
      },
      [&](const standin::interface &p) {
        std::string name = p.short_name + (p.breakout ? "(b)" : "");
        floor->vdcs.back().lines.push_back({name, p.move_result, p.move_status});
      });
  c->floor = [floor] { floor->print(); };
  return c;
}

void install(const show_case &c) {
  standin::reset();
  standin::set_call_log(false);
  auto &p = standin::platform();
  p.current_vdc = 1;
  p.error_texts[busy] = busy_text;
  p.interfaces.reserve(c.ports.size());
  for (auto &port : c.ports)
    p.interfaces[port.ifindex] = port.service;
}

int32_t run_library(show_case &c) {
  c.command.cursor = 0;
  return c.library(&c.command);
}

}  // namespace zms_bench
