// The displays the benchmark measures, each over one size of response, with its floor: the
// same output from the same printf/putchar/puts calls, their values worked out beforehand,
// with no platform call in the loop.
#ifndef ZMS_BENCH_SHOW_CASES_H
#define ZMS_BENCH_SHOW_CASES_H

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "standin.h"

namespace zms_bench {

struct port {
  uint32_t ifindex;
  standin::interface service;  // what the interface manager says about it
};

struct show_case {
  int32_t (*library)(cmd_handle) = nullptr;
  cmd_ctx command;
  std::vector<port> ports;      // the interface manager's ports
  std::function<void()> floor;  // prints what the library prints for `command`
  // The floor with the C library's ctime called where the library calls it; detail only.
  std::function<void()> ctime_floor;
};

// The summary table and the detail listing over `vdcs` VDCs.
std::unique_ptr<show_case> summary_case(uint32_t vdcs);
std::unique_ptr<show_case> detail_case(uint32_t vdcs);
// The membership and membership status listings over `ports` ports, in the default VDC.
std::unique_ptr<show_case> membership_case(uint32_t ports);
std::unique_ptr<show_case> status_case(uint32_t ports);

// The stand-in as the case needs it: defaults, call log off, the case's ports.
void install(const show_case &c);

// Runs the library's display once, from the first attribute of its response.
int32_t run_library(show_case &c);

// "vdc-7" from "vdc-" and 7.
inline std::string numbered(const char *prefix, uint32_t number) {
  std::string text(prefix);
  return text.append(std::to_string(number));
}

// A text's length as printf's "%.*s" takes it.
inline int precision(const std::string &text) {
  return static_cast<int>(text.size());
}

}  // namespace zms_bench

#endif  // ZMS_BENCH_SHOW_CASES_H
