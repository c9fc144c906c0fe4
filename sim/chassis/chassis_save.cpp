// Writing the model as a chassis file with libyaml's emitter, field by field as the table
// has them: a field that a new record holds by default is left out unless its row says it
// is always spelt out, and so is an empty section. Short records stand on one line each.
#include <yaml.h>

#include <concepts>
#include <cstdio>
#include <ctime>

#include "chassis/chassis_file.h"
#include "chassis/fields.h"

namespace vdcsim {
namespace {

constexpr size_t most_rows_on_one_line = 9;

class emitter {
 public:
  emitter() {
    yaml_emitter_initialize(&e_);
    yaml_emitter_set_output(&e_, append, &out_);
    yaml_emitter_set_unicode(&e_, 1);
    yaml_emitter_set_width(&e_, -1);
    emit(yaml_stream_start_event_initialize, YAML_UTF8_ENCODING);
    emit(yaml_document_start_event_initialize, nullptr, nullptr, nullptr, 1);
  }
  ~emitter() { yaml_emitter_delete(&e_); }
  emitter(const emitter &) = delete;
  emitter &operator=(const emitter &) = delete;

  void scalar(std::string_view text) {
    auto *value = const_cast<char *>(text.data());
    emit(yaml_scalar_event_initialize, nullptr, nullptr, reinterpret_cast<yaml_char_t *>(value),
         static_cast<int>(text.size()), 1, 1, YAML_ANY_SCALAR_STYLE);
  }
  void object(bool flow) {
    emit(yaml_mapping_start_event_initialize, nullptr, nullptr, 1,
         flow ? YAML_FLOW_MAPPING_STYLE : YAML_BLOCK_MAPPING_STYLE);
  }
  void list(bool flow) {
    emit(yaml_sequence_start_event_initialize, nullptr, nullptr, 1,
         flow ? YAML_FLOW_SEQUENCE_STYLE : YAML_BLOCK_SEQUENCE_STYLE);
  }
  void end_object() { emit(yaml_mapping_end_event_initialize); }
  void end_list() { emit(yaml_sequence_end_event_initialize); }
  std::string finish() {
    emit(yaml_document_end_event_initialize, 1);
    emit(yaml_stream_end_event_initialize);
    return std::move(out_);
  }

 private:
  static int append(void *out, unsigned char *buffer, size_t size) {
    static_cast<std::string *>(out)->append(reinterpret_cast<const char *>(buffer), size);
    return 1;
  }
  template <class Make, class... Args>
  void emit(Make make, Args... args) {
    yaml_event_t ev;
    if (make(&ev, args...)) yaml_emitter_emit(&e_, &ev);
  }
  yaml_emitter_t e_;
  std::string out_;
};

void put(emitter &w, field_kind kind, std::integral auto value) {
  if (kind == field_kind::code) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%x", static_cast<uint32_t>(value));
    return w.scalar(text);
  }
  w.scalar(kind == field_kind::time ? format_time(value) : std::to_string(value));
}
void put(emitter &w, field_kind, bool value) {
  w.scalar(value ? "true" : "false");
}
void put(emitter &w, field_kind, const std::string &value) {
  w.scalar(value);
}
void put(emitter &w, field_kind, event_kind value) {
  w.scalar(event_kind_name(value));
}
void put(emitter &w, field_kind kind, const vlan_range &r) {
  w.list(true);
  put(w, kind, r.low);
  put(w, kind, r.high);
  w.end_list();
}
template <class T>
void put(emitter &w, field_kind kind, const std::vector<T> &items) {
  w.list(true);
  for (auto &item : items)
    put(w, kind, item);
  w.end_list();
}

template <class R>
bool spelt_out(const field<R> &f, const R &r) {
  static const R fresh{};
  return f.written == spelt::always ||
         std::visit([&](auto p) { return !(r.*p == fresh.*p); }, f.at);
}

template <class R>
void fields(emitter &w, const R &r) {
  for (auto &f : fields_of<R>::rows)
    if (spelt_out(f, r)) {
      w.scalar(f.name);
      std::visit([&](auto p) { put(w, f.kind, r.*p); }, f.at);
    }
}

struct section_writer {
  emitter &w;

  template <class R>
  void record(std::string_view name, const R &r) {
    if (name.empty()) return fields(w, r);
    bool empty = true;
    for (auto &f : fields_of<R>::rows)
      empty = empty && !spelt_out(f, r);
    if (empty) return;
    w.scalar(name);
    w.object(false);
    fields(w, r);
    w.end_object();
  }
  template <class R>
  void list(std::string_view name, const std::vector<R> &items, bool) {
    if (items.empty()) return;
    w.scalar(name);
    w.list(false);
    for (auto &item : items) {
      w.object(fields_of<R>::rows.size() <= most_rows_on_one_line);
      fields(w, item);
      w.end_object();
    }
    w.end_list();
  }
};

}  // namespace

std::string format_time(int64_t seconds) {
  time_t t = static_cast<time_t>(seconds);
  struct tm tm {};
  gmtime_r(&t, &tm);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &tm);
  return text;
}

std::string chassis_to_yaml(const chassis &c) {
  emitter w;
  w.object(false);
  visit_sections(c, section_writer{w});
  w.end_object();
  return "# vdcsim chassis (sim/CHASSIS.md)\n" + w.finish();
}

}  // namespace vdcsim
