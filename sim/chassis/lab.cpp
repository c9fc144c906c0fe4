#include "chassis/lab.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <set>

#include "chassis/fields.h"
#include "chassis/lab_rows.h"

namespace vdcsim {
namespace {

using lab_rows::table_name;

constexpr int64_t application_id = 0x76646373;  // "vdcs"

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

void copy_sections(chassis &to, const chassis &from, const std::set<std::string> *names) {
  section_addresses addresses;
  visit_sections(to, addresses);
  section_copier copier{std::move(addresses.at), names};
  visit_sections(from, copier);
}

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

lab::found lab::probe(const std::string &path, std::string &why) {
  struct stat st {};
  if (stat(path.c_str(), &st) != 0) {
    why = std::strerror(errno);
    return errno == ENOENT ? found::nothing : found::other;
  }
  if (!S_ISREG(st.st_mode)) return why = "not a regular file", found::other;
  if (st.st_size == 0) return found::nothing;
  sql::database db;
  if (!db.open(path, SQLITE_OPEN_READWRITE, lab_busy_ms)) return why = db.error(), found::other;
  int64_t id = db.number("PRAGMA application_id");
  if (!db.ok()) return why = "not a lab: " + db.error(), found::other;
  if (id != application_id) return why = "not a lab: a database of another program", found::other;
  if (db.number("PRAGMA user_version") != schema_version())
    return why = "a lab of another version of vdcsim, with other fields", found::other;
  return found::lab;
}

bool lab::create(const std::string &path, const chassis &start, std::string &error) {
  bool shared = path != ":memory:";
  if (!db_.open(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, lab_busy_ms) ||
      (shared && !db_.exec("PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL")))
    return error = path + ": cannot make the lab: " + db_.error(), false;
  sql::transaction t(db_, true);
  int64_t tables = t.begun() ? db_.number("SELECT count(*) FROM sqlite_schema") : 0;
  if (!db_.ok()) return error = path + ": cannot make the lab: " + db_.error(), false;
  if (tables != 0)
    return error = path + ": cannot make the lab: the file holds a database already", false;
  db_.exec("PRAGMA application_id=" + std::to_string(application_id) +
           "; PRAGMA user_version=" + std::to_string(schema_version()) + ";\n" + schema());
  section_addresses none;
  chassis empty;
  visit_sections(empty, none);
  row_writer w{db_, std::move(none.at), true, {}};
  visit_sections(start, w);
  for (auto &name : w.written)
    db_.exec("INSERT INTO " + table_name(name, true) + " SELECT * FROM " + table_name(name, false));
  base_ = start;
  if (!t.commit()) return error = path + ": cannot make the lab: " + db_.error(), false;
  stale_sections();
  return db_.ok() || (error = path + ": " + db_.error(), false);
}

bool lab::open(const std::string &path, chassis &model, std::string &error) {
  std::string why;
  if (probe(path, why) != found::lab) return error = path + ": " + why, false;
  if (!db_.open(path, SQLITE_OPEN_READWRITE, lab_busy_ms) ||
      !db_.exec("PRAGMA synchronous=NORMAL") || !refresh(model))
    return error = path + ": cannot read the lab: " + db_.error(), false;
  return true;
}

std::set<std::string> lab::stale_sections() {
  data_version_ = db_.number("PRAGMA data_version");
  std::set<std::string> stale;
  sql::statement st(db_, "SELECT name, generation FROM sections");
  while (st.step()) {
    std::string name(st.text(0));
    auto known = generation_.find(name);
    if (known == generation_.end() || known->second != st.integer(1)) stale.insert(name);
    generation_[name] = st.integer(1);
  }
  return stale;
}

bool lab::read(chassis &model) {
  std::set<std::string> stale = stale_sections();
  if (!stale.empty()) {
    if (stale.size() > 1 || !stale.count("")) ++changes_;
    row_reader reader{db_, &stale, false};
    visit_sections(model, reader);
    copy_sections(base_, model, &stale);
  }
  if (db_.ok()) return true;
  generation_.clear();  // read everything again next time
  return false;
}

bool lab::refresh(chassis &model) {
  db_.clear_error();
  if (db_.number("PRAGMA data_version") == data_version_ && db_.ok()) return true;
  sql::transaction t(db_, false);
  return t.begun() && read(model) && t.commit();
}

bool lab::write(const chassis &now) {
  section_addresses old;
  visit_sections(base_, old);
  row_writer w{db_, std::move(old.at), false, {}};
  visit_sections(now, w);
  written_ = std::move(w.written);
  if (written_.size() > 1 || (written_.size() == 1 && !written_.count(""))) ++changes_;
  for (auto &name : written_) {
    sql::statement raise(db_, "UPDATE sections SET generation = generation + 1 WHERE name = ?");
    raise.bind(1, name);
    raise.run();
    ++generation_[name];
  }
  return db_.ok();
}

std::string lab::change(chassis &model, const std::function<std::string(chassis &)> &edit) {
  db_.clear_error();
  sql::transaction t(db_, true);
  std::string why;
  if (t.begun() && read(model)) {
    why = edit(model);
    if (why.empty() && write(model) && t.commit()) {
      copy_sections(base_, model, &written_);
      return "";
    }
  }
  if (!db_.ok()) {
    why = "The lab cannot be written: " + db_.error();
    generation_.clear();
  }
  copy_sections(model, base_, nullptr);
  return why;
}

bool lab::read_start(chassis &start, std::string &error) {
  sql::transaction t(db_, false);
  row_reader reader{db_, nullptr, true};
  visit_sections(start, reader);
  if (t.commit()) return true;
  error = db_.error();
  return false;
}

bool lab::hand_back(int64_t shell, int failures, long line) {
  sql::statement st(db_, "INSERT OR REPLACE INTO handback VALUES (?, ?, ?)");
  st.bind(1, shell);
  st.bind(2, failures);
  st.bind(3, line);
  return st.run();
}

bool lab::take_back(int64_t shell, int &failures, long &line) {
  sql::transaction t(db_, true);
  sql::statement st(db_, "SELECT failures, line FROM handback WHERE shell = ?");
  st.bind(1, shell);
  if (!st.step()) return false;
  failures = static_cast<int>(st.integer(0));
  line = static_cast<long>(st.integer(1));
  st.reset();
  db_.exec("DELETE FROM handback WHERE shell = " + std::to_string(shell));
  return t.commit();
}

}  // namespace vdcsim
