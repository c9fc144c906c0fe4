// Placeholder until the event-history printer lands.
#include "vdc_platform.h"

extern "C" void vdc_mgr_history_cli(const void *, uintptr_t, uint32_t, const uint32_t *,
                                    uintptr_t) {}
