#include "alloc_countdown.h"

#include <dlfcn.h>
#include <regex.h>

#include <cstring>

extern "C" {
void *__libc_malloc(size_t size);
void *__libc_calloc(size_t n, size_t size);
void *__libc_realloc(void *block, size_t size);
void __libc_free(void *block);
}

namespace alloc_countdown {
namespace {

constexpr size_t capacity = 8192;
allocation journal[capacity];
size_t used = 0;
size_t numbered = 0;
bool armed = false;
bool only_library = false;
size_t fail_index = never;
const allocation *failed_entry = nullptr;
bool inside = false;  // dladdr and dlsym never re-enter the count

origin classify(void *caller) {
  Dl_info info{};
  if (dladdr(caller, &info) == 0 || info.dli_fname == nullptr) return origin::other;
  if (std::strstr(info.dli_fname, "libzudoru_mgr_show") != nullptr) return origin::library;
  if (std::strstr(info.dli_fname, "libvdc_standin") != nullptr) return origin::standin;
  if (std::strstr(info.dli_fname, "/libc.so") != nullptr) return origin::libc;
  return origin::other;
}

bool can_fail(origin from, kind how) {
  if (how == kind::regcomp || only_library) return from == origin::library;
  return from == origin::library || from == origin::standin;
}

// The journal entry of a watched allocation, or NULL.
allocation *watched(void *caller, kind how, size_t size) {
  if (!armed || inside || used == capacity) return nullptr;
  inside = true;
  origin from = classify(caller);
  inside = false;
  if (from == origin::other || (only_library && from != origin::library)) return nullptr;
  size_t number = can_fail(from, how) ? numbered++ : never;
  journal[used] = allocation{from, how, size, nullptr, number, false};
  return &journal[used++];
}

bool should_fail(const allocation *entry) {
  if (entry == nullptr || entry->number != fail_index) return false;
  failed_entry = entry;
  return true;
}

void forget(void *block) {
  if (!armed || block == nullptr) return;
  for (size_t i = 0; i < used; ++i)
    if (journal[i].block == block) journal[i].freed = true;
}

template <typename Allocate>
void *allocate(void *caller, kind how, size_t size, Allocate fn) {
  allocation *entry = watched(caller, how, size);
  if (should_fail(entry)) return nullptr;
  void *block = fn();
  if (entry != nullptr) entry->block = block;
  return block;
}

using regcomp_fn = int (*)(regex_t *, const char *, int);

regcomp_fn real_regcomp() {
  static regcomp_fn fn = nullptr;
  if (fn == nullptr) {
    bool was_inside = inside;
    inside = true;
    fn = reinterpret_cast<regcomp_fn>(dlsym(RTLD_NEXT, "regcomp"));
    inside = was_inside;
  }
  return fn;
}

}  // namespace

void arm(size_t fail_at, bool library_only) {
  used = 0;
  numbered = 0;
  fail_index = fail_at;
  failed_entry = nullptr;
  only_library = library_only;
  armed = true;
}

void disarm() {
  armed = false;
}
size_t count() {
  return used;
}
const allocation &at(size_t i) {
  return journal[i];
}
const allocation *failed() {
  return failed_entry;
}

std::set<void *> live() {
  std::set<void *> blocks;
  for (size_t i = 0; i < used; ++i)
    if (journal[i].block != nullptr && !journal[i].freed) blocks.insert(journal[i].block);
  return blocks;
}

}  // namespace alloc_countdown

using alloc_countdown::kind;

extern "C" {

void *malloc(size_t size) noexcept {
  return alloc_countdown::allocate(__builtin_return_address(0), kind::malloc, size,
                                   [&] { return __libc_malloc(size); });
}

void *calloc(size_t n, size_t size) noexcept {
  return alloc_countdown::allocate(__builtin_return_address(0), kind::calloc, n * size,
                                   [&] { return __libc_calloc(n, size); });
}

void *realloc(void *block, size_t size) noexcept {
  void *moved = alloc_countdown::allocate(__builtin_return_address(0), kind::realloc, size,
                                          [&] { return __libc_realloc(block, size); });
  bool released = moved != nullptr ? moved != block : size == 0;
  if (released) alloc_countdown::forget(block);
  return moved;
}

// The C library's strdup would call malloc itself; counted here as the caller's own.
char *strdup(const char *text) noexcept {
  size_t size = std::strlen(text) + 1;
  void *copy = alloc_countdown::allocate(__builtin_return_address(0), kind::strdup, size,
                                         [&] { return __libc_malloc(size); });
  if (copy != nullptr) std::memcpy(copy, text, size);
  return static_cast<char *>(copy);
}

void free(void *block) noexcept {
  alloc_countdown::forget(block);
  __libc_free(block);
}

// A compile made to fail reports what the C library reports when memory runs out.
int regcomp(regex_t *compiled, const char *pattern, int flags) noexcept {
  int result = REG_ESPACE;
  alloc_countdown::allocate(__builtin_return_address(0), kind::regcomp, 0, [&]() -> void * {
    result = alloc_countdown::real_regcomp()(compiled, pattern, flags);
    return nullptr;
  });
  return result;
}
}
