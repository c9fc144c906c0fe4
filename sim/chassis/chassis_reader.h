// The reader behind parse_chassis: the model is built from the parser's events through
// the table of fields, each record checked against the sections read before it. A
// section that arrives before one it refers to is recorded and read after the others.
#ifndef VDCSIM_CHASSIS_READER_H
#define VDCSIM_CHASSIS_READER_H

#include <array>
#include <bitset>
#include <functional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "chassis/fields.h"
#include "chassis/yaml_events.h"

namespace vdcsim {

// The path of a value, spelt out only when a message needs it: "vdcs[2].name".
struct where {
  const where *parent = nullptr;
  std::string_view name;  // a field's; "" for an item of a list
  size_t index = 0;
  std::string text() const;
};

// Where a record and each of its fields stood, and which fields it spelt out.
template <class R>
struct record_marks {
  static constexpr size_t n = fields_of<R>::rows.size();
  mark at;
  std::bitset<n> seen;
  std::array<mark, n> field;
  std::array<std::vector<mark>, n> items;  // of the lists
};

// What a value is called in messages: "a list", "a number", "null", ...
std::string describe(const yevent &e);

class chassis_reader {
 public:
  chassis_reader(yaml_events &events, chassis &out) : events_(events), c_(out) {}
  bool run();

 private:
  struct section_reader;
  bool fail(mark at, const where &path, const std::string &what);
  bool next(yevent &e) { return events_.next(e); }
  bool section(size_t index, const yevent &first);
  bool ready(size_t index) const;

  template <class R>
  bool record(R &r, const yevent &first, const where &at, record_marks<R> &m);
  template <class R>
  bool field_value(size_t i, R &r, const yevent &first, const where &at, record_marks<R> &m);
  template <class R>
  bool items(const yevent &first, const where &at, std::vector<R> &out);
  template <class R>
  bool lengths(const R &r, const record_marks<R> &m, const where &at);
  bool each(const yevent &first, const where &at, std::vector<mark> *marks,
            const std::function<bool(const yevent &, const where &)> &item);
  bool number(const yevent &e, const where &at, int64_t low, int64_t high, bool hex, int64_t &out);
  bool time(const yevent &e, const where &at, int64_t &out);
  bool text(const yevent &e, const where &at, std::string &out);
  bool vlan(const yevent &e, const where &at, vlan_range &out);
  int64_t bound(int64_t b) const { return b == up_to_max_vdcs ? c_.max_vdcs : b; }

  // The checks of each kind of record, once its fields are read; a fault stands at the
  // field `name`, or at item `k` of the list `name`.
  template <class R>
  bool fail_at(const record_marks<R> &m, const where &at, std::string_view name,
               const std::string &what);
  template <class R>
  bool fail_item(const record_marks<R> &m, const where &at, std::string_view name, size_t k,
                 const std::string &what);
  bool check(chassis &, const record_marks<chassis> &, const where &) { return true; }
  bool check(operator_account &r, const record_marks<operator_account> &m, const where &at);
  bool check(linecard_type &r, const record_marks<linecard_type> &m, const where &at);
  bool check(module &r, const record_marks<module> &m, const where &at);
  bool check(feature_set &r, const record_marks<feature_set> &m, const where &at);
  bool check(error_text &, const record_marks<error_text> &, const where &) { return true; }
  bool check(vdc &r, const record_marks<vdc> &m, const where &at);
  bool check_lists(vdc &r, const record_marks<vdc> &m, const where &at);
  bool check(interface &r, const record_marks<interface> &m, const where &at);
  bool check(storage &r, const record_marks<storage> &m, const where &at);
  bool check(dirty_bits &, const record_marks<dirty_bits> &, const where &) { return true; }
  bool check(event &, const record_marks<event> &, const where &) { return true; }
  bool known_vdc(uint32_t id) const { return id < vdc_ids_.size() && vdc_ids_[id]; }

  yaml_events &events_;
  chassis &c_;
  std::bitset<16> read_;  // sections and the chassis's own fields read so far
  mark vdcs_at_;
  std::vector<bool> vdc_ids_;  // by id: read so far
  std::unordered_set<std::string> vdc_names_, interface_names_;
  // By name in lower case: the index of the linecard type or feature set.
  std::unordered_map<std::string, size_t> linecard_types_, feature_sets_;
  std::unordered_set<uint32_t> feature_set_ids_, ifindexes_;
};

}  // namespace vdcsim

#endif  // VDCSIM_CHASSIS_READER_H
