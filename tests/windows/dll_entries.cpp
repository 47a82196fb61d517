// dll_entries.cpp - loading kovudf.dll once for the Windows test program.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "legacy/entries.h"
#include "support/stand_in_allocator.h"

// The module-wide allocator pointer of the routines compiled into the test
// program itself (the module entry logic); kovudf.dll has its own.
host_malloc_fn host_malloc = nullptr;

void* kovudf_dll_entry(const char* name) {
    static HMODULE module = LoadLibraryA("kovudf.dll");
    if (module == nullptr) {
        std::fprintf(stderr, "kovudf.dll did not load (error %lu)\n", GetLastError());
        std::abort();
    }
    FARPROC entry = GetProcAddress(module, name);
    if (entry == nullptr) {
        std::fprintf(stderr, "kovudf.dll does not export %s\n", name);
        std::abort();
    }
    return reinterpret_cast<void*>(entry);
}

// Every block an entry returns comes from the stand-in ib_util.dll: the
// module found it loaded in the process at attach.
TEST(WindowsModule, EntriesAllocateThroughTheServersIbUtil) {
    ASSERT_NE(GetModuleHandleA("ib_util.dll"), nullptr);
    using StrCat = char* (*)(const char*, const char*);
    auto strcat_entry = reinterpret_cast<StrCat>(kovudf_dll_entry("_UDF_StrCat"));
    char* block = strcat_entry("ab", "cd");
    EXPECT_STREQ(block, "abcd");
    EXPECT_EQ(stand_in_block_size(block), 5u);
    stand_in_free_all();
}
