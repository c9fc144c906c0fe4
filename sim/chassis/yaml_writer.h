// Writes YAML text for chassis files: block mappings and lists, short entries as flow
// mappings on one line, strings plain where YAML reads them back as written, double-quoted
// otherwise.
#ifndef VDCSIM_YAML_WRITER_H
#define VDCSIM_YAML_WRITER_H

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vdcsim {

class yaml_writer {
 public:
  void comment(std::string_view text);
  // A field whose value follows on the lines below, indented: `name:`.
  void open(std::string_view name);
  void close() { indent_ -= 2; }
  // An entry of the list just opened; its fields follow with field(), flow-style
  // ("- {a: 1, b: x}") when `flow`, else one to a line.
  void begin_item(bool flow);
  void end_item();

  void text(std::string_view name, std::string_view value);
  void integer(std::string_view name, int64_t value);
  void hex(std::string_view name, uint32_t value);
  void boolean(std::string_view name, bool value);
  void texts(std::string_view name, const std::vector<std::string> &values);
  void integers(std::string_view name, const std::vector<uint32_t> &values);
  // A field whose value is written as given: a flow list, say.
  void raw(std::string_view name, std::string_view value);

  const std::string &str() const { return out_; }

 private:
  void key(std::string_view name);
  void scalar(std::string_view value);
  std::string out_;
  int indent_ = 0;
  bool flow_ = false;   // in a flow mapping
  bool first_ = false;  // nothing written yet in the current entry
};

}  // namespace vdcsim

#endif  // VDCSIM_YAML_WRITER_H
