// Placeholder until the display lands.
#include "attr_reader.h"

extern "C" int32_t show_fcoe(cmd_handle) { return 0; }
