// failing_heap.cpp - the counting allocators behind failing_heap.h.
#include "failing_heap.h"

#include <atomic>

#include "stand_in_allocator.h"

extern "C" void* __real_malloc(size_t size);
extern "C" void __real_free(void* block);

namespace {

std::atomic<bool> armed{false};
bool in_host_malloc = false;  // the stand-in's own bookkeeping is not counted
size_t fail_at = 0;
size_t attempts = 0;
const size_t most_held = 64;
void* held[most_held];

// True when this allocation is the one to fail.
bool next_fails() {
    return ++attempts == fail_at;
}

}  // namespace

extern "C" void* __wrap_malloc(size_t size) {
    if (!armed || in_host_malloc) {
        return __real_malloc(size);
    }
    if (next_fails()) {
        return nullptr;
    }
    void* block = __real_malloc(size);
    for (void*& slot : held) {
        if (slot == nullptr) {
            slot = block;
            break;
        }
    }
    return block;
}

extern "C" void __wrap_free(void* block) {
    if (armed && block != nullptr) {
        for (void*& slot : held) {
            if (slot == block) {
                slot = nullptr;
            }
        }
    }
    __real_free(block);
}

void* failing_host_malloc(host_malloc_size size) {
    if (armed && next_fails()) {
        return nullptr;
    }
    in_host_malloc = true;
    void* block = stand_in_malloc(size);
    in_host_malloc = false;
    return block;
}

void failing_heap_arm(size_t k) {
    fail_at = k;
    attempts = 0;
    for (void*& slot : held) {
        slot = nullptr;
    }
    armed = true;
}

FailingHeapReport failing_heap_disarm() {
    armed = false;
    size_t count = 0;
    for (void* slot : held) {
        count += slot != nullptr;
    }
    return {attempts, count};
}
