// Where the benchmark's displays print: /dev/null while measured, memory while compared.
#ifndef ZMS_BENCH_OUTPUT_H
#define ZMS_BENCH_OUTPUT_H

#include <cstdio>
#include <cstdlib>
#include <string>

namespace zms_bench {

// Standard output goes to /dev/null while a benchmark runs: the same sink for both sides,
// fully buffered however the program itself was started.
class stdout_to_null {
 public:
  stdout_to_null() : saved_(stdout), null_(std::fopen("/dev/null", "w")) {
    std::fflush(stdout);
    if (null_ != nullptr) stdout = null_;
  }
  ~stdout_to_null() {
    stdout = saved_;
    if (null_ != nullptr) std::fclose(null_);
  }
  stdout_to_null(const stdout_to_null &) = delete;
  stdout_to_null &operator=(const stdout_to_null &) = delete;

 private:
  FILE *saved_;
  FILE *null_;
};

// Everything `print` writes to standard output, caught in memory.
template <typename Print>
std::string capture(Print print) {
  std::fflush(stdout);
  char *data = nullptr;
  size_t size = 0;
  FILE *memory = open_memstream(&data, &size);
  FILE *saved = stdout;
  stdout = memory;
  print();
  stdout = saved;
  std::fclose(memory);
  std::string out(data, size);
  free(data);
  return out;
}

}  // namespace zms_bench

#endif  // ZMS_BENCH_OUTPUT_H
