// What a call prints on standard output, for golden-text tests.
#ifndef ZMS_TEST_CAPTURE_H
#define ZMS_TEST_CAPTURE_H

#include <functional>
#include <string>
#include <utility>

#include "standin.h"

namespace zms_test {

std::string capture_stdout(const std::function<void()> &fn);

// The result of `fn` and what it printed.
template <typename Fn>
auto run_captured(Fn fn) {
  decltype(fn()) result{};
  std::string out = capture_stdout([&] { result = fn(); });
  return std::make_pair(result, out);
}

// A fresh platform and a command with these response attributes.
inline cmd_ctx command(std::vector<standin::attribute> response = {},
                       std::vector<standin::attribute> request = {}) {
  standin::reset();
  cmd_ctx cmd;
  cmd.response = std::move(response);
  cmd.request = std::move(request);
  return cmd;
}

}  // namespace zms_test

#endif  // ZMS_TEST_CAPTURE_H
