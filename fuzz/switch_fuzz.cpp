// The switch handler on any response, SYSMGR_VDC_ID, role, user name, script mode and
// program results. The programs never run: system and the platform's runner answer with
// wait statuses taken from the input.
#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>

#include "fuzz_input.h"

namespace {

zms_fuzz::input *current = nullptr;

int32_t next_status() {
  const int32_t statuses[] = {0, 1 << 8, 2 << 8, 9, 127 << 8};
  uint8_t b = current->byte();
  return b < 5 ? statuses[b] : b;
}

void set_or_unset(const char *name, zms_fuzz::input &in, const char *usual) {
  uint8_t how = in.byte() % 3;
  std::string text = in.text();
  if (how == 0) unsetenv(name);
  if (how == 1) setenv(name, usual, 1);
  if (how == 2) setenv(name, text.c_str(), 1);
}

}  // namespace

// The library's calls answer from the input; libFuzzer's own (it merges through system)
// reach the C library.
extern "C" int system(const char *command) {
  if (current != nullptr) return next_status();
  static auto real = reinterpret_cast<int (*)(const char *)>(dlsym(RTLD_NEXT, "system"));
  return real(command);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  zms_fuzz::silence_stdout();
  zms_fuzz::input in(data, size);
  current = &in;
  standin::reset();
  auto &p = standin::platform();
  p.program_runner = [](const standin::program_run &) { return next_status(); };
  set_or_unset("SYSMGR_VDC_ID", in, "2");
  set_or_unset("VSH_ROLES", in, "NETWORK_ADMIN");
  p.username = in.text();
  p.username_null = in.byte() & 1;
  p.vdc_environment = static_cast<int32_t>(in.word());
  cmd_ctx cmd;
  cmd.script_mode = in.byte() & 1;
  cmd.response = zms_fuzz::attributes(in);
  vdc_mgr_set_cli_mode(&cmd);
  fflush(stdout);
  current = nullptr;
  return 0;
}
