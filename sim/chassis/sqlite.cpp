#include "chassis/sqlite.h"

#include <cstring>

namespace vdcsim::sql {

bool database::open(const std::string &path, int flags, int busy_ms) {
  close();
  error_.clear();
  int code = sqlite3_open_v2(path.c_str(), &db_, flags, nullptr);
  if (code != SQLITE_OK) {
    error_ = db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(code);
    close();
    return false;
  }
  sqlite3_extended_result_codes(db_, 1);
  sqlite3_busy_timeout(db_, busy_ms);
  return true;
}

void database::close() {
  sqlite3_close_v2(db_);
  db_ = nullptr;
}

void database::fail(int code) {
  if (!error_.empty()) return;
  const char *message = db_ ? sqlite3_errmsg(db_) : nullptr;
  error_ = message && sqlite3_errcode(db_) == code ? message : sqlite3_errstr(code);
  int system_error = db_ ? sqlite3_system_errno(db_) : 0;
  bool disk = (code & 0xff) == SQLITE_IOERR || (code & 0xff) == SQLITE_FULL;
  if (disk && system_error != 0) error_ += std::string(" (") + std::strerror(system_error) + ")";
}

bool database::exec(const std::string &sql) {
  int code = sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr);
  if (code != SQLITE_OK) fail(code);
  return code == SQLITE_OK;
}

int64_t database::number(const std::string &sql, int64_t fallback) {
  statement st(*this, sql);
  return st.step() ? st.integer(0) : fallback;
}

statement::statement(database &db, const std::string &sql) : db_(db) {
  int code = sqlite3_prepare_v2(db.handle(), sql.c_str(), -1, &st_, nullptr);
  if (code != SQLITE_OK) db.fail(code);
}

void statement::bind(int column, int64_t value) {
  sqlite3_bind_int64(st_, column, value);
}

void statement::bind(int column, std::string_view value) {
  sqlite3_bind_text(st_, column, value.data(), static_cast<int>(value.size()), SQLITE_TRANSIENT);
}

bool statement::step() {
  if (st_ == nullptr) return false;
  int code = sqlite3_step(st_);
  if (code == SQLITE_ROW) return true;
  if (code != SQLITE_DONE) db_.fail(code);
  return false;
}

bool statement::run() {
  while (step()) {
  }
  reset();
  return db_.ok();
}

std::string_view statement::text(int column) const {
  auto *data = reinterpret_cast<const char *>(sqlite3_column_text(st_, column));
  return data ? std::string_view(data, static_cast<size_t>(sqlite3_column_bytes(st_, column)))
              : std::string_view();
}

transaction::transaction(database &db, bool write) : db_(db) {
  begun_ = db.exec(write ? "BEGIN IMMEDIATE" : "BEGIN");
}

transaction::~transaction() {
  if (begun_) sqlite3_exec(db_.handle(), "ROLLBACK", nullptr, nullptr, nullptr);
}

bool transaction::commit() {
  if (!begun_ || !db_.ok()) return false;
  begun_ = false;
  if (db_.exec("COMMIT")) return true;
  sqlite3_exec(db_.handle(), "ROLLBACK", nullptr, nullptr, nullptr);
  return false;
}

}  // namespace vdcsim::sql
