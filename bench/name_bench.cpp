// The parser's VDC-name callbacks while the switch has many VDCs: cost per call, named
// names/CALLBACK/VDCS. Help lists every name, into /dev/null.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "output.h"
#include "ratio_report.h"
#include "show_cases.h"

namespace zms_bench {
namespace {

constexpr uint32_t vdc_counts[] = {256, 1024, 4096};

// Names of one length, vdc-00001 on: no name is passed over for its length alone.
std::string vdc_name(uint32_t id) {
  char name[16];
  std::snprintf(name, sizeof name, "vdc-%05u", id);
  return name;
}

void install_vdcs(uint32_t count) {
  standin::reset();
  standin::set_call_log(false);
  for (uint32_t id = 1; id <= count; ++id)
    standin::platform().vdcs.push_back({id, vdc_name(id)});
}

using match = cmd_match_result *(*)(cmd_handle, const char *, int32_t);

// The word is the last VDC's name, or a new one of the same length, so that a lookup
// passes every name.
void matching(benchmark::State &state, uint32_t vdcs, match callback, bool taken, int32_t mode) {
  install_vdcs(vdcs);
  std::string word = taken ? vdc_name(vdcs) : "edge-0002";
  cmd_ctx cmd;
  for (auto _ : state)
    standin::free_match(callback(&cmd, word.c_str(), mode));
}

void helping(benchmark::State &state, uint32_t vdcs) {
  install_vdcs(vdcs);
  cmd_ctx cmd;
  stdout_to_null quiet;
  for (auto _ : state)
    benchmark::DoNotOptimize(vdc_mgr_show_e_name_help(&cmd, ""));
}

}  // namespace

void register_name_benchmarks() {
  struct row {
    const char *name;
    match callback;
    bool taken;
    int32_t mode;
  };
  constexpr row rows[] = {{"new_name_free", vdc_mgr_show_new_name_match, false, 0},
                          {"new_name_taken", vdc_mgr_show_new_name_match, true, 0},
                          {"e_name_complete", vdc_mgr_show_e_name_match, true, 0},
                          {"e_name_prefix", vdc_mgr_show_e_name_match, true, 1},
                          {"no_def_name_complete", vdc_mgr_show_no_def_name_match, true, 0}};
  for (uint32_t vdcs : vdc_counts) {
    std::string size = numbered("/", vdcs);
    for (auto &r : rows)
      benchmark::RegisterBenchmark((std::string("names/") + r.name + size).c_str(), matching, vdcs,
                                   r.callback, r.taken, r.mode)
          ->ComputeStatistics("min", fastest_repetition);
    benchmark::RegisterBenchmark(("names/e_name_help" + size).c_str(), helping, vdcs)
        ->ComputeStatistics("min", fastest_repetition);
  }
}

}  // namespace zms_bench
