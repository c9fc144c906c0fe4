/* The allocator of this test program: glibc's, with a count of the blocks asked for while
 * counting is on, except by callers inside the ignored address range. */
#ifndef COUNTING_MALLOC_H
#define COUNTING_MALLOC_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

extern volatile int counting_on;
extern volatile unsigned long counted_allocations;
extern uintptr_t ignored_caller_low, ignored_caller_high;

#ifdef __cplusplus
}
#endif

#endif
