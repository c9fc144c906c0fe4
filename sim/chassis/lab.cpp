#include "chassis/lab.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <set>

#include "chassis/lab_rows.h"
#include "chassis/lab_sections.h"

namespace vdcsim {
namespace {

using lab_rows::table_name;
using lab_sections::schema_version;

constexpr int64_t application_id = 0x76646373;  // "vdcs"

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
  // A shell killed while it made the lab leaves a database with nothing in it.
  if (id == 0 && db.number("SELECT count(*) FROM sqlite_schema") == 0) return found::nothing;
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
  db_.exec("PRAGMA application_id=" + std::to_string(application_id) + "; PRAGMA user_version=" +
           std::to_string(schema_version()) + ";\n" + lab_sections::schema());
  for (auto &name : lab_sections::write(db_, start, chassis{}, true))
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
    lab_sections::read(db_, model, &stale, false);
    lab_sections::copy(base_, model, &stale);
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
  written_ = lab_sections::write(db_, now, base_, false);
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
      lab_sections::copy(base_, model, &written_);
      return "";
    }
  }
  if (!db_.ok()) {
    why = "The lab cannot be written: " + db_.error();
    generation_.clear();
  }
  lab_sections::copy(model, base_, nullptr);
  return why;
}

bool lab::read_start(chassis &start, std::string &error) {
  sql::transaction t(db_, false);
  lab_sections::read(db_, start, nullptr, true);
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
