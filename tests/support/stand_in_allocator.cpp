// stand_in_allocator.cpp - a recording allocator in the server's place.
#include "stand_in_allocator.h"

#include <cstdlib>
#include <map>
#include <mutex>

namespace {

std::mutex blocks_mutex;
std::map<const void*, size_t> blocks;
bool failing = false;

}  // namespace

void* stand_in_malloc(long size) {
    std::lock_guard<std::mutex> lock(blocks_mutex);
    if (failing) {
        return nullptr;
    }
    void* block = std::malloc(size == 0 ? 1 : static_cast<size_t>(size));
    blocks[block] = static_cast<size_t>(size);
    return block;
}

void stand_in_fail_allocations(bool fail) {
    std::lock_guard<std::mutex> lock(blocks_mutex);
    failing = fail;
}

size_t stand_in_block_size(const void* block) {
    std::lock_guard<std::mutex> lock(blocks_mutex);
    auto found = blocks.find(block);
    return found == blocks.end() ? 0 : found->second;
}

size_t stand_in_blocks_handed_out() {
    std::lock_guard<std::mutex> lock(blocks_mutex);
    return blocks.size();
}

void stand_in_free_all() {
    std::lock_guard<std::mutex> lock(blocks_mutex);
    for (auto& entry : blocks) {
        std::free(const_cast<void*>(entry.first));
    }
    blocks.clear();
    failing = false;
}

#if defined(STAND_IN_ALLOCATOR_DLL)
// The name the module looks for in the server process.
extern "C" __declspec(dllexport) void* ib_util_malloc(long size) {
    return stand_in_malloc(size);
}
#endif
