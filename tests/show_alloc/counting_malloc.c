#include "counting_malloc.h"

#include <stddef.h>

extern void *__libc_malloc(size_t size);
extern void *__libc_calloc(size_t count, size_t size);
extern void *__libc_realloc(void *block, size_t size);
extern void __libc_free(void *block);

volatile int counting_on;
volatile unsigned long counted_allocations;
uintptr_t ignored_caller_low, ignored_caller_high;

static void note_allocation(void *caller) {
  uintptr_t at = (uintptr_t)caller;
  if (counting_on && !(at >= ignored_caller_low && at < ignored_caller_high)) ++counted_allocations;
}

void *malloc(size_t size) {
  note_allocation(__builtin_return_address(0));
  return __libc_malloc(size);
}

void *calloc(size_t nmemb, size_t size) {
  note_allocation(__builtin_return_address(0));
  return __libc_calloc(nmemb, size);
}

void *realloc(void *block, size_t size) {
  note_allocation(__builtin_return_address(0));
  return __libc_realloc(block, size);
}

void free(void *block) {
  __libc_free(block);
}
