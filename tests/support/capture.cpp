#include "capture.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <sstream>
#include <stdexcept>

namespace zms_test {

std::string capture_stdout(const std::function<void()> &fn) {
  fflush(stdout);
  FILE *sink = tmpfile();
  if (sink == nullptr) throw std::runtime_error("tmpfile failed");
  int saved = dup(STDOUT_FILENO);
  dup2(fileno(sink), STDOUT_FILENO);
  fn();
  fflush(stdout);
  dup2(saved, STDOUT_FILENO);
  close(saved);
  std::string out;
  rewind(sink);
  char buf[4096];
  for (size_t n; (n = fread(buf, 1, sizeof buf, sink)) > 0;)
    out.append(buf, n);
  fclose(sink);
  return out;
}

// A match result as text, its blocks freed: the fields, then the value (a word, or the
// 68-byte name key as its id and name), the text and the message.
std::string match_text(cmd_match_result *r) {
  if (r == nullptr) return "none\n";
  std::ostringstream o;
  o << "status " << r->status << " count " << r->count << " value_len " << r->value_len
    << " second_len " << r->second_len << "\n";
  uint32_t word = 0;
  if (r->value != nullptr) std::memcpy(&word, r->value, sizeof word);
  if (r->value != nullptr && r->value_len == VDC_NAME_KEY_LEN) {
    const char *name = static_cast<const char *>(r->value) + 4;
    size_t len = strnlen(name, VDC_NAME_KEY_NAME_LEN);
    bool zero_filled =
        std::all_of(name + len, name + VDC_NAME_KEY_NAME_LEN, [](char c) { return c == 0; });
    o << "value key " << std::hex << word << std::dec << " " << std::string(name, len)
      << (zero_filled ? "" : " and more bytes") << "\n";
  } else if (r->value != nullptr) {
    o << "value word " << word << "\n";
  }
  if (r->text != nullptr) o << "text " << r->text << "\n";
  if (r->message != nullptr) o << "message " << r->message << "\n";
  standin::free_match(r);
  return o.str();
}

temp_dir::temp_dir() {
  const char *base = getenv("TMPDIR");
  std::string pattern = std::string(base ? base : "/tmp") + "/zms-test-XXXXXX";
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

temp_dir::~temp_dir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

}  // namespace zms_test
