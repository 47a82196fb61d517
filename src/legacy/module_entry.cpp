// module_entry.cpp - the attach and release steps of the module entry routine.
#include "module_entry.h"

void* msvcrt_handle = nullptr;

void module_release(const ModuleLoader& loader) {
    if (msvcrt_handle != nullptr) {
        loader.free_library(msvcrt_handle);
        msvcrt_handle = nullptr;
    }
}

int module_attach(const ModuleLoader& loader) {
    // Firebird 2.5 and later refuse a FREE_IT block that ib_util_malloc did
    // not make, so its allocator comes first when the server has loaded it.
    if (loader.find_server_allocator != nullptr) {
        const host_malloc_fn server_allocator = loader.find_server_allocator();
        if (server_allocator != nullptr) {
            host_malloc = server_allocator;
            return 1;
        }
    }
    msvcrt_handle = loader.load_library("MSVCRT.DLL");
    if (msvcrt_handle != nullptr) {
        host_malloc = loader.find_malloc(msvcrt_handle, "malloc");
        if (host_malloc != nullptr) {
            return 1;
        }
    }
    module_release(loader);
    return 0;
}

int module_entry(const ModuleLoader& loader, uint32_t reason) {
    switch (reason) {
        case module_process_detach:
            module_release(loader);
            return 1;
        case module_process_attach:
            return module_attach(loader);
        case module_thread_attach:
        case module_thread_detach:
            return 1;
        default:
            return 0;
    }
}
