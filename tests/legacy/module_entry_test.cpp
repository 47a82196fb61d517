// The module entry routine driven through a stand-in loader.
#include "legacy/module_entry.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// What the stand-in loader offers and what it was asked.
struct LoaderScript {
    bool has_library = true;
    bool has_malloc = true;
    std::vector<std::string> calls;
    int held = 0;  // library references currently held
};
LoaderScript script;
int library_token;

void* fake_malloc_target(host_malloc_size) {
    return nullptr;
}

void* stand_in_load(const char* name) {
    script.calls.push_back(std::string("load ") + name);
    if (!script.has_library) {
        return nullptr;
    }
    ++script.held;
    return &library_token;
}

host_malloc_fn stand_in_find(void* library, const char* name) {
    script.calls.push_back(std::string("find ") + name);
    EXPECT_EQ(library, &library_token);
    return script.has_malloc ? &fake_malloc_target : nullptr;
}

void stand_in_free(void* library) {
    script.calls.push_back("free");
    EXPECT_EQ(library, &library_token);
    --script.held;
}

const ModuleLoader loader = {stand_in_load, stand_in_find, stand_in_free, nullptr};

void* server_malloc_target(host_malloc_size) {
    return nullptr;
}
host_malloc_fn server_allocator() {
    return &server_malloc_target;
}
host_malloc_fn no_server_allocator() {
    return nullptr;
}

class ModuleEntryTest : public ::testing::Test {
  protected:
    void SetUp() override {
        saved_malloc_ = host_malloc;
        host_malloc = nullptr;
        msvcrt_handle = nullptr;
        script = LoaderScript{};
    }
    void TearDown() override {
        msvcrt_handle = nullptr;
        host_malloc = saved_malloc_;
    }
    host_malloc_fn saved_malloc_ = nullptr;
};

TEST_F(ModuleEntryTest, AttachFindsMallocAndDetachReleasesIt) {
    EXPECT_EQ(module_entry(loader, module_process_attach), 1);
    EXPECT_EQ(host_malloc, &fake_malloc_target);
    EXPECT_EQ(msvcrt_handle, &library_token);
    EXPECT_EQ(script.calls, (std::vector<std::string>{"load MSVCRT.DLL", "find malloc"}));

    EXPECT_EQ(module_entry(loader, module_process_detach), 1);
    EXPECT_EQ(msvcrt_handle, nullptr);
    EXPECT_EQ(script.held, 0);
    // A second detach releases nothing.
    EXPECT_EQ(module_entry(loader, module_process_detach), 1);
    EXPECT_EQ(script.calls.back(), "free");
    EXPECT_EQ(script.calls.size(), 3u);
}

TEST_F(ModuleEntryTest, MissingLibraryFailsAttach) {
    script.has_library = false;
    EXPECT_EQ(module_entry(loader, module_process_attach), 0);
    EXPECT_EQ(msvcrt_handle, nullptr);
    EXPECT_EQ(script.calls, (std::vector<std::string>{"load MSVCRT.DLL"}));
    // Detach after the failed attach has nothing to release.
    EXPECT_EQ(module_entry(loader, module_process_detach), 1);
    EXPECT_EQ(script.calls.size(), 1u);
}

TEST_F(ModuleEntryTest, LibraryWithoutMallocIsReleasedAndAttachFails) {
    script.has_malloc = false;
    EXPECT_EQ(module_entry(loader, module_process_attach), 0);
    EXPECT_EQ(host_malloc, nullptr);
    EXPECT_EQ(msvcrt_handle, nullptr);
    EXPECT_EQ(script.held, 0);
    EXPECT_EQ(script.calls,
              (std::vector<std::string>{"load MSVCRT.DLL", "find malloc", "free"}));
    EXPECT_EQ(module_entry(loader, module_process_detach), 1);
    EXPECT_EQ(script.calls.size(), 3u);
}

TEST_F(ModuleEntryTest, ThreadNotificationsAndUnknownReasonsChangeNothing) {
    ASSERT_EQ(module_entry(loader, module_process_attach), 1);
    const auto calls = script.calls;
    EXPECT_EQ(module_entry(loader, module_thread_attach), 1);
    EXPECT_EQ(module_entry(loader, module_thread_detach), 1);
    EXPECT_EQ(module_entry(loader, 4), 0);
    EXPECT_EQ(module_entry(loader, 0xFFFFFFFFu), 0);
    EXPECT_EQ(script.calls, calls);
    EXPECT_EQ(host_malloc, &fake_malloc_target);
    EXPECT_EQ(msvcrt_handle, &library_token);
    module_entry(loader, module_process_detach);
}

// Where the server already has its own allocator, that is host_malloc and
// MSVCRT.DLL is neither loaded nor released.
TEST_F(ModuleEntryTest, ServerAllocatorComesFirst) {
    ModuleLoader with_server = loader;
    with_server.find_server_allocator = server_allocator;
    EXPECT_EQ(module_entry(with_server, module_process_attach), 1);
    EXPECT_EQ(host_malloc, &server_malloc_target);
    EXPECT_EQ(msvcrt_handle, nullptr);
    EXPECT_EQ(module_entry(with_server, module_process_detach), 1);
    EXPECT_TRUE(script.calls.empty());

    with_server.find_server_allocator = no_server_allocator;
    EXPECT_EQ(module_entry(with_server, module_process_attach), 1);
    EXPECT_EQ(host_malloc, &fake_malloc_target);
    module_entry(with_server, module_process_detach);
    EXPECT_EQ(script.held, 0);
}

}  // namespace
