// The chassis-file reader on any text. A file either loads into a model that, written out
// and read again, is the same model, or is refused with one line that names the file and
// the line and column of the fault; anything else, like a crash, a leak or undefined
// behaviour, is a fault.
#include <cctype>
#include <cstdlib>
#include <string>
#include <string_view>

#include "chassis/chassis_file.h"

namespace {

const std::string file_name = "fuzz.yaml";

// "fuzz.yaml:LINE:COLUMN: ..." with LINE and COLUMN whole numbers.
bool names_file_and_place(std::string_view error) {
  if (!error.starts_with(file_name + ":")) return false;
  error.remove_prefix(file_name.size() + 1);
  for (int part = 0; part < 2; ++part) {
    size_t digits = 0;
    while (digits < error.size() && isdigit(static_cast<unsigned char>(error[digits])))
      ++digits;
    if (digits == 0 || digits == error.size() || error[digits] != ':') return false;
    error.remove_prefix(digits + 1);
  }
  return error.find('\n') == std::string_view::npos;
}

// Written, read and written again, the model gives the same text: nothing is lost or changed.
bool round_trips(const vdcsim::chassis &loaded) {
  std::string written = vdcsim::chassis_to_yaml(loaded);
  vdcsim::chassis again;
  std::string error;
  if (!vdcsim::parse_chassis(written, file_name, again, error)) return false;
  return vdcsim::chassis_to_yaml(again) == written;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  std::string_view text(reinterpret_cast<const char *>(data), size);
  vdcsim::chassis loaded;
  std::string error;
  bool read = vdcsim::parse_chassis(text, file_name, loaded, error);
  if (read ? !round_trips(loaded) : !names_file_and_place(error)) abort();
  return 0;
}
