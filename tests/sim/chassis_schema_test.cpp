// sim/CHASSIS.md's schema follows the table of fields: every row's name, values and
// default, in order, section by section; and the sections in the order files have them.
#include <gtest/gtest.h>

#include <sstream>

#include "chassis/fields.h"
#include "sim_support.h"

namespace {

using namespace vdcsim;

std::string bound(int64_t b) {
  return b == up_to_max_vdcs ? "`max_vdcs`" : std::to_string(b);
}

template <class R>
std::string values(const field<R> &f) {
  std::string range = bound(f.low) + " to " + bound(f.high);
  switch (f.kind) {
    case field_kind::number:
      return range;
    case field_kind::code:
      return "code";
    case field_kind::time:
      return "time";
    case field_kind::text:
      return f.high ? "text, at most " + std::to_string(f.high) : "text";
    case field_kind::flag:
      return "true or false";
    case field_kind::choice:
      return "event kind";
    case field_kind::numbers:
      return "list of " + range;
    case field_kind::texts:
      return "list of texts";
    case field_kind::vlans:
      return "list of VLANs " + range;
  }
  return "";
}

std::string shown(const std::string &text) {
  return "`\"" + text + "\"`";
}
std::string shown(bool flag) {
  return flag ? "true" : "false";
}
std::string shown(event_kind kind) {
  return shown(std::string(event_kind_name(kind)));
}
std::string shown(std::integral auto number) {
  return std::to_string(number);
}
template <class T>
std::string shown(const std::vector<T> &items) {
  return items.empty() ? "none" : "?";
}

template <class R>
std::string default_of(const field<R> &f) {
  static const R fresh{};
  if (f.required) return "required";
  if (!f.default_note.empty()) return std::string(f.default_note);
  return std::visit([](auto p) { return shown(fresh.*p); }, f.at);
}

// "| `name` | values | default |" for every row of R.
template <class R>
std::vector<std::string> expected_rows() {
  std::vector<std::string> rows;
  for (auto &f : fields_of<R>::rows)
    rows.push_back("| `" + std::string(f.name) + "` | " + values(f) + " | " + default_of(f) + " |");
  return rows;
}

// The rows of the first table after `heading`, cut after their third cell.
std::vector<std::string> documented_rows(const std::string &heading) {
  std::istringstream in(sim_test::read_file(std::string(VDCSIM_SOURCE_DIR) + "/sim/CHASSIS.md"));
  std::vector<std::string> rows;
  bool under = false;
  for (std::string line; std::getline(in, line);) {
    if (line.starts_with("#")) {
      if (under) break;
      under = line == heading;
    } else if (under && line.starts_with("| `")) {
      size_t cut = 0;
      for (int cell = 0; cell < 3 && cut != std::string::npos; ++cell)
        cut = line.find(" |", cut + 1);
      rows.push_back(line.substr(0, cut + 2));
    } else if (under && !rows.empty() && line.empty()) {
      break;
    }
  }
  return rows;
}

struct schema {
  std::vector<std::string> sections;
  template <class R>
  void record(std::string_view name, const R &) {
    if (name.empty()) return check<R>("## Top level");
    sections.push_back("| `" + std::string(name) + "` |");
    check<R>("### `" + std::string(name) + "`");
  }
  template <class R>
  void list(std::string_view name, const std::vector<R> &, bool) {
    sections.push_back("| `" + std::string(name) + "` |");
    check<R>("### `" + std::string(name) + "[]`");
  }
  template <class R>
  void check(const std::string &heading) {
    EXPECT_EQ(documented_rows(heading), expected_rows<R>()) << heading;
  }
};

TEST(chassis_schema, in_chassis_md_follows_the_table_of_fields) {
  const chassis c;
  schema s;
  visit_sections(c, s);
  std::istringstream in(sim_test::read_file(std::string(VDCSIM_SOURCE_DIR) + "/sim/CHASSIS.md"));
  std::vector<std::string> sections;
  bool table = false;
  for (std::string line; std::getline(in, line);) {
    table = (table || line == "| Section | Holds |") && !line.empty();
    if (table && line.starts_with("| `")) sections.push_back(line.substr(0, line.find(" |") + 2));
  }
  EXPECT_EQ(sections, s.sections);
}

}  // namespace
