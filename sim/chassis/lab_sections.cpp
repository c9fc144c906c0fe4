#include "chassis/lab_sections.h"

#include "chassis/fields.h"
#include "chassis/lab_rows.h"

namespace vdcsim::lab_sections {
namespace {

using lab_rows::table_name;

// Every table of a lab, made from the rows of fields.h.
struct schema_sql {
  std::string sql =
      "CREATE TABLE sections (name TEXT PRIMARY KEY, generation INTEGER);\n"
      "CREATE TABLE handback (shell INTEGER PRIMARY KEY, failures, line);\n";
  template <class R>
  void record(std::string_view name, const R &) {
    for (bool start : {false, true})
      sql += lab_rows::create_table<R>(table_name(name, start)) + ";\n";
    sql += "INSERT INTO sections VALUES ('" + std::string(name) + "', 0);\n";
  }
  template <class R>
  void list(std::string_view name, const std::vector<R> &, bool) {
    record<R>(name, R{});
  }
};

}  // namespace

const std::string &schema() {
  static const std::string sql = [] {
    static const chassis none;
    schema_sql s;
    visit_sections(none, s);
    return s.sql;
  }();
  return sql;
}

// Labs of another schema are refused: a field more or less is a new version.
int64_t schema_version() {
  uint32_t hash = 2166136261u;
  for (char c : schema())
    hash = (hash ^ static_cast<uint8_t>(c)) * 16777619u;
  return hash & 0x7fffffff;
}

namespace {

// The sections of a chassis in order, for walking a second chassis beside it.
struct section_addresses {
  std::vector<void *> at;
  template <class R>
  void record(std::string_view, R &r) {
    at.push_back(&r);
  }
  template <class R>
  void list(std::string_view, std::vector<R> &v, bool) {
    at.push_back(&v);
  }
};

// Copies the sections named in `names` (all when null) from one chassis to the other; of
// a mapping only its fields, as the chassis's own fields are a mapping of the chassis.
struct section_copier {
  std::vector<void *> to;
  const std::set<std::string> *names;
  size_t index = 0;
  bool wanted(std::string_view name) const {
    return names == nullptr || names->count(std::string(name));
  }
  template <class R>
  void record(std::string_view name, const R &r) {
    auto *target = static_cast<R *>(to[index++]);
    if (wanted(name))
      for (auto &f : fields_of<R>::rows)
        std::visit([&](auto m) { target->*m = r.*m; }, f.at);
  }
  template <class R>
  void list(std::string_view name, const std::vector<R> &v, bool) {
    auto *target = static_cast<std::vector<R> *>(to[index++]);
    if (wanted(name)) *target = v;
  }
};

}  // namespace

void copy(chassis &to, const chassis &from, const std::set<std::string> *names) {
  section_addresses addresses;
  visit_sections(to, addresses);
  section_copier copier{std::move(addresses.at), names};
  visit_sections(from, copier);
}

namespace {

// Reads the sections named in `names` from the lab's tables.
struct row_reader {
  sql::database &db;
  const std::set<std::string> *names;
  bool start;
  template <class R>
  void record(std::string_view name, R &r) {
    if (names != nullptr && !names->count(std::string(name))) return;
    sql::statement st(db, "SELECT * FROM " + table_name(name, start));
    if (st.step()) lab_rows::read_row(st, r);
  }
  template <class R>
  void list(std::string_view name, std::vector<R> &v, bool) {
    if (names != nullptr && !names->count(std::string(name))) return;
    std::string table = table_name(name, start);
    v.clear();
    v.reserve(static_cast<size_t>(db.number("SELECT count(*) FROM " + table, 0)));
    sql::statement st(db, "SELECT * FROM " + table + " ORDER BY pos");
    while (st.step())
      lab_rows::read_row(st, v.emplace_back());
  }
};

// Writes the records of one chassis that differ from those of another (every record
// when `all`), and notes the sections it wrote.
struct row_writer {
  sql::database &db;
  std::vector<void *> before;
  bool all;
  std::set<std::string> written;
  size_t index = 0;

  template <class R>
  void rows(std::string_view name, const R *now, size_t count, const R *old, size_t old_count) {
    std::string table = table_name(name, false);
    sql::statement insert(db, lab_rows::insert_row<R>(table));
    size_t changed = 0;
    for (size_t i = 0; i < count; ++i) {
      if (!all && i < old_count && lab_rows::same(now[i], old[i])) continue;
      lab_rows::bind_row(insert, static_cast<int64_t>(i), now[i]);
      insert.run();
      ++changed;
    }
    if (!all && count < old_count) {
      db.exec("DELETE FROM " + table + " WHERE pos >= " + std::to_string(count));
      ++changed;
    }
    if (changed > 0) written.insert(std::string(name));
  }
  template <class R>
  void record(std::string_view name, const R &r) {
    rows(name, &r, 1, static_cast<const R *>(before[index++]), 1);
  }
  template <class R>
  void list(std::string_view name, const std::vector<R> &v, bool) {
    auto *old = static_cast<const std::vector<R> *>(before[index++]);
    rows(name, v.data(), v.size(), old->data(), old->size());
  }
};

}  // namespace

void read(sql::database &db, chassis &c, const std::set<std::string> *names, bool start) {
  row_reader reader{db, names, start};
  visit_sections(c, reader);
}

std::set<std::string> write(sql::database &db, const chassis &now, const chassis &before,
                            bool all) {
  section_addresses old;
  visit_sections(const_cast<chassis &>(before), old);
  row_writer w{db, std::move(old.at), all, {}};
  visit_sections(now, w);
  return std::move(w.written);
}

}  // namespace vdcsim::lab_sections
