// A thin hold on SQLite's C interface: a connection, a prepared statement and a
// transaction, each closed or ended when it goes out of scope. A connection keeps the
// first error it meets, so a caller runs a batch of statements and asks once at the end.
#ifndef VDCSIM_SQLITE_H
#define VDCSIM_SQLITE_H

#include <sqlite3.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace vdcsim::sql {

class database {
 public:
  database() = default;
  ~database() { close(); }
  database(const database &) = delete;
  database &operator=(const database &) = delete;

  // `flags` as sqlite3_open_v2 takes them; waits up to `busy_ms` for another writer.
  bool open(const std::string &path, int flags, int busy_ms);
  void close();
  sqlite3 *handle() const { return db_; }

  // Runs statements without results; false (and the error kept) when one fails.
  bool exec(const std::string &sql);
  // The first column of the first row of `sql`, or `fallback`.
  int64_t number(const std::string &sql, int64_t fallback = -1);

  bool ok() const { return error_.empty(); }
  const std::string &error() const { return error_; }
  // Keeps SQLite's message for `code` unless an error is kept already.
  void fail(int code);
  void clear_error() { error_.clear(); }

 private:
  sqlite3 *db_ = nullptr;
  std::string error_;
};

class statement {
 public:
  statement(database &db, const std::string &sql);
  ~statement() { sqlite3_finalize(st_); }
  statement(const statement &) = delete;
  statement &operator=(const statement &) = delete;

  void bind(int column, int64_t value);
  void bind(int column, std::string_view value);
  // True while there is a row to read; a failure is kept in the database.
  bool step();
  // Makes the statement ready to run again, its bindings kept until bound anew.
  void reset() { sqlite3_reset(st_); }
  // Runs the statement to its end.
  bool run();

  int64_t integer(int column) const { return sqlite3_column_int64(st_, column); }
  std::string_view text(int column) const;

 private:
  database &db_;
  sqlite3_stmt *st_ = nullptr;
};

// BEGIN IMMEDIATE (the write lock at once) or BEGIN (a read); rolled back unless committed.
class transaction {
 public:
  transaction(database &db, bool write);
  ~transaction();
  transaction(const transaction &) = delete;
  transaction &operator=(const transaction &) = delete;

  bool begun() const { return begun_; }
  bool commit();

 private:
  database &db_;
  bool begun_ = false;
};

}  // namespace vdcsim::sql

#endif  // VDCSIM_SQLITE_H
