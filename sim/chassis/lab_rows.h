// A record of the chassis as one row of its section's table: one column per row of
// fields.h, after the record's position `pos`. Lists are text: numbers as "1,2,3",
// VLAN ranges as "1-5,7-7", texts one to a line with '\' and a line break escaped.
#ifndef VDCSIM_LAB_ROWS_H
#define VDCSIM_LAB_ROWS_H

#include <string>
#include <type_traits>
#include <vector>

#include "chassis/fields.h"
#include "chassis/sqlite.h"

namespace vdcsim::lab_rows {

std::string encode(const std::vector<uint32_t> &numbers);
std::string encode(const std::vector<std::string> &texts);
std::string encode(const std::vector<vlan_range> &ranges);
void decode(std::string_view text, std::vector<uint32_t> &numbers);
void decode(std::string_view text, std::vector<std::string> &texts);
void decode(std::string_view text, std::vector<vlan_range> &ranges);

// "vdcs", or "chassis" for the chassis's own fields; "start_vdcs" for the chassis a lab
// began with.
std::string table_name(std::string_view section, bool start);

template <class R>
std::string create_table(const std::string &table) {
  std::string sql = "CREATE TABLE " + table + " (pos INTEGER PRIMARY KEY";
  for (auto &f : fields_of<R>::rows)
    sql += ", \"" + std::string(f.name) + "\"";
  return sql + ")";
}

template <class R>
std::string insert_row(const std::string &table) {
  std::string sql = "INSERT OR REPLACE INTO " + table + " VALUES (?";
  for (size_t i = 0; i < fields_of<R>::rows.size(); ++i)
    sql += ",?";
  return sql + ")";
}

template <class R>
void bind_row(sql::statement &st, int64_t pos, const R &r) {
  st.bind(1, pos);
  int column = 2;
  for (auto &f : fields_of<R>::rows) {
    std::visit(
        [&](auto m) {
          const auto &value = r.*m;
          using T = std::decay_t<decltype(value)>;
          if constexpr (std::is_same_v<T, std::string>)
            st.bind(column, std::string_view(value));
          else if constexpr (std::is_arithmetic_v<T> || std::is_enum_v<T>)
            st.bind(column, static_cast<int64_t>(value));
          else
            st.bind(column, std::string_view(encode(value)));
        },
        f.at);
    ++column;
  }
}

// Reads the columns after `pos` into `r`.
template <class R>
void read_row(const sql::statement &st, R &r) {
  int column = 1;
  for (auto &f : fields_of<R>::rows) {
    std::visit(
        [&](auto m) {
          auto &value = r.*m;
          using T = std::decay_t<decltype(value)>;
          if constexpr (std::is_same_v<T, std::string>)
            value.assign(st.text(column));
          else if constexpr (std::is_arithmetic_v<T> || std::is_enum_v<T>)
            value = static_cast<T>(st.integer(column));
          else
            decode(st.text(column), value);
        },
        f.at);
    ++column;
  }
}

bool same_ranges(const std::vector<vlan_range> &a, const std::vector<vlan_range> &b);

template <class R>
bool same(const R &a, const R &b) {
  for (auto &f : fields_of<R>::rows) {
    bool equal = std::visit(
        [&](auto m) {
          if constexpr (std::is_same_v<std::decay_t<decltype(a.*m)>, std::vector<vlan_range>>)
            return same_ranges(a.*m, b.*m);
          else
            return a.*m == b.*m;
        },
        f.at);
    if (!equal) return false;
  }
  return true;
}

}  // namespace vdcsim::lab_rows

#endif  // VDCSIM_LAB_ROWS_H
