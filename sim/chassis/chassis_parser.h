// The reader behind parse_chassis: each section of a chassis file is checked against
// the ones read before it. The VDC and interface sections are read in chassis_vdcs.cpp,
// the others in chassis_file.cpp.
#ifndef VDCSIM_CHASSIS_PARSER_H
#define VDCSIM_CHASSIS_PARSER_H

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "chassis/chassis.h"
#include "chassis/chassis_reader.h"

namespace vdcsim {

class chassis_parser {
 public:
  chassis_parser(const std::string &file, chassis &out) : r_(file), c_(out) {}

  bool run(const doc::value &root);
  const std::string &error() const { return r_.error(); }

 private:
  static constexpr uint32_t max_slot = 254;  // 255 stands for an unknown slot

  // Reports `what` at the value of field `name` when `bad` holds.
  void check(bool bad, const node &n, const char *name, std::string_view what);
  void check_item(bool bad, const node &n, const char *name, size_t i, std::string_view what);

  bool known_vdc(uint32_t id) const { return id < vdc_ids_.size() && vdc_ids_[id]; }

  void read_operator(const node &top);
  void read_linecard_type(const node &n);

  // Names match in any case; a reference is kept as the name it refers to is written.
  const linecard_type *linecard_type_named(const std::string &name) const;
  bool known_linecard_type(const std::string &name) const {
    return linecard_type_named(name) != nullptr;
  }
  void spell_as_declared(std::string &type) const;

  void read_module(const node &n);
  void read_feature_set(const node &n);
  void read_error_text(const node &n);

  void read_vdc(const node &n);
  void read_vdc_texts(const node &n, vdc &v);
  void read_vdc_numbers(const node &n, vdc &v);
  void check_vdc(const node &n, vdc &v);
  void read_interface(const node &n);
  void check_interface(const node &n, const interface &i);

  void read_storage(const node &top);
  void read_vlan_range(const node &n);
  void read_dirty_bits(const node &top);
  void read_event(const node &n);

  std::vector<bool> vdc_ids_;  // by id: read so far
  std::unordered_set<std::string> interface_names_;
  std::unordered_set<uint32_t> ifindexes_;
  chassis_reader r_;
  chassis &c_;
};

}  // namespace vdcsim

#endif
