// The library's functions by their exported names, one table per kind of call.
#ifndef ZMS_TEST_EXPORTED_FUNCTIONS_H
#define ZMS_TEST_EXPORTED_FUNCTIONS_H

#include <cstddef>
#include <string>

#include "library_exports.h"
#include "zudoru_mgr_show.h"

namespace zms_test {

template <typename Fn>
struct named_function {
  const char *name;
  Fn fn;
};

// The function called `name` in `table`, or null.
template <typename Fn, size_t N>
Fn find_function(const named_function<Fn> (&table)[N], const std::string &name) {
  for (const auto &row : table)
    if (name == row.name) return row.fn;
  return nullptr;
}

#define ZMS_TEST_NAMED(name) {#name, name},
inline constexpr named_function<int32_t (*)(cmd_handle)> show_handlers[] = {
    ZMS_SHOW_HANDLERS(ZMS_TEST_NAMED)};
// The show handlers and the switch handler: what a response case renders by default.
inline constexpr named_function<int32_t (*)(cmd_handle)> handlers[] = {
    ZMS_SHOW_HANDLERS(ZMS_TEST_NAMED) ZMS_SWITCH_HANDLERS(ZMS_TEST_NAMED)};
inline constexpr named_function<int32_t (*)(cmd_handle, const char *)> help_callbacks[] = {
    ZMS_HELP_CALLBACKS(ZMS_TEST_NAMED)};
inline constexpr named_function<cmd_match_result *(*)(cmd_handle, const char *, int32_t)>
    name_match_callbacks[] = {ZMS_NAME_MATCH_CALLBACKS(ZMS_TEST_NAMED)};
inline constexpr named_function<cmd_match_result *(*)(cmd_handle, const char *)>
    feature_set_match_callbacks[] = {ZMS_FEATURE_SET_MATCH_CALLBACKS(ZMS_TEST_NAMED)};
#undef ZMS_TEST_NAMED

}  // namespace zms_test

#endif  // ZMS_TEST_EXPORTED_FUNCTIONS_H
