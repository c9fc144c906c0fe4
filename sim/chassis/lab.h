// A lab: the model of one simulated switch in an SQLite database that every shell on it
// opens, the first shell, the shells nested in it and shells in other terminals alike.
// Each section of the chassis is a table, a record a row (lab_rows.h); a second set of
// tables keeps the chassis the lab began with, for the running configuration. Each
// section has a generation, raised by every write to it, so that a shell reads again
// only what another shell changed. Every change is one write transaction that reads
// the model as it is, changes it and writes the rows that differ: no change is lost to
// another shell, and one that was committed survives the shell being killed.
#ifndef VDCSIM_LAB_H
#define VDCSIM_LAB_H

#include <functional>
#include <map>
#include <set>
#include <string>

#include "chassis/chassis.h"
#include "chassis/sqlite.h"

namespace vdcsim {

// How long a shell waits for another shell's change to end before it gives up.
constexpr int lab_busy_ms = 10000;

class lab {
 public:
  enum class found { nothing, lab, other };
  // What `path` holds: no file (or an empty one), a lab, or something else (`why`).
  static found probe(const std::string &path, std::string &why);

  // Makes a new lab at `path` (":memory:" for one no other shell can open) holding
  // `start`; false with `error` when `path` holds a database already or cannot be written.
  bool create(const std::string &path, const chassis &start, std::string &error);
  // Opens the lab at `path` and reads its model.
  bool open(const std::string &path, chassis &model, std::string &error);

  void close() { db_.close(); }

  // Brings `model` to the lab as it is now; false with error() when it cannot be read.
  bool refresh(chassis &model);
  // Runs `edit` on the model as it is now inside one write transaction and writes what
  // it changed. Returns "" or why the change was refused or could not be written; a
  // refused change leaves the model as the lab holds it.
  std::string change(chassis &model, const std::function<std::string(chassis &)> &edit);
  // The chassis the lab began with.
  bool read_start(chassis &start, std::string &error);

  // What a nested shell hands back to the shell that started it (`shell`, its process
  // id): how many of its commands failed and the last line of the script it read.
  bool hand_back(int64_t shell, int failures, long line);
  bool take_back(int64_t shell, int &failures, long &line);

  const std::string &error() const { return db_.error(); }
  // Counts the reads and writes of sections other than the chassis's own fields (the
  // clock among them): the platform's tables are built again when it moves.
  uint64_t changes() const { return changes_; }

 private:
  std::set<std::string> stale_sections();
  bool read(chassis &model);
  bool write(const chassis &now);

  sql::database db_;
  chassis base_;                               // the model as the lab held it when last read
  std::map<std::string, int64_t> generation_;  // by section, as last read
  int64_t data_version_ = -1;
  std::set<std::string> written_;  // by the last change
  uint64_t changes_ = 0;
};

}  // namespace vdcsim

#endif  // VDCSIM_LAB_H
