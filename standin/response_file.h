// Response files: a captured VDC manager response as text, one attribute to a line, with the
// platform's answers around it and, for a test case, the expected result, calls and output.
//
//   # comment
//   show show_vdc_membership_status      the handler that renders it
//   request VDC_REQ_SHOW_SELECT word 4   a request attribute
//   vdc 1                                the shell's current VDC
//   queue 9                              the command queue word cmd_q
//   interface 7 name=Ethernet1/7 short=Eth1/7 slot=1 breakout status=0x2a query=31
//   error 0x2a Port busy                 the text of an error code
//   env SYSMGR_VDC_ID 2                  an environment variable of the shell
//   script-mode 1                        the request's script-mode flag
//   vdc-environment 5                    what vsh_set_vdc_environment answers
//   user alice                           the operator's name (no-user: none at all)
//   programs exit=2 signal=9 0           the wait statuses of the programs run, in order
//   call vdc_mgr_show_new_name_match     a parser callback instead of a display, with
//   typed core                           the word typed so far and
//   mode 1                               the match mode
//   action 1                             the request's action flag
//   vdcs 1:switch 4:core                 the VDCs the framework's tables name
//   sup-state 1                          g_cli_sup_state
//   sdb-open 0x411a0003                  what sdb_open answers
//   sdb-read 0x40480004                  the status every sdb_read answers
//   feature-sets 3 count=5 cut=2 1:base  a feature-set list kept under VDC 3 (count and
//                                        size overridden when given)
//   unsupported 7 9 | unsupported all    the feature sets is_ft_supported_by_vdc refuses
//   help-status 0x21                     what cmd_enum_help answers
//   --- match                            the match result as the test runner renders it
//   VDC_ATTR_ID word 1                   a response attribute: identifier, layout, value
//   0x141a0011 text core                 identifiers by name or number
//   result 10                            what the handler returns
//   walk 0                               how often it calls getnext (default: once to the end)
//   --- calls                            the platform calls, one a line, in order
//   --- output                           the rest of the file is the text printed;
//   \ no newline at end                  as the last line: the text does not end in a newline
//
// Layouts: word N, words N..., halves N N (two 16-bit units), text STRING (NUL added, \t \n
// \\ escapes), bytes HH..., mark (a zero word), null (no value at all). Numbers are
// decimal (010 is ten), negative, or 0x hexadecimal; words and halves are in host byte
// order. Lines end in LF or CRLF and hold no NUL; a file has one `show` or `call` line.
#ifndef VDC_STANDIN_RESPONSE_FILE_H
#define VDC_STANDIN_RESPONSE_FILE_H

#include <optional>
#include <string>
#include <vector>

#include "standin.h"

namespace standin {

struct response_case {
  std::string show;  // the handler's exported name
  std::vector<attribute> request;
  std::vector<attribute> response;
  std::optional<uint32_t> current_vdc;
  std::optional<uint32_t> queue;
  std::map<uint32_t, interface> interfaces;
  std::map<uint32_t, std::string> error_texts;
  std::vector<std::pair<std::string, std::string>> environment;
  std::optional<int32_t> script_mode;
  std::optional<int32_t> vdc_environment;
  std::optional<std::string> user;  // "no-user" gives a null name
  bool no_user = false;
  std::vector<int32_t> program_results;
  std::string typed;
  int32_t mode = 0;
  int32_t action = 0;
  std::vector<vdc_name> vdcs;
  std::optional<uint32_t> sup_state, sdb_open, sdb_read, help_status;
  std::map<std::string, std::vector<uint8_t>> records;  // by key bytes
  std::vector<uint32_t> unsupported;
  bool none_supported = false;
  std::optional<std::string> match;
  std::optional<int32_t> result;
  std::optional<size_t> walk;
  std::optional<std::vector<std::string>> calls;
  std::optional<std::string> output;
};

// Response files larger than this are refused before they are read.
constexpr size_t max_response_bytes = 4u << 20;

// Parses the text of a response file. On failure returns false with `error` as
// "line N: expected ...", or "no `show` line".
bool parse_response(const std::string &text, response_case &out, std::string &error);

// Reads and parses a regular file of at most max_response_bytes; errors start with "PATH:"
// instead of "line".
bool read_response_file(const std::string &path, response_case &out, std::string &error);

// Puts the case's platform answers in place: current VDC, queue, interfaces, error texts,
// environment, operator, and a program runner that answers with the case's results, then 0.
void apply_platform(const response_case &c);

// The command of the case: its request and response, and its script-mode flag.
cmd_ctx command_of(const response_case &c);

}  // namespace standin

#endif  // VDC_STANDIN_RESPONSE_FILE_H
