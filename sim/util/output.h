// Standard output, checked: the first flush that fails is remembered with its reason, so
// that the shell can end with it rather than lose its output without a word.
#ifndef VDCSIM_OUTPUT_H
#define VDCSIM_OUTPUT_H

#include <string>

namespace vdcsim::output {

// Flushes standard output; false when this or an earlier write failed. While a command's
// output is captured (see shown_output.h) a failure is the capture's and is not kept.
bool flush();
void set_capturing(bool capturing);
// "" when everything written so far reached standard output, else why not.
std::string fault();
// The exit status `status`, or 1 (at least) with the fault on standard error.
int finish(int status);

}  // namespace vdcsim::output

#endif  // VDCSIM_OUTPUT_H
