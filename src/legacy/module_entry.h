// module_entry.h - loading and unloading the module inside the server.
//
// On Windows the loader calls the module entry routine with a reason code;
// at process attach the module loads MSVCRT.DLL and takes its malloc as
// host_malloc, and at process detach it lets the library go.  The logic runs
// over a tiny loader interface so that it is the same code on the real
// Windows loader and on the stand-in the unit tests drive.
#pragma once

#include <cstdint>

#include "host.h"

// The loader operations the module needs.
struct ModuleLoader {
    void* (*load_library)(const char* name);                         // LoadLibraryA
    host_malloc_fn (*find_malloc)(void* library, const char* name);  // GetProcAddress
    void (*free_library)(void* library);                             // FreeLibrary
    // The allocator of a server that frees only its own blocks (Firebird's
    // ib_util_malloc), when the process already has it; may be null.
    host_malloc_fn (*find_server_allocator)();
};

// Loader notifications, as Windows numbers them.
enum : uint32_t {
    module_process_detach = 0,
    module_process_attach = 1,
    module_thread_attach = 2,
    module_thread_detach = 3,
};

// The handle of MSVCRT.DLL while the module holds it, else null.
extern void* msvcrt_handle;

// What the entry routine returns to the loader for `reason`: 1, or 0 when
// process attach failed or the reason is unknown.
int module_entry(const ModuleLoader& loader, uint32_t reason);

// Attach: take the server's own allocator when the process has one;
// otherwise load MSVCRT.DLL and find malloc, and on failure release and
// return 0.
int module_attach(const ModuleLoader& loader);

// Release: give up MSVCRT.DLL if it is held.
void module_release(const ModuleLoader& loader);
