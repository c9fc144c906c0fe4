// Replaces malloc, calloc, realloc, strdup, free and regcomp of the test process to see
// every allocation of the code under test, to make one chosen allocation fail, and to see
// which blocks are left.
//
// The allocations that can be made to fail are those of the code under test: calls from
// the library and from the stand-in platform, and the library's regcomp calls (a failed
// compile stands for the C library running out of memory inside it). The C library's own
// allocations are watched for leaks but never failed: its regular-expression code leaks
// on some of its own failure paths. C++ allocations (the stand-in's logs and copies) go
// through operator new and are neither failed nor watched.
#ifndef ZMS_ALLOC_COUNTDOWN_H
#define ZMS_ALLOC_COUNTDOWN_H

#include <cstddef>
#include <set>
#include <string>
#include <vector>

#include "standin.h"

namespace alloc_countdown {

enum class origin { library, libc, standin, other };
enum class kind { malloc, calloc, realloc, strdup, regcomp };

struct allocation {
  origin from;
  kind how;
  size_t size;
  void *block;    // NULL when this allocation was made to fail
  size_t number;  // among the allocations that can fail; `never` for the others
  bool freed;
};

constexpr size_t never = static_cast<size_t>(-1);

// Starts afresh; the allocation numbered `fail_at` (from 0) fails. With `library_only`,
// only the library's own allocations are numbered.
void arm(size_t fail_at, bool library_only = false);
void disarm();

size_t count();  // every watched allocation, numbered or not
const allocation &at(size_t i);
const allocation *failed();  // the allocation made to fail, if it came
// Blocks allocated while armed and not freed since.
std::set<void *> live();

// "calloc 28", "regcomp", "strdup 2": the library's own allocations of the last armed
// call, in order.
inline std::vector<std::string> library_allocations() {
  const char *kinds[] = {"malloc", "calloc", "realloc", "strdup", "regcomp"};
  std::vector<std::string> list;
  for (size_t i = 0; i < count(); ++i) {
    const auto &a = at(i);
    if (a.from != origin::library) continue;
    std::string name = kinds[static_cast<int>(a.how)];
    list.push_back(a.how == kind::regcomp ? name : name + " " + std::to_string(a.size));
  }
  return list;
}

// The blocks a match result hands to the framework.
inline std::set<void *> blocks_of(const cmd_match_result *result) {
  std::set<void *> blocks;
  if (result == nullptr) return blocks;
  blocks.insert(const_cast<cmd_match_result *>(result));
  for (void *block :
       {result->value, static_cast<void *>(result->text), static_cast<void *>(result->message)})
    if (block != nullptr) blocks.insert(block);
  return blocks;
}

// Calls `fn` once with each counted allocation failing in turn, then once with none
// failing; `check` sees the result and the failed allocation (NULL for the last run).
template <typename Call, typename Check>
size_t for_each_failure(Call fn, Check check) {
  for (size_t fail_at = 0;; ++fail_at) {
    arm(fail_at);
    auto result = fn();
    disarm();
    const allocation *made_to_fail = failed();
    check(result, made_to_fail);
    if (made_to_fail == nullptr) return fail_at;
  }
}

}  // namespace alloc_countdown

#endif  // ZMS_ALLOC_COUNTDOWN_H
