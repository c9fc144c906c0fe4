#include "ratio_report.h"

#include <cstdio>
#include <ostream>

namespace zms_bench {
namespace {

// How far each display may lie above its floor; the per-port platform calls of the two
// membership listings are part of the contract.
double ratio_goal(const std::string &display) {
  return display == "membership" || display == "status" ? 1.5 : 1.15;
}
constexpr double flatness_goal = 1.15;

// GROUP/VARIANT/SIZE; other names give an empty group.
std::tuple<std::string, std::string, long> parse(const std::string &name) {
  size_t first = name.find('/');
  size_t second = first == std::string::npos ? first : name.find('/', first + 1);
  if (second == std::string::npos) return {};
  return {name.substr(0, first), name.substr(first + 1, second - first - 1),
          std::stol(name.substr(second + 1))};
}

std::string format(const char *pattern, double value) {
  char text[32];
  std::snprintf(text, sizeof text, pattern, value);
  return text;
}

std::string micros(double ns, double spread) {
  return format("%.1f", ns / 1e3) + format(" (%.1f%%)", spread * 100);
}

}  // namespace

void ratio_report::ReportRuns(const std::vector<Run> &runs) {
  ConsoleReporter::ReportRuns(runs);
  for (auto &run : runs) {
    if (run.error_occurred) continue;
    bool aggregate = run.run_type == Run::RT_Aggregate;
    bool fastest = aggregate && run.aggregate_name == "min";
    auto &f = measured_[parse(run.run_name.str())];
    if (aggregate && run.aggregate_name == "cv") f.spread = run.cpu_accumulated_time;
    if ((aggregate && !fastest) || (f.fastest && !fastest)) continue;
    f.cpu_ns = run.GetAdjustedCPUTime() * 1e9 / benchmark::GetTimeUnitMultiplier(run.time_unit);
    auto bytes = run.counters.find("bytes");
    if (bytes != run.counters.end()) f.bytes = bytes->second.value;
    f.fastest = fastest;
  }
}

void ratio_report::Finalize() {
  auto &out = GetOutputStream();
  print_ratios(out);
  print_flatness(out);
  print_costs(out);
}

// One row per floor: DISPLAY/floor/SIZE, and any other DISPLAY/floor_.../SIZE.
void ratio_report::print_ratios(std::ostream &out) const {
  out << "\n| display | size | output bytes | library µs (cv) | floor | floor µs (cv) | "
         "library / floor | goal |\n| --- | ---: | ---: | ---: | --- | ---: | ---: | --- |\n";
  for (auto &[n, f] : measured_) {
    auto &[group, variant, size] = n;
    auto library = measured_.find({group, "library", size});
    if (variant.rfind("floor", 0) != 0 || library == measured_.end()) continue;
    auto &lib = library->second;
    double ratio = lib.cpu_ns / f.cpu_ns;
    double goal = ratio_goal(group);
    out << "| " << group << " | " << size << " | " << format("%.0f", lib.bytes) << " | "
        << micros(lib.cpu_ns, lib.spread) << " | " << variant << " | " << micros(f.cpu_ns, f.spread)
        << " | " << format("%.3f", ratio) << " | " << (ratio <= goal ? "met" : "missed")
        << format(" (%.2f)", goal) << " |\n";
  }
}

// Library time per output byte, largest size against the smallest.
void ratio_report::print_flatness(std::ostream &out) const {
  out << "\n| display | ns per byte, smallest | ns per byte, largest | growth | goal |\n"
         "| --- | ---: | ---: | ---: | --- |\n";
  for (auto first = measured_.begin(); first != measured_.end();) {
    auto &[group, variant, size] = first->first;
    auto last = first;
    for (auto next = first; next != measured_.end() && std::get<0>(next->first) == group &&
                            std::get<1>(next->first) == variant;
         ++next)
      last = next;
    if (variant == "library" && first->second.bytes > 0 && last != first) {
      double small = first->second.cpu_ns / first->second.bytes;
      double large = last->second.cpu_ns / last->second.bytes;
      out << "| " << group << " | " << format("%.3f", small) << " | " << format("%.3f", large)
          << " | " << format("%+.1f%%", (large / small - 1) * 100) << " | "
          << (large / small <= flatness_goal ? "met" : "missed") << " |\n";
    }
    first = std::next(last);
  }
}

// Benchmarks without a floor: cost per call.
void ratio_report::print_costs(std::ostream &out) const {
  out << "\n| benchmark | size | µs per call (cv) |\n| --- | ---: | ---: |\n";
  for (auto &[n, f] : measured_) {
    auto &[group, variant, size] = n;
    if (group.empty() || variant == "library" || variant.rfind("floor", 0) == 0) continue;
    out << "| " << group << "/" << variant << " | " << size << " | "
        << format("%.2f", f.cpu_ns / 1e3) << format(" (%.1f%%)", f.spread * 100) << " |\n";
  }
}

}  // namespace zms_bench
