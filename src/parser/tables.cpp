// The parser's exported keyword tables and words.
#include "vdc_platform.h"

extern "C" {

// Stands for no specific keywords: the VDC-name table and the feature-set match fallback.
cmd_enum_entry blanktable[2] = {{"", 0, ""}, {}};
cmd_enum_entry niltable[2] = {{"...nil...", 0, "No feature-sets currently available"}, {}};
cmd_enum_entry helptable[2] = {{"<WORD>", 0, "Create a new vdc"}, {}};

// Filled with the linecard types when the library is loaded.
cmd_enum_entry card_table[10];

// Words that a new VDC name may not abbreviate.
const char *known_keywords[4] = {"resource", "combined-hostname", "Unallocated", nullptr};

const char *fs_help = "installed feature-set";

// The feature-set list read for the callback in progress; NULL between callbacks.
void *fs_sdb = nullptr;

// The framework's own words.
uint32_t cmd_init = 0;
uint32_t cli_table = 0;
}
