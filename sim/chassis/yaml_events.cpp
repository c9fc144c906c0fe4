#include "chassis/yaml_events.h"

#include <algorithm>
#include <cstdio>

namespace vdcsim {
namespace {

constexpr int max_depth = 64;
constexpr uint64_t max_repeated = 4u << 20;

mark mark_of(const yaml_mark_t &m) {
  return {static_cast<uint32_t>(m.line + 1), static_cast<uint32_t>(m.column + 1)};
}

// A message is one line, though a quoted name or value in it may hold line breaks and other
// control characters: those are shown as C escapes.
std::string one_line(const std::string &message) {
  std::string shown;
  for (char c : message) {
    auto byte = static_cast<unsigned char>(c);
    if (c == '\n') {
      shown += "\\n";
    } else if (c == '\t') {
      shown += "\\t";
    } else if (byte < 0x20 || byte == 0x7f) {
      char escape[5];
      std::snprintf(escape, sizeof escape, "\\x%02x", byte);
      shown += escape;
    } else {
      shown += c;
    }
  }
  return shown;
}

}  // namespace

yaml_events::yaml_events(std::string_view text) {
  yaml_parser_initialize(&parser_);
  yaml_parser_set_input_string(&parser_, reinterpret_cast<const unsigned char *>(text.data()),
                               text.size());
}

yaml_events::~yaml_events() {
  if (have_raw_) yaml_event_delete(&raw_);
  yaml_parser_delete(&parser_);
}

bool yaml_events::fail(mark at, std::string message) {
  if (fault_.empty()) fault_at_ = at, fault_ = one_line(message);
  return false;
}

bool yaml_events::stop(mark at, std::string message) {
  stopped_ = stopped_ || fault_.empty();
  return fail(at, std::move(message));
}

bool yaml_events::pull() {
  if (have_raw_) yaml_event_delete(&raw_);
  have_raw_ = yaml_parser_parse(&parser_, &raw_) != 0 && raw_.type != YAML_NO_EVENT;
  if (have_raw_) return true;
  const char *problem = parser_.problem ? parser_.problem : "cannot be read";
  mark at = mark_of(parser_.error == YAML_READER_ERROR ? parser_.mark : parser_.problem_mark);
  return stop(at, std::string("not valid YAML: ") + problem);
}

bool yaml_events::start() {
  if (!pull() || !pull()) return false;
  if (raw_.type != YAML_DOCUMENT_START_EVENT) return stop({}, "the file holds no document");
  return true;
}

bool yaml_events::next(yevent &e) {
  if (failed()) return false;
  while (!frames_.empty() && frames_.back().left.begin == frames_.back().left.end)
    frames_.pop_back();
  return frames_.empty() ? from_parser(e, true) : from_frames(e);
}

bool yaml_events::from_parser(yevent &e, bool expand) {
  if (!pull()) return false;
  const yaml_event_t &r = raw_;
  e = yevent{};
  e.at = mark_of(r.start_mark);
  const yaml_char_t *anchor_name = nullptr;
  switch (r.type) {
    case YAML_SCALAR_EVENT:
      e.type = ev::scalar;
      e.plain = r.data.scalar.plain_implicit != 0;
      e.text = {reinterpret_cast<const char *>(r.data.scalar.value), r.data.scalar.length};
      anchor_name = r.data.scalar.anchor;
      break;
    case YAML_SEQUENCE_START_EVENT:
      e.type = ev::list;
      anchor_name = r.data.sequence_start.anchor;
      break;
    case YAML_MAPPING_START_EVENT:
      e.type = ev::object;
      anchor_name = r.data.mapping_start.anchor;
      break;
    case YAML_SEQUENCE_END_EVENT:
    case YAML_MAPPING_END_EVENT:
      e.type = ev::end;
      break;
    case YAML_ALIAS_EVENT:
      if (!alias(e.at, reinterpret_cast<const char *>(r.data.alias.anchor), expand)) return false;
      if (expand) return next(e);
      e.type = ev::alias;
      return true;
    case YAML_DOCUMENT_END_EVENT:
      in_document_ = false;
      return false;
    default:
      return stop(e.at, "not valid YAML");
  }
  uint64_t before = bytes_;
  bytes_ += e.text.size() + 1;
  if (e.type == ev::list || e.type == ev::object) {
    if (++depth_ > max_depth) return stop(e.at, "nested too deeply");
  } else if (e.type == ev::end) {
    --depth_;
  }
  bool container = e.type == ev::list || e.type == ev::object;
  if (anchor_name != nullptr)
    open_.push_back({reinterpret_cast<const char *>(anchor_name),
                     static_cast<uint32_t>(tape_.size()), container ? depth_ : depth_ + 1, before});
  if (!open_.empty() || recording_ > 0) keep(e);
  close_anchors();
  return true;
}

bool yaml_events::alias(mark at, const char *name, bool expand) {
  auto found = names_.find(name);
  if (found == names_.end())
    return stop(at, "not valid YAML: the referenced anchor is not defined");
  bytes_ += anchors_[found->second].bytes;
  if (!open_.empty() || recording_ > 0) keep(yevent{ev::alias, false, at, {}}, found->second);
  return !expand || repeat(at, found->second);
}

bool yaml_events::repeat(mark at, uint32_t target) {
  bool outermost = std::none_of(frames_.begin(), frames_.end(), [](auto &f) { return f.alias; });
  if (outermost) {
    if ((repeated_ += anchors_[target].bytes) > max_repeated)
      return stop(at, "aliases repeat more than " + std::to_string(max_repeated >> 20) + " MiB");
    alias_at_ = at;
  }
  frames_.push_back({anchors_[target].events, true});
  return true;
}

// What an alias repeats stands where the alias does.
bool yaml_events::from_frames(yevent &e) {
  stored s = tape_[frames_.back().left.begin++];
  if (s.type == ev::alias) return repeat(s.at, s.offset) && next(e);
  bool aliased = std::any_of(frames_.begin(), frames_.end(), [](auto &f) { return f.alias; });
  e = yevent{s.type, s.plain, aliased ? alias_at_ : s.at,
             std::string_view(texts_).substr(s.offset, s.size)};
  return true;
}

void yaml_events::keep(const yevent &e, uint32_t target) {
  uint32_t offset = e.type == ev::alias ? target : static_cast<uint32_t>(texts_.size());
  tape_.push_back({e.type, e.plain, e.at, offset, static_cast<uint32_t>(e.text.size())});
  texts_ += e.text;
}

void yaml_events::close_anchors() {
  while (!open_.empty() && depth_ < open_.back().depth) {
    const open_anchor &a = open_.back();
    names_[a.name] = static_cast<uint32_t>(anchors_.size());
    anchors_.push_back({{a.begin, static_cast<uint32_t>(tape_.size())}, bytes_ - a.bytes});
    open_.pop_back();
  }
}

bool yaml_events::record(span &out) {
  out.begin = static_cast<uint32_t>(tape_.size());
  int base = depth_;
  ++recording_;
  yevent e;
  bool read = from_parser(e, false);
  while (read && depth_ > base)
    read = from_parser(e, false);
  --recording_;
  out.end = static_cast<uint32_t>(tape_.size());
  return read;
}

void yaml_events::replay(span s) {
  frames_.push_back({s, false});
}

bool yaml_events::end_of_stream() {
  if (!pull()) return false;
  if (raw_.type == YAML_DOCUMENT_START_EVENT)
    return stop(mark_of(raw_.start_mark), "more than one document");
  return true;
}

bool yaml_events::finish() {
  yevent e;
  if (failed() || from_parser(e, false) || failed()) return stop(e.at, "not valid YAML");
  return end_of_stream();
}

void yaml_events::drain() {
  if (stopped_ || !in_document_) return;
  mark at = fault_at_;
  std::string kept = std::move(fault_);
  fault_.clear();
  frames_.clear();
  yevent e;
  while (from_parser(e, false)) {
  }
  if (!failed()) end_of_stream();
  if (!failed()) fault_at_ = at, fault_ = std::move(kept);
}

}  // namespace vdcsim
