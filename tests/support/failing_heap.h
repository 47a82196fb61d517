// failing_heap.h - make the k-th allocation of a call fail.
//
// The test program is linked with --wrap=malloc and --wrap=free, so the
// module heap's calls pass through here; the result allocator is wrapped by
// failing_host_malloc.  While armed, allocations from either are counted in
// order and the k-th one returns null; module-heap blocks still held when
// the window closes are counted as leaked.
#pragma once

#include <cstddef>

#include "legacy/host.h"

void failing_heap_arm(size_t fail_at);  // 1 = the first allocation fails
struct FailingHeapReport {
    size_t allocations;  // attempted while armed
    size_t module_blocks_held;
};
FailingHeapReport failing_heap_disarm();

void* failing_host_malloc(host_malloc_size size);
