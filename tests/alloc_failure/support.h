// Helpers shared by the allocation-failure tests.
#ifndef ZMS_ALLOC_SUPPORT_H
#define ZMS_ALLOC_SUPPORT_H

#include <set>
#include <string>
#include <vector>

#include "alloc_countdown.h"
#include "standin.h"

namespace alloc_support {

// "calloc 28", "regcomp", "strdup 2": the library's own allocations of the last armed
// call, in order.
inline std::vector<std::string> library_allocations() {
  const char *kinds[] = {"malloc", "calloc", "realloc", "strdup", "regcomp"};
  std::vector<std::string> list;
  for (size_t i = 0; i < alloc_countdown::count(); ++i) {
    const auto &a = alloc_countdown::at(i);
    if (a.from != alloc_countdown::origin::library) continue;
    std::string name = kinds[static_cast<int>(a.how)];
    list.push_back(a.how == alloc_countdown::kind::regcomp ? name
                                                           : name + " " + std::to_string(a.size));
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
    alloc_countdown::arm(fail_at);
    auto result = fn();
    alloc_countdown::disarm();
    const alloc_countdown::allocation *failed = alloc_countdown::failed();
    check(result, failed);
    if (failed == nullptr) return fail_at;
  }
}

}  // namespace alloc_support

#endif  // ZMS_ALLOC_SUPPORT_H
