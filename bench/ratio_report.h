// The console report, followed by tables that set each library benchmark beside its floor
// (DISPLAY/library/SIZE and DISPLAY/floor/SIZE) and list the cost of each other benchmark.
// With repetitions, each figure is the fastest repetition: on a shared machine noise only
// adds time. The spread is the coefficient of variation.
#ifndef ZMS_BENCH_RATIO_REPORT_H
#define ZMS_BENCH_RATIO_REPORT_H

#include <benchmark/benchmark.h>

#include <algorithm>
#include <map>
#include <string>
#include <tuple>
#include <vector>

namespace zms_bench {

// The statistic the report reads, registered as "min" on every benchmark.
inline double fastest_repetition(const std::vector<double> &times) {
  return *std::min_element(times.begin(), times.end());
}

class ratio_report : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run> &runs) override;
  void Finalize() override;

 private:
  struct figures {
    double cpu_ns = 0;  // CPU time per iteration
    double bytes = 0;   // output bytes per iteration, when counted
    double spread = 0;  // coefficient of variation over the repetitions
    bool fastest = false;
  };
  using name = std::tuple<std::string, std::string, long>;  // GROUP/VARIANT/SIZE

  void print_ratios(std::ostream &out) const;
  void print_flatness(std::ostream &out) const;
  void print_costs(std::ostream &out) const;

  std::map<name, figures> measured_;
};

}  // namespace zms_bench

#endif  // ZMS_BENCH_RATIO_REPORT_H
