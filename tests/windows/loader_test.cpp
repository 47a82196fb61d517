// The module on the real Windows loader, in a process that starts without
// the server's ib_util.dll: the allocator the module picks at attach,
// thread notifications, and unloading and loading again.
#include <gtest/gtest.h>
#include <malloc.h>
#include <windows.h>

#include <cstdlib>

namespace {

using StrCat = char* (*)(const char*, const char*);
using BlockSize = size_t (*)(const void*);

StrCat strcat_of(HMODULE module) {
    return reinterpret_cast<StrCat>(
        reinterpret_cast<void*>(GetProcAddress(module, "_UDF_StrCat")));
}

DWORD WINAPI call_in_thread(void* module) {
    char* block = strcat_of(static_cast<HMODULE>(module))("x", "y");
    const bool ok = block != nullptr && block[0] == 'x' && block[1] == 'y';
    std::free(block);
    return ok ? 0 : 1;
}

TEST(WindowsLoader, WithoutIbUtilBlocksComeFromMsvcrtMalloc) {
    ASSERT_EQ(GetModuleHandleA("ib_util.dll"), nullptr);
    for (int round = 0; round < 2; ++round) {  // a second load works as well
        HMODULE module = LoadLibraryA("kovudf.dll");
        ASSERT_NE(module, nullptr);
        char* block = strcat_of(module)("ab", "cd");
        ASSERT_NE(block, nullptr);
        EXPECT_STREQ(block, "abcd");
        EXPECT_GE(_msize(block), 5u);  // MSVCRT's heap knows the block
        std::free(block);

        // A thread starting and ending sends thread attach and detach.
        HANDLE thread = CreateThread(nullptr, 0, call_in_thread, module, 0, nullptr);
        ASSERT_NE(thread, nullptr);
        WaitForSingleObject(thread, INFINITE);
        DWORD code = 1;
        GetExitCodeThread(thread, &code);
        CloseHandle(thread);
        EXPECT_EQ(code, 0u);
        EXPECT_STREQ(strcat_of(module)("still", " here"), "still here");

        EXPECT_TRUE(FreeLibrary(module));
        EXPECT_EQ(GetModuleHandleA("kovudf.dll"), nullptr);
    }
}

TEST(WindowsLoader, WithIbUtilLoadedFirstBlocksComeFromIt) {
    HMODULE ib_util = LoadLibraryA("ib_util.dll");
    ASSERT_NE(ib_util, nullptr);
    auto block_size = reinterpret_cast<BlockSize>(
        reinterpret_cast<void*>(GetProcAddress(ib_util, "stand_in_block_size")));
    ASSERT_NE(block_size, nullptr);
    HMODULE module = LoadLibraryA("kovudf.dll");
    ASSERT_NE(module, nullptr);
    char* block = strcat_of(module)("ab", "cd");
    EXPECT_STREQ(block, "abcd");
    EXPECT_EQ(block_size(block), 5u);
    EXPECT_TRUE(FreeLibrary(module));
}

}  // namespace
