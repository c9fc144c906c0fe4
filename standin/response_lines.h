// The lines of a response file's header (see response_file.h for the format): the values
// they hold, and the handler of each line's first word.
#ifndef VDC_STANDIN_RESPONSE_LINES_H
#define VDC_STANDIN_RESPONSE_LINES_H

#include <string>
#include <vector>

#include "response_file.h"

namespace standin {

// A line cut into its first word and the rest after one blank.
struct line_view {
  std::string head;
  std::string rest;
};
line_view split(const std::string &line);
std::vector<std::string> words_of(const std::string &text);
// A number that fits 32 bits: decimal, negative decimal or 0x hexadecimal.
bool number(const std::string &text, uint32_t &out);
// IDENTIFIER LAYOUT VALUE...: an attribute added to `into`; "" or what was expected.
std::string attribute_line(const std::string &line, std::vector<attribute> &into);

// Reads one header line into `out`: "" when it is well formed, else what was expected.
std::string header_line(const std::string &line, response_case &out);

}  // namespace standin

#endif  // VDC_STANDIN_RESPONSE_LINES_H
