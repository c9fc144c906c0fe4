// The events of a chassis file as libyaml's parser reads them, one document of them, with
// aliases replaced by the values they repeat and bounds that hold as the events arrive:
// 64 levels of nesting, and 4 MiB repeated through aliases (each value's text and one byte
// a value). A value can be recorded as it passes and read again later.
#ifndef VDCSIM_YAML_EVENTS_H
#define VDCSIM_YAML_EVENTS_H

#include <yaml.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace vdcsim {

struct mark {
  uint32_t line = 1;
  uint32_t column = 1;
};

enum class ev : uint8_t { scalar, list, object, end, alias };  // end: of a list or an object

struct yevent {
  ev type = ev::end;
  bool plain = false;  // a scalar without quotes or tag: its text says what it is
  mark at;
  std::string_view text;  // a scalar's text; valid until the next event
};

class yaml_events {
 public:
  explicit yaml_events(std::string_view text);
  ~yaml_events();
  yaml_events(const yaml_events &) = delete;
  yaml_events &operator=(const yaml_events &) = delete;

  // The start of the one document; false with a fault when there is none.
  bool start();
  // The next event of the document's value; false with a fault.
  bool next(yevent &e);
  // After the value: the file must end here.
  bool finish();
  // Reads on to the end of the file, for a fault of the file's own syntax.
  void drain();

  // Records the next value without reading it; replay() puts it back in the stream.
  struct span {
    uint32_t begin = 0;
    uint32_t end = 0;
  };
  bool record(span &out);
  void replay(span s);
  bool replaying() const { return !frames_.empty(); }

  bool failed() const { return !fault_.empty(); }
  const mark &fault_at() const { return fault_at_; }
  const std::string &fault() const { return fault_; }
  // Keeps the first fault; a fault of the reader's own lets drain() look for one of the file's.
  bool fail(mark at, std::string message);

 private:
  struct stored {
    ev type;
    bool plain;
    mark at;
    uint32_t offset;  // into texts_; an alias: the anchor
    uint32_t size;
  };
  struct anchor {
    span events;
    uint64_t bytes;  // what an alias repeats
  };
  struct open_anchor {
    std::string name;
    uint32_t begin;
    int depth;
    uint64_t bytes;
  };
  struct frame {
    span left;
    bool alias;
  };

  bool stop(mark at, std::string message);  // a fault of the file's own
  bool pull();
  bool from_parser(yevent &e, bool expand);
  bool from_frames(yevent &e);
  bool alias(mark at, const char *name, bool expand);
  bool repeat(mark at, uint32_t target);
  void keep(const yevent &e, uint32_t target = 0);
  void close_anchors();
  bool end_of_stream();

  yaml_parser_t parser_;
  yaml_event_t raw_;
  bool have_raw_ = false;
  int depth_ = 0;
  std::vector<stored> tape_;
  std::string texts_;
  std::vector<anchor> anchors_;
  std::unordered_map<std::string, uint32_t> names_;
  std::vector<open_anchor> open_;
  std::vector<frame> frames_;
  int recording_ = 0;
  uint64_t bytes_ = 0;       // read from the file so far
  uint64_t repeated_ = 0;    // repeated through aliases so far
  mark alias_at_;            // where the outermost alias being repeated stands
  bool in_document_ = true;  // the document's end not read yet
  bool stopped_ = false;     // the file's own fault
  mark fault_at_;
  std::string fault_;
};

}  // namespace vdcsim

#endif  // VDCSIM_YAML_EVENTS_H
