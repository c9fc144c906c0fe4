#include "chassis/document.h"

#include "chassis/plain_scalar.h"

#include <yaml-cpp/depthguard.h>
#include <yaml-cpp/eventhandler.h>
#include <yaml-cpp/exceptions.h>
#include <yaml-cpp/parser.h>

#include <exception>
#include <optional>
#include <sstream>

namespace vdcsim::doc {
namespace {

constexpr size_t max_depth = 64;
// Bounds the memory a document can take, whatever its shape: a full chassis of 16,384
// interfaces holds about 70,000 values.
constexpr size_t max_values = 1u << 18;

// A fault found while the events come in; it ends the parse.
struct fault {
  position at;
  std::string message;
};

position at(const YAML::Mark &mark) {
  if (mark.line < 0) return position{};
  return position{mark.line + 1, mark.column + 1};
}

// Builds the tree from the parser's events. A frame is an open list or object; each is
// the last element of the one below it, so its address holds while it is open. After a
// fault the events are only read on, so that a syntax error further on is the one told.
class builder : public YAML::EventHandler {
 public:
  explicit builder(std::string_view text, value &root) : text_(text), root_(root) {}
  const std::optional<fault> &failed() const { return fault_; }

  void OnDocumentStart(const YAML::Mark &) override {}
  void OnDocumentEnd() override {}
  void OnNull(const YAML::Mark &mark, YAML::anchor_t anchor) override {
    if (fault_) return;
    value v;
    v.at = at(mark);
    v.text = null_text(mark);
    add(std::move(v), anchor);
  }
  void OnAlias(const YAML::Mark &mark, YAML::anchor_t anchor) override {
    if (fault_) return;
    value v = anchor < anchored_.size() ? anchored_[anchor] : value{};
    v.at = at(mark);
    if (count_values(v, v.at)) add(std::move(v), 0, false);
  }
  void OnScalar(const YAML::Mark &mark, const std::string &tag, YAML::anchor_t anchor,
                const std::string &text) override {
    if (fault_) return;
    value v;
    v.type = kind::string;
    v.at = at(mark);
    v.text = text;
    if (tag == "?") classify_plain(v);
    add(std::move(v), anchor);
  }
  void OnSequenceStart(const YAML::Mark &mark, const std::string &, YAML::anchor_t anchor,
                       YAML::EmitterStyle::value) override {
    open(mark, kind::list, anchor);
  }
  void OnSequenceEnd() override {
    if (!fault_) close();
  }
  void OnMapStart(const YAML::Mark &mark, const std::string &, YAML::anchor_t anchor,
                  YAML::EmitterStyle::value) override {
    open(mark, kind::object, anchor);
  }
  void OnMapEnd() override {
    if (!fault_) close();
  }

 private:
  struct frame {
    value *v;
    YAML::anchor_t anchor;
    bool key_next = true;  // in an object: the next scalar names a field
    std::string key;
  };

  // yaml-cpp reports ~ and null as null without their text: it is taken from the file.
  std::string null_text(const YAML::Mark &mark) const {
    if (mark.pos < 0) return "";
    std::string_view rest = text_.substr(std::min(text_.size(), static_cast<size_t>(mark.pos)));
    for (std::string_view word : {"~", "null", "Null", "NULL"}) {
      bool ends =
          rest.size() == word.size() ||
          (rest.size() > word.size() &&
           std::string_view(" \t\r\n,]}#").find(rest[word.size()]) != std::string_view::npos);
      if (rest.starts_with(word) && ends) return std::string(word);
    }
    return "";
  }

  bool fail(position where, std::string message) {
    if (!fault_) fault_ = fault{where, std::move(message)};
    return false;
  }

  // Counts the values of `v`; too many are reported at `where`, the alias or the anchor.
  bool count_values(const value &v, position where) {
    if (++values_ > max_values)
      return fail(where, "more than " + std::to_string(max_values) + " values");
    for (auto &item : v.items)
      if (!count_values(item, where)) return false;
    return true;
  }

  // Puts `v` where the open frame wants it; returns where it went, if it is a value.
  value *add(value v, YAML::anchor_t anchor, bool count = true) {
    if (count && ++values_ > max_values) {
      fail(v.at, "more than " + std::to_string(max_values) + " values");
      return nullptr;
    }
    if (anchor != 0) remember(anchor, v);
    if (frames_.empty()) {
      root_ = std::move(v);
      return &root_;
    }
    frame &f = frames_.back();
    if (f.v->type == kind::list) {
      f.v->items.push_back(std::move(v));
      return &f.v->items.back();
    }
    if (f.key_next) {
      if (!v.scalar()) return fail(v.at, "expected a field name"), nullptr;
      if (f.v->member(v.text) != nullptr)
        return fail(v.at, "duplicate field \"" + v.text + "\""), nullptr;
      f.key = std::move(v.text);
      f.key_next = false;
      --values_;  // names are not values
      return nullptr;
    }
    f.key_next = true;
    f.v->names.push_back(std::move(f.key));
    f.v->items.push_back(std::move(v));
    return &f.v->items.back();
  }

  void open(const YAML::Mark &mark, kind type, YAML::anchor_t anchor) {
    if (fault_) return;
    value v;
    v.type = type;
    v.at = at(mark);
    if (frames_.size() == max_depth) return void(fail(v.at, "nested too deeply"));
    value *placed = add(std::move(v), 0);
    if (placed != nullptr) frames_.push_back(frame{placed, anchor, true, ""});
  }

  void close() {
    frame f = frames_.back();
    frames_.pop_back();
    if (f.anchor != 0) remember(f.anchor, *f.v);
  }

  // A copy kept for the aliases counts as values too: anchors nested in anchors would
  // otherwise copy a file many times over.
  void remember(YAML::anchor_t anchor, const value &v) {
    if (!count_values(v, v.at)) return;
    if (anchored_.size() <= anchor) anchored_.resize(anchor + 1);
    anchored_[anchor] = v;
  }

  std::string_view text_;
  value &root_;
  std::vector<frame> frames_;
  std::vector<value> anchored_;  // by anchor
  size_t values_ = 0;
  std::optional<fault> fault_;
};

// Any event is the start of a second document: the file holds one.
class no_more : public YAML::EventHandler {
 public:
  void OnDocumentStart(const YAML::Mark &mark) override {
    throw fault{at(mark), "more than one document"};
  }
  void OnDocumentEnd() override {}
  void OnNull(const YAML::Mark &, YAML::anchor_t) override {}
  void OnAlias(const YAML::Mark &, YAML::anchor_t) override {}
  void OnScalar(const YAML::Mark &, const std::string &, YAML::anchor_t,
                const std::string &) override {}
  void OnSequenceStart(const YAML::Mark &, const std::string &, YAML::anchor_t,
                       YAML::EmitterStyle::value) override {}
  void OnSequenceEnd() override {}
  void OnMapStart(const YAML::Mark &, const std::string &, YAML::anchor_t,
                  YAML::EmitterStyle::value) override {}
  void OnMapEnd() override {}
};

}  // namespace

const value *value::member(std::string_view name) const {
  if (type != kind::object) return nullptr;
  for (size_t i = 0; i < names.size(); ++i)
    if (names[i] == name) return &items[i];
  return nullptr;
}

bool parse(std::string_view text, value &out, parse_error &error) {
  std::istringstream in{std::string(text)};
  try {
    YAML::Parser parser(in);
    value root;
    builder build(text, root);
    if (!parser.HandleNextDocument(build)) throw fault{position{}, "the file holds no document"};
    if (build.failed()) throw *build.failed();
    no_more rest;
    parser.HandleNextDocument(rest);
    out = std::move(root);
    return true;
  } catch (const fault &f) {
    error = parse_error{f.at, f.message};
  } catch (const YAML::DeepRecursion &e) {
    error = parse_error{at(e.mark), "nested too deeply"};
  } catch (const YAML::Exception &e) {
    error = parse_error{at(e.mark), "not valid YAML: " + e.msg};
  } catch (const std::exception &e) {
    error = parse_error{position{}, std::string("cannot be read: ") + e.what()};
  }
  return false;
}

const char *describe(kind type) {
  switch (type) {
    case kind::null:
      return "null";
    case kind::boolean:
      return "true or false";
    case kind::number:
      return "a number";
    case kind::string:
      return "a string";
    case kind::list:
      return "a list";
    case kind::object:
      return "an object";
  }
  return "a value";
}

}  // namespace vdcsim::doc
