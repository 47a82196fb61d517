// dllmain_win.cpp - the Windows module entry routine.
//
// The loader calls DllMain with process and thread notifications.  Process
// attach finds the result allocator (see module_entry.cpp): the server's
// ib_util_malloc when ib_util.dll is already loaded, else MSVCRT.DLL's
// malloc.  If neither can be had, attach returns 0 and Windows refuses to
// load the module, so no entry ever runs without host_malloc.
#if defined(_WIN32)

#include <windows.h>

#include "module_entry.h"

host_malloc_fn host_malloc = nullptr;

namespace {

void* windows_load_library(const char* name) {
    return reinterpret_cast<void*>(LoadLibraryA(name));
}

host_malloc_fn windows_find_malloc(void* library, const char* name) {
    FARPROC found = GetProcAddress(static_cast<HMODULE>(library), name);
    return reinterpret_cast<host_malloc_fn>(reinterpret_cast<void*>(found));
}

void windows_free_library(void* library) {
    FreeLibrary(static_cast<HMODULE>(library));
}

// ib_util.dll only when the server process already has it: no new load.
host_malloc_fn windows_find_server_allocator() {
    HMODULE ib_util = GetModuleHandleA("ib_util.dll");
    return ib_util == nullptr ? nullptr : windows_find_malloc(ib_util, "ib_util_malloc");
}

const ModuleLoader windows_loader = {windows_load_library, windows_find_malloc,
                                     windows_free_library, windows_find_server_allocator};

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    return module_entry(windows_loader, reason);
}

#endif
