// show_vdc_detail2: the detail listing, one labelled line per attribute as it arrives.
// A restart count of 0 hides the restart time and reason that follow it, across VDCs.
#include <array>
#include <cstdio>
#include <ctime>

#include "attr_reader.h"
#include "switchwide_mode.h"

namespace {

enum class shown { vdc_number, number, text, time };
enum class restart_role { none, count, needs_restart };

struct line {
  uint32_t id;
  const char *label;
  shown kind;
  const char *end;  // a time's text brings its own newline
  restart_role role = restart_role::none;
};

constexpr std::array<line, 17> lines = {{
    {VDC_ATTR_ID, "\nvdc id: ", shown::vdc_number, "\n"},
    {VDC_ATTR_NAME, "vdc name: ", shown::text, "\n"},
    {VDC_ATTR_STATE, "vdc state: ", shown::text, "\n"},
    {VDC_ATTR_MAC, "vdc mac address: ", shown::text, "\n"},
    {VDC_ATTR_HA_POLICY, "vdc ha policy: ", shown::text, "\n"},
    {VDC_ATTR_DUAL_SUP_HA_POLICY, "vdc dual-sup ha policy: ", shown::text, "\n"},
    {VDC_ATTR_BOOT_ORDER, "vdc boot Order: ", shown::number, "\n"},
    {VDC_ATTR_CPU_SHARE, "CPU Share: ", shown::number, "\n"},
    {VDC_ATTR_CPU_SHARE_PCT, "CPU Share Percentage: ", shown::number, "%\n"},
    {VDC_ATTR_CREATE_TIME, "vdc create time: ", shown::time, ""},
    {VDC_ATTR_RELOAD_COUNT, "vdc reload count: ", shown::number, "\n"},
    {VDC_ATTR_UPTIME, "vdc uptime: ", shown::text, "\n"},
    {VDC_ATTR_RESTART_COUNT, "vdc restart count: ", shown::number, "\n", restart_role::count},
    {VDC_ATTR_RESTART_TIME, "vdc restart time: ", shown::time, "", restart_role::needs_restart},
    {VDC_ATTR_RESTART_REASON, "vdc restart reason: ", shown::text, "\n",
     restart_role::needs_restart},
    {VDC_ATTR_TYPE, "vdc type: ", shown::text, "\n"},
    {VDC_ATTR_SUPPORTED_LC, "vdc supported linecards: ", shown::text, "\n"},
}};

const line *line_for(uint32_t id) {
  for (const auto &l : lines)
    if (l.id == id) return &l;
  return nullptr;
}

void print_line(const line &l, zms::attr_value value) {
  switch (l.kind) {
    case shown::vdc_number:
      if (auto number = zms::read_vdc_number(value)) printf("%s%d%s", l.label, *number, l.end);
      break;
    case shown::number:
      if (auto number = zms::read_signed_word(value)) printf("%s%d%s", l.label, *number, l.end);
      break;
    case shown::text:
      if (auto text = zms::read_text(value))
        printf("%s%.*s%s", l.label, zms::precision(*text), text->data(), l.end);
      break;
    case shown::time:
      if (auto seconds = zms::read_time(value))
        if (const char *text = ctime(&*seconds)) printf("%s%s%s", l.label, text, l.end);
      break;
  }
}

}  // namespace

extern "C" int32_t show_vdc_detail2(cmd_handle handle) {
  zms::print_switchwide_mode(handle);
  bool restarted = true;
  zms::response_walk walk(handle);
  for (zms::attr a; walk.next(a);) {
    const line *l = line_for(a.id);
    if (l == nullptr) continue;
    if (l->role == restart_role::needs_restart && !restarted) continue;
    print_line(*l, a.value);
    if (l->role == restart_role::count)
      if (auto count = zms::read_word(a.value)) restarted = *count != 0;
  }
  return putchar('\n');
}
