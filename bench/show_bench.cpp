// Each large display beside its floor, at four sizes, printing into /dev/null. The
// benchmarks are named DISPLAY/library/SIZE and DISPLAY/floor/SIZE; the report after the
// run sets them side by side. `zms_bench --check` compares the bytes of the two instead.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>

#include "output.h"
#include "ratio_report.h"
#include "show_cases.h"

namespace zms_bench {
namespace {

struct display {
  const char *name;
  std::unique_ptr<show_case> (*make)(uint32_t);
  bool calls_ctime = false;
};

constexpr display displays[] = {{"summary", summary_case},
                                {"membership", membership_case},
                                {"detail", detail_case, true},
                                {"status", status_case}};

enum class side { library, floor, ctime_floor };
constexpr std::pair<side, const char *> sides[] = {
    {side::library, "library"}, {side::floor, "floor"}, {side::ctime_floor, "floor_ctime"}};
constexpr uint32_t sizes[] = {1024, 4096, 16384, 65536};

// Cases are built once and shared by the library and floor benchmarks of a display and size.
show_case &case_for(const display &d, uint32_t size) {
  static std::map<std::pair<const char *, uint32_t>, std::unique_ptr<show_case>> cases;
  auto &c = cases[{d.name, size}];
  if (!c) c = d.make(size);
  return *c;
}

size_t output_bytes(show_case &c) {
  install(c);
  return capture([&] { run_library(c); }).size();
}

// Out of line, so that callgrind can count this call alone (--toggle-collect).
[[gnu::noinline]] void run_side(show_case &c, side measured) {
  if (measured == side::library)
    benchmark::DoNotOptimize(run_library(c));
  else if (measured == side::floor)
    c.floor();
  else
    c.ctime_floor();
}

void measure(benchmark::State &state, const display &d, uint32_t size, side measured) {
  show_case &c = case_for(d, size);
  size_t bytes = output_bytes(c);
  stdout_to_null quiet;
  for (auto _ : state)
    run_side(c, measured);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
  state.counters["bytes"] = static_cast<double>(bytes);
}

void register_benchmarks() {
  for (auto &d : displays) {
    for (uint32_t size : sizes) {
      for (auto [measured, name] : sides) {
        if (measured == side::ctime_floor && !d.calls_ctime) continue;
        std::string full = d.name + std::string("/") + name + "/" + std::to_string(size);
        benchmark::RegisterBenchmark(full.c_str(), measure, d, size, measured)
            ->Unit(benchmark::kMicrosecond)
            ->ComputeStatistics("min", fastest_repetition);
      }
    }
  }
}

bool same_bytes(const char *what, uint32_t size, const std::string &library,
                const std::string &floor) {
  auto [at, _] = std::mismatch(library.begin(), library.end(), floor.begin(), floor.end());
  bool same = library == floor;
  std::printf("%-18s %6u: %zu bytes, %s", what, size, library.size(),
              same ? "identical\n" : "differ at byte ");
  if (!same) std::printf("%zu\n", static_cast<size_t>(at - library.begin()));
  return same;
}

// Library and floors print the same bytes for every display and size.
int check() {
  int failures = 0;
  for (auto &d : displays) {
    for (uint32_t size : sizes) {
      show_case &c = case_for(d, size);
      install(c);
      std::string library = capture([&] { run_library(c); });
      failures += !same_bytes(d.name, size, library, capture(c.floor));
      if (d.calls_ctime)
        failures += !same_bytes("  with ctime", size, library, capture(c.ctime_floor));
    }
  }
  return failures == 0 ? 0 : 1;
}

// --once DISPLAY SIZE SIDE: one run into /dev/null, for callgrind.
int run_once(const std::string &name, uint32_t size, const std::string &side_name) {
  for (auto &d : displays) {
    for (auto [measured, name_of_side] : sides) {
      if (name != d.name || side_name != name_of_side) continue;
      show_case &c = case_for(d, size);
      install(c);
      stdout_to_null quiet;
      run_side(c, measured);
      return 0;
    }
  }
  std::fprintf(stderr, "zms_bench: no display %s with side %s\n", name.c_str(), side_name.c_str());
  return 2;
}

}  // namespace

void register_name_benchmarks();  // name_bench.cpp

}  // namespace zms_bench

int main(int argc, char **argv) {
  if (argc == 2 && std::strcmp(argv[1], "--check") == 0) return zms_bench::check();
  if (argc == 5 && std::strcmp(argv[1], "--once") == 0)
    return zms_bench::run_once(argv[2], static_cast<uint32_t>(std::atoi(argv[3])), argv[4]);
  zms_bench::register_benchmarks();
  zms_bench::register_name_benchmarks();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  zms_bench::ratio_report report;
  benchmark::RunSpecifiedBenchmarks(&report);
  benchmark::Shutdown();
  return 0;
}
