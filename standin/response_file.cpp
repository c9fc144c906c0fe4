#include "response_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <memory>
#include <sstream>

#include "response_lines.h"

namespace standin {
namespace {

enum class section { header, calls, match, output };

}  // namespace

bool parse_response(const std::string &text, response_case &out, std::string &error) {
  std::istringstream in(text);
  section at = section::header;
  std::string line, output;
  size_t number_of_line = 0;
  auto fault = [&](const std::string &expected) {
    error = "line " + std::to_string(number_of_line) + ": expected " + expected;
    return false;
  };
  while (std::getline(in, line)) {
    ++number_of_line;
    if (line.ends_with('\r')) line.pop_back();
    if (line.find('\0') != std::string::npos) return fault("text without a NUL character");
    if (at == section::output) {
      output += line + (in.eof() ? "" : "\n");
      continue;
    }
    if (line == "--- output") {
      at = section::output;
      continue;
    }
    if (line == "--- calls") {
      at = section::calls;
      out.calls.emplace();
      continue;
    }
    if (line == "--- match") {
      at = section::match;
      out.match.emplace();
      continue;
    }
    if (at == section::match) {
      *out.match += line + "\n";
      continue;
    }
    if (line.empty() || line[0] == '#') continue;
    if (at == section::calls) {
      out.calls->push_back(line);
      continue;
    }
    std::string problem = header_line(line, out);
    if (!problem.empty()) return fault(problem);
  }
  if (out.show.empty()) {
    error = "no `show` line";
    return false;
  }
  const std::string no_newline = "\\ no newline at end\n";
  if (output.size() > no_newline.size() && output.ends_with("\n" + no_newline))
    output.resize(output.size() - no_newline.size() - 1);
  if (at == section::output) out.output = output;
  return true;
}

namespace {

// Why the file open at `fd` is not read: "" when it is a regular file within the bound.
std::string refusal(int fd) {
  struct stat st {};
  if (fstat(fd, &st) != 0) return std::strerror(errno);
  if (!S_ISREG(st.st_mode)) return "not a regular file";
  if (static_cast<uint64_t>(st.st_size) > max_response_bytes)
    return "larger than " + std::to_string(max_response_bytes >> 20) + " MiB";
  return "";
}

// A FIFO or a device is refused before anything is read from it.
bool read_bounded(const std::string &path, std::string &text, std::string &error) {
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  std::string why = fd < 0 ? std::strerror(errno) : refusal(fd);
  char block[65536];
  for (ssize_t n = 0; why.empty() && (n = read(fd, block, sizeof block)) != 0;) {
    if (n > 0 && text.size() + static_cast<size_t>(n) <= max_response_bytes)
      text.append(block, static_cast<size_t>(n));
    else if (n > 0)
      why = "larger than " + std::to_string(max_response_bytes >> 20) + " MiB";
    else if (errno != EINTR)
      why = std::strerror(errno);
  }
  if (fd >= 0) close(fd);
  if (!why.empty()) error = path + ": cannot read the response file: " + why;
  return why.empty();
}

}  // namespace

bool read_response_file(const std::string &path, response_case &out, std::string &error) {
  std::string text;
  if (!read_bounded(path, text, error)) return false;
  if (parse_response(text, out, error)) return true;
  bool numbered = error.starts_with("line ");
  error = path + ":" + (numbered ? error.substr(std::strlen("line ")) : " " + error);
  return false;
}

void apply_platform(const response_case &c) {
  auto &p = platform();
  if (c.current_vdc) p.current_vdc = *c.current_vdc;
  if (c.queue) cmd_q = *c.queue;
  for (auto &[index, intf] : c.interfaces)
    p.interfaces[index] = intf;
  for (auto &[code, text] : c.error_texts)
    p.error_texts[code] = text;
  for (auto &[name, value] : c.environment)
    setenv(name.c_str(), value.c_str(), 1);
  if (c.vdc_environment) p.vdc_environment = *c.vdc_environment;
  if (c.user) p.username = *c.user;
  p.username_null = c.no_user;
  if (!c.vdcs.empty()) p.vdcs = c.vdcs;
  if (c.sup_state) g_cli_sup_state = *c.sup_state;
  if (c.sdb_open) p.sdb_open_result = *c.sdb_open;
  if (c.sdb_read) p.sdb_read_status = *c.sdb_read;
  if (c.help_status) p.help_status = static_cast<int32_t>(*c.help_status);
  for (auto &[key, record] : c.records)
    p.sdb_records[key] = record;
  p.ft_supported = [none = c.none_supported, refused = c.unsupported](uint32_t id) {
    for (uint32_t r : refused)
      if (r == id) return 0;
    return none ? 0 : 1;
  };
  auto results =
      std::make_shared<std::deque<int32_t>>(c.program_results.begin(), c.program_results.end());
  p.program_runner = [results](const program_run &) {
    if (results->empty()) return 0;
    int32_t status = results->front();
    results->pop_front();
    return status;
  };
}

cmd_ctx command_of(const response_case &c) {
  cmd_ctx cmd;
  cmd.request = c.request;
  cmd.response = c.response;
  cmd.script_mode = c.script_mode.value_or(0);
  cmd.action_set = c.action;
  return cmd;
}

}  // namespace standin
