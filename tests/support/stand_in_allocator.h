// stand_in_allocator.h - the server's result allocator, as the tests see it.
//
// Records the requested size of every block it hands out and can be told to
// fail.  On Linux it is linked into the test program and installed as
// host_malloc; for the Windows tests it is built as ib_util.dll (exporting
// ib_util_malloc), which the module picks up at process attach.
#pragma once

#include <cstddef>

#if defined(_WIN32) && defined(STAND_IN_ALLOCATOR_DLL)
#define STAND_IN_API extern "C" __declspec(dllexport)
#elif defined(_WIN32)
#define STAND_IN_API extern "C" __declspec(dllimport)
#else
#define STAND_IN_API extern "C"
#endif

STAND_IN_API void* stand_in_malloc(long size);
STAND_IN_API void stand_in_fail_allocations(bool fail);
STAND_IN_API size_t stand_in_block_size(const void* block);  // 0 when not ours
STAND_IN_API size_t stand_in_blocks_handed_out();
STAND_IN_API void stand_in_free_all();
