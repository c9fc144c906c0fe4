// The sections of a chassis as a lab's tables, one table to a section (lab_rows.h makes
// each record a row), all following visit_sections.
#ifndef VDCSIM_LAB_SECTIONS_H
#define VDCSIM_LAB_SECTIONS_H

#include <set>
#include <string>

#include "chassis/chassis.h"
#include "chassis/sqlite.h"

namespace vdcsim::lab_sections {

// Every table of a lab, and its version: a field more or less is another version.
const std::string &schema();
int64_t schema_version();

// Copies the sections named in `names` (all when null) from one chassis to the other.
void copy(chassis &to, const chassis &from, const std::set<std::string> *names);
// Reads the sections named in `names` (all when null): the lab's model, or with `start`
// the chassis the lab began with.
void read(sql::database &db, chassis &c, const std::set<std::string> *names, bool start);
// Writes the records of `now` that differ from those of `before` (all of them with
// `all`) and returns the names of the sections it wrote.
std::set<std::string> write(sql::database &db, const chassis &now, const chassis &before, bool all);

}  // namespace vdcsim::lab_sections

#endif  // VDCSIM_LAB_SECTIONS_H
