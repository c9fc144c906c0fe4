// The stand-in platform: the command framework, VDC services, interface manager,
// state database, capability data, user and terminal services and the program
// runner that the switch software gives the library, kept in one process-wide
// state that tests and the simulator set up. Every call into it is logged unless the
// log is switched off.
#ifndef VDC_STANDIN_H
#define VDC_STANDIN_H

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "vdc_platform.h"

namespace standin {

struct attribute {
  uint32_t id;
  std::vector<uint8_t> value;
  bool null_value = false;  // deliver a null value pointer (malformed responses)
};

// Attribute builders; words are in host byte order, as the VDC manager sends them.
attribute word(uint32_t id, uint32_t value);
attribute text(uint32_t id, std::string_view value);  // with its NUL
attribute bytes(uint32_t id, std::vector<uint8_t> value);
attribute mark(uint32_t id);  // presence only: a zero word
attribute words(uint32_t id, const std::vector<uint32_t> &values);

}  // namespace standin

// The command in progress: request and response attributes, walked in order.
struct cmd_ctx {
  std::vector<standin::attribute> request;
  std::vector<standin::attribute> response;
  size_t cursor = 0;  // next response attribute of the walk; lookups never move it
  int32_t action_set = 0;
  int32_t script_mode = 0;
  size_t getnext_calls = 0;

  cmd_handle handle() { return this; }
};

namespace standin {

struct interface {
  std::string long_name;
  std::string short_name;
  uint8_t slot = 1;
  bool breakout = false;
  int32_t move_result = 0;   // non-zero: no move status available
  uint32_t move_status = 0;  // 0: in order, else an error code
};

// Interfaces by index, looked up on every port of a listing: entries in insertion order
// and a flat open-addressing index over them. References stay valid while entries are
// added, as in a std::map.
class interface_table {
 public:
  interface_table() = default;
  interface_table(const interface_table &) = delete;  // slots point into the entries
  interface_table &operator=(const interface_table &) = delete;
  interface_table(interface_table &&) = default;
  interface_table &operator=(interface_table &&) = default;

  interface &operator[](uint32_t ifindex);           // a default interface when absent
  const interface *lookup(uint32_t ifindex) const {  // nullptr when absent
    const slot *s = probe(ifindex);
    return s != nullptr ? s->held : nullptr;
  }
  void clear();
  void reserve(size_t count);
  size_t size() const { return entries_.size(); }

 private:
  struct slot {
    uint32_t ifindex = 0;
    interface *held = nullptr;  // nullptr: an empty slot
  };
  // Indexes that follow one another, one apart or a slot's 512 apart, get slots near one
  // another: a listing walks the slots in order, not all over memory.
  size_t slot_of(uint32_t ifindex) const {
    return (ifindex ^ (ifindex >> 9) ^ (ifindex >> 18)) & mask_;
  }
  // A listing asks for one interface several times in a row: the last slot found comes first.
  const slot *probe(uint32_t ifindex) const {
    if (slots_.empty()) return nullptr;
    if (slots_[last_].ifindex == ifindex && slots_[last_].held != nullptr) return &slots_[last_];
    for (size_t at = slot_of(ifindex);; at = (at + 1) & mask_) {
      const slot &s = slots_[at];
      if (s.held == nullptr) return nullptr;
      if (s.ifindex != ifindex) continue;
      last_ = at;
      return &s;
    }
  }
  void rebuild(size_t slots);
  void place(size_t position);

  std::deque<std::pair<uint32_t, interface>> entries_;
  std::vector<slot> slots_;
  size_t mask_ = 0;  // slots_.size() - 1, a power of two less one
  mutable size_t last_ = 0;
};

struct vdc_name {
  uint32_t id;
  std::string name;
};

struct program_run {
  std::string path;
  std::vector<std::string> args;  // without the path
};

struct keyword_row {
  std::string name;
  uint32_t value;
  std::string help;
};

// Everything the platform knows. Reset to these defaults by reset().
struct state {
  bool call_log = true;  // see set_call_log
  uint32_t current_vdc = 1;
  int32_t max_allowed_vdc = 8;
  interface_table interfaces;
  std::vector<vdc_name> vdcs;  // offered where a table names VDCs
  std::function<int32_t(uint32_t)> ft_supported = [](uint32_t) { return 1; };

  uint32_t sdb_open_result = 0;
  std::map<std::string, std::vector<uint8_t>> sdb_records;  // by key bytes
  std::optional<uint32_t> sdb_read_status;                  // forces the read's status

  std::unordered_map<uint32_t, std::string> error_texts;  // for syserr2str
  std::string username = "admin";
  bool username_null = false;
  int32_t vdc_environment = 1;  // what vsh_set_vdc_environment returns
  uint32_t terminal_saves = 0;  // save, default, restore balance is checked by tests

  // Runs programs for execute_program_and_wait; unset, the program really runs.
  std::function<int32_t(const program_run &)> program_runner;
  std::vector<program_run> programs_run;

  int32_t help_status = 0;  // what cmd_enum_help returns

  // What the last cmd_enum_help or cmd_enum_match was given, rows copied.
  std::vector<keyword_row> last_table;
  std::string last_word;
  int32_t last_match_arg = -1;

  // What cmd_attr_value_replace was last given.
  const void *replaced_value = nullptr;
};

state &platform();

// Restores the defaults: state, call log (emptied and on), cmd_q, g_cli_sup_state,
// vdc_sdb_uri_lib and the capability tables (which keep what set_capabilities gave them).
void reset();

// One line per platform call, in order: name(args), numbers in decimal except attribute
// ids in hexadecimal, texts in double quotes. cmd_rsp_attr_getnext is counted in the
// command (getnext_calls), not logged.
const std::vector<std::string> &calls();
void clear_calls();
void log_call(std::string line);
// Off, the platform formats and keeps no log lines: benchmarks measure the library, not
// the log. reset() switches it back on.
void set_call_log(bool on);
bool call_log_on();

// The 5-byte key under which the feature-set list of a VDC is kept.
std::string fs_key(uint16_t vdc);
// A feature-set list as the state database holds it: a count, then 36-byte records.
std::vector<uint8_t> fs_list(const std::vector<std::pair<uint32_t, std::string>> &sets);

struct capability {
  uint32_t type;
  std::string name;
  bool eth;
  bool fcoe;
};
constexpr size_t capability_slots = 16;
// Fills lc_capability_list, allowed_eth_cap and allowed_fcoe_cap; must run before the
// library is loaded for card_table to see it.
void set_capabilities(const std::vector<capability> &caps);

// Runs a program with its arguments and waits for it: 0 when it exits with 0, else
// its wait status (-1 when it could not be started or waited for).
int32_t run_program(const program_run &run);

// Frees a match result and every block it points to.
void free_match(cmd_match_result *result);

}  // namespace standin

#endif  // VDC_STANDIN_H
