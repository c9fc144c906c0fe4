// The two displays that grow with the switch: interface membership over many ports and the
// summary table over many VDCs. Output goes to /dev/null; the stand-in's call log is
// cleared outside the timed part.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "standin.h"

namespace {

class stdout_to_null {
 public:
  stdout_to_null() {
    std::fflush(stdout);
    saved_ = dup(STDOUT_FILENO);
    int null = open("/dev/null", O_WRONLY);
    dup2(null, STDOUT_FILENO);
    close(null);
  }
  ~stdout_to_null() {
    std::fflush(stdout);
    dup2(saved_, STDOUT_FILENO);
    close(saved_);
  }
  stdout_to_null(const stdout_to_null &) = delete;
  stdout_to_null &operator=(const stdout_to_null &) = delete;

 private:
  int saved_;
};

constexpr uint32_t ports_per_slot = 48;
constexpr uint32_t ports_per_vdc = 96;

// `ports` interfaces, 48 to a slot, 96 to a VDC; every tenth a breakout port, every
// twentieth with a move status to report.
cmd_ctx membership_command(uint32_t ports) {
  standin::reset();
  standin::platform().current_vdc = 1;
  cmd_ctx cmd;
  for (uint32_t i = 0; i < ports; ++i) {
    uint32_t ifindex = 0x1a000000 + i;
    auto slot = static_cast<uint8_t>(1 + i / ports_per_slot);
    std::string name = "Ethernet" + std::to_string(slot) + "/" + std::to_string(1 + i % 48);
    standin::platform().interfaces[ifindex] = {name,        name, slot,
                                               i % 10 == 0, 0,    i % 20 == 0 ? 7u : 0u};
    if (i % ports_per_vdc == 0) {
      uint32_t vdc = 1 + i / ports_per_vdc;
      cmd.response.push_back(standin::word(VDC_ATTR_ID, vdc));
      cmd.response.push_back(standin::text(VDC_ATTR_NAME, "vdc" + std::to_string(vdc)));
    }
    cmd.response.push_back(standin::word(VDC_ATTR_IF_INDEX, ifindex));
  }
  return cmd;
}

cmd_ctx summary_command(uint32_t vdcs) {
  standin::reset();
  cmd_ctx cmd;
  cmd.response.push_back(standin::text(VDC_ATTR_SWITCHWIDE_MODE, "mode-a"));
  for (uint32_t vdc = 1; vdc <= vdcs; ++vdc) {
    cmd.response.push_back(standin::word(VDC_ATTR_ID, vdc));
    cmd.response.push_back(standin::text(VDC_ATTR_NAME, "vdc-" + std::to_string(vdc)));
    cmd.response.push_back(standin::text(VDC_ATTR_STATE, "active"));
    cmd.response.push_back(standin::text(VDC_ATTR_MAC, "00:00:00:00:00:01"));
    cmd.response.push_back(standin::text(VDC_ATTR_TYPE, "Ethernet"));
    cmd.response.push_back(standin::text(VDC_ATTR_SUPPORTED_LC, "m1 f1 m1xl"));
  }
  return cmd;
}

void run(benchmark::State &state, cmd_ctx &cmd, int32_t (*show)(cmd_handle)) {
  stdout_to_null quiet;
  for (auto _ : state) {
    cmd.cursor = 0;
    benchmark::DoNotOptimize(show(&cmd));
    state.PauseTiming();
    standin::clear_calls();
    state.ResumeTiming();
  }
}

void membership(benchmark::State &state) {
  auto ports = static_cast<uint32_t>(state.range(0));
  cmd_ctx cmd = membership_command(ports);
  run(state, cmd, show_vdc_membership);
  state.SetItemsProcessed(state.iterations() * ports);
}

void summary_table(benchmark::State &state) {
  auto vdcs = static_cast<uint32_t>(state.range(0));
  cmd_ctx cmd = summary_command(vdcs);
  run(state, cmd, show_vdc_detail);
  state.SetItemsProcessed(state.iterations() * vdcs);
}

BENCHMARK(membership)->Arg(96)->Arg(768)->Arg(3072);
BENCHMARK(summary_table)->Arg(16)->Arg(256)->Arg(1024);

}  // namespace

BENCHMARK_MAIN();
