// Chassis files: YAML (JSON is YAML too) in the schema of sim/CHASSIS.md. A file is checked whole
// before anything of it is used; the first fault is reported with the file's name, the line and
// column, the path of the field and what was expected.
#ifndef VDCSIM_CHASSIS_FILE_H
#define VDCSIM_CHASSIS_FILE_H

#include <string>
#include <string_view>

#include "chassis/chassis.h"

namespace vdcsim {

// Reads `text` as the chassis file `file_name`. On failure `out` is untouched and
// `error` holds one line: "FILE:LINE:COLUMN: PATH: what is wrong".
bool parse_chassis(std::string_view text, const std::string &file_name, chassis &out,
                   std::string &error);
bool load_chassis(const std::string &path, chassis &out, std::string &error);

// The whole model as a chassis file that parse_chassis reads back unchanged.
std::string chassis_to_yaml(const chassis &c);

// Times in chassis files: seconds since the epoch, or "YYYY-MM-DDTHH:MM:SSZ".
std::string format_time(int64_t seconds);

}  // namespace vdcsim

#endif  // VDCSIM_CHASSIS_FILE_H
