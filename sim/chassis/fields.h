// Every field of a chassis, once: its name in chassis files and in a lab's tables, the
// member of the model that holds it, its kind, its bounds, its default and when a file
// spells it out. The file reader, the file writer, the lab database and the schema in
// CHASSIS.md all follow these rows: a new field is a member of its record and one row.
#ifndef VDCSIM_FIELDS_H
#define VDCSIM_FIELDS_H

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "chassis/chassis.h"
#include "zudoru_mgr_show.h"

namespace vdcsim {

enum class field_kind : uint8_t {
  number,   // a whole number from `low` to `high`
  code,     // a number, or a quoted "0x" string of one to eight hexadecimal digits
  time,     // seconds since the epoch, or a UTC time such as 2024-03-01T09:00:00Z
  text,     // any single value, as written; at most `high` bytes when `high` is not 0
  flag,     // true or false
  choice,   // one of the event kinds' names
  numbers,  // a list of whole numbers from `low` to `high`
  texts,    // a list of texts
  vlans,    // a list of VLAN numbers and [low, high] pairs
};

// A bound that is the chassis's own `max_vdcs`.
inline constexpr int64_t up_to_max_vdcs = -1;

// When a chassis file spells a field out.
enum class spelt : uint8_t {
  always,          // required, a default worked out from other fields, or a field others need
  unless_default,  // left out while it holds the default of a new record
};

template <class R>
using member = std::variant<uint32_t R::*, int32_t R::*, int64_t R::*, bool R::*, std::string R::*,
                            event_kind R::*, std::vector<uint32_t> R::*,
                            std::vector<std::string> R::*, std::vector<vlan_range> R::*>;

template <class R>
struct field {
  std::string_view name;
  field_kind kind;
  member<R> at;
  int64_t low = 0;
  int64_t high = 0;
  bool required = false;
  spelt written = spelt::unless_default;
  // The default where a new record's member does not hold it ("`clock`"); "" otherwise.
  std::string_view default_note = {};
};

template <class R>
struct fields_of;

template <>
struct fields_of<chassis> {
  using c = chassis;
  static constexpr auto rows = std::to_array<field<c>>({
      // Always spelt out: other sections' defaults and bounds come from these two.
      {"clock", field_kind::time, &c::clock, 0, 0, false, spelt::always},
      {"switchwide_mode", field_kind::text, &c::switchwide_mode},
      {"max_vdcs", field_kind::number, &c::max_vdcs, 1, 256, false, spelt::always},
  });
};

template <>
struct fields_of<operator_account> {
  using r = operator_account;
  static constexpr auto rows = std::to_array<field<r>>({
      {"user", field_kind::text, &r::user},
      {"role", field_kind::text, &r::role},
  });
};

template <>
struct fields_of<linecard_type> {
  using r = linecard_type;
  static constexpr auto rows = std::to_array<field<r>>({
      {"value", field_kind::code, &r::value, 0, UINT32_MAX, true, spelt::always},
      {"name", field_kind::text, &r::name, 0, 0, true, spelt::always},
      {"ethernet", field_kind::flag, &r::ethernet},
      {"fcoe", field_kind::flag, &r::fcoe},
  });
};

template <>
struct fields_of<module> {
  using r = module;
  static constexpr auto rows = std::to_array<field<r>>({
      {"slot", field_kind::number, &r::slot, 1, 254, true, spelt::always},
      {"type", field_kind::text, &r::type, 0, 0, true, spelt::always},
  });
};

template <>
struct fields_of<feature_set> {
  using r = feature_set;
  static constexpr auto rows = std::to_array<field<r>>({
      {"id", field_kind::number, &r::id, 0, UINT32_MAX, true, spelt::always},
      {"name", field_kind::text, &r::name, 0, 31, true, spelt::always},
  });
};

template <>
struct fields_of<error_text> {
  using r = error_text;
  static constexpr auto rows = std::to_array<field<r>>({
      {"code", field_kind::code, &r::code, 0, UINT32_MAX, true, spelt::always},
      {"text", field_kind::text, &r::text, 0, 0, true, spelt::always},
  });
};

template <>
struct fields_of<vdc> {
  using r = vdc;
  static constexpr auto rows = std::to_array<field<r>>({
      {"id", field_kind::number, &r::id, 1, up_to_max_vdcs, true, spelt::always},
      {"name", field_kind::text, &r::name, 0, 63, true, spelt::always},
      {"state", field_kind::text, &r::state},
      {"mac", field_kind::text, &r::mac, 0, 0, false, spelt::always, "`00:00:5e:00:53:ID`"},
      {"ha_policy", field_kind::text, &r::ha_policy},
      {"dual_sup_ha_policy", field_kind::text, &r::dual_sup_ha_policy},
      {"boot_order", field_kind::number, &r::boot_order, 0, 1000},
      {"cpu_share", field_kind::number, &r::cpu_share, 1, 10},
      {"create_time", field_kind::time, &r::create_time, 0, 0, false, spelt::always, "`clock`"},
      {"reload_count", field_kind::number, &r::reload_count, 0, INT32_MAX},
      {"restart_count", field_kind::number, &r::restart_count, 0, INT32_MAX},
      {"restart_time", field_kind::time, &r::restart_time},
      {"restart_reason", field_kind::text, &r::restart_reason},
      {"type", field_kind::text, &r::type},
      {"module_types", field_kind::texts, &r::module_types},
      {"feature_sets", field_kind::texts, &r::feature_sets},
      {"setup_done", field_kind::flag, &r::setup_done},
      {"setup_fails", field_kind::flag, &r::setup_fails},
  });
};

template <>
struct fields_of<interface> {
  using r = interface;
  static constexpr auto rows = std::to_array<field<r>>({
      {"name", field_kind::text, &r::name, 0, 200, true, spelt::always},
      {"short_name", field_kind::text, &r::short_name, 0, 200, false, spelt::always,
       "`Ethernet` shortened to `Eth`"},
      {"ifindex", field_kind::code, &r::ifindex, 0, UINT32_MAX, false, spelt::always,
       "`0x1a000000 + 0x200 × position`"},
      {"slot", field_kind::number, &r::slot, 1, 254, true, spelt::always},
      {"vdc", field_kind::number, &r::vdc, 0, up_to_max_vdcs},
      {"shared_with", field_kind::numbers, &r::shared_with, 1, up_to_max_vdcs},
      {"breakout", field_kind::flag, &r::breakout},
      {"move_result", field_kind::code, &r::move_result, 0, UINT32_MAX},
      {"move_status", field_kind::code, &r::move_status, 0, UINT32_MAX},
  });
};

template <>
struct fields_of<storage> {
  using r = storage;
  static constexpr auto rows = std::to_array<field<r>>({
      {"vdc", field_kind::number, &r::vdc, 0, up_to_max_vdcs},
      {"sharing_eth_vdc", field_kind::number, &r::sharing_eth_vdc, 0, up_to_max_vdcs},
      {"reserved_vlans", field_kind::vlans, &r::reserved_vlans, 1, 4094},
  });
};

template <>
struct fields_of<dirty_bits> {
  using r = dirty_bits;
  static constexpr auto rows = std::to_array<field<r>>({
      {"dirty", field_kind::numbers, &r::dirty, 0, VDC_DIRTY_BIT_MARKER - 1},
      {"active", field_kind::numbers, &r::active, 0, VDC_DIRTY_BIT_MARKER - 1},
      {"pending", field_kind::numbers, &r::pending, 0, VDC_DIRTY_BIT_MARKER - 1},
  });
};

template <>
struct fields_of<event> {
  using r = event;
  static constexpr auto rows = std::to_array<field<r>>({
      {"time", field_kind::time, &r::time, 0, 0, true, spelt::always},
      {"kind", field_kind::choice, &r::kind, 0, 0, true, spelt::always},
      {"vdc", field_kind::number, &r::vdc, 0, UINT16_MAX},
      {"vdc_name", field_kind::text, &r::vdc_name, 0, 63},
      {"state", field_kind::text, &r::state},
      {"desc", field_kind::text, &r::desc, 0, 99},
      {"dest_vdc", field_kind::number, &r::dest_vdc, 0, UINT16_MAX},
      {"sources", field_kind::numbers, &r::sources, 0, up_to_max_vdcs},
      {"ports", field_kind::number, &r::ports, 0, INT32_MAX},
  });
};

// The row of the field `name` of R; the number of rows when there is none.
template <class R>
constexpr size_t row_of(std::string_view name) {
  auto &rows = fields_of<R>::rows;
  for (size_t i = 0; i < rows.size(); ++i)
    if (rows[i].name == name) return i;
  return rows.size();
}

// The sections of a chassis in file order: the chassis's own fields, then each mapping
// (`v.record`) and each list of records (`v.list`). `Chassis` is chassis or const chassis.
template <class Chassis, class Visitor>
void visit_sections(Chassis &c, Visitor &&v) {
  v.record("", c);
  v.record("operator", c.op);
  v.list("linecard_types", c.linecard_types, false);
  v.list("modules", c.modules, false);
  v.list("feature_sets", c.feature_sets, false);
  v.list("error_texts", c.error_texts, false);
  v.list("vdcs", c.vdcs, true);
  v.list("interfaces", c.interfaces, false);
  v.record("storage", c.fcoe);
  v.record("dirty_bits", c.dirty);
  v.list("events", c.events, false);
}

}  // namespace vdcsim

#endif  // VDCSIM_FIELDS_H
