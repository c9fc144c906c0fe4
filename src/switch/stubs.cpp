// Placeholder until switching and the launcher land.
#include "vdc_platform.h"

extern "C" {
int32_t vdc_mgr_set_cli_mode(cmd_handle) { return 0; }
int execute_program_new_session_and_wait(const char *, ...) { return -1; }
}
