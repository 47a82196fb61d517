// eh_frames_win32.cpp - C++ exceptions of the 32-bit Windows modules in a
// process that holds the shared libgcc_s_dw2-1.dll.
//
// The module carries its own unwinder (it is linked with -static-libgcc).
// But when it is loaded, mingw's start-up code registers the module's
// unwind tables with the shared libgcc_s_dw2-1.dll if the process has one
// (a server built with mingw does), where the module's own unwinder never
// looks: every routine error would then end the server process (abort).  So the
// tables are registered with the module's own unwinder too, found in the
// module's .eh_frame section.  64-bit modules unwind through the system's
// tables and need none of this.
#if defined(_WIN32) && !defined(_WIN64) && defined(__GNUC__)

#include <windows.h>

#include <cstdint>
#include <cstring>

extern "C" void __register_frame_info(const void* begin, void* object);
extern "C" void* __deregister_frame_info(const void* begin);

namespace {

// The module's .eh_frame section, or null.
const void* own_unwind_tables() {
    HMODULE self = nullptr;
    if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            reinterpret_cast<LPCSTR>(&own_unwind_tables), &self)) {
        return nullptr;
    }
    const auto* base = reinterpret_cast<const unsigned char*>(self);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_SECTION_HEADER* section = IMAGE_FIRST_SECTION(nt);
    for (unsigned i = 0; i < nt->FileHeader.NumberOfSections; ++i, ++section) {
        // GNU ld names it in the string table, which is not loaded ("/4"),
        // or cut to 8 bytes; the other long names are debugging sections,
        // which are discardable.  It starts with a CIE: a length, then 0.
        const bool named = std::memcmp(section->Name, ".eh_fram", 8) == 0 ||
                           (section->Name[0] == '/' &&
                            !(section->Characteristics & IMAGE_SCN_MEM_DISCARDABLE));
        const unsigned char* tables = base + section->VirtualAddress;
        uint32_t record[2];
        if (named && section->Misc.VirtualSize >= sizeof record) {
            std::memcpy(record, tables, sizeof record);
            if (record[0] != 0 && record[1] == 0) {
                return tables;
            }
        }
    }
    return nullptr;
}

// libgcc's bookkeeping for one registration: six words in its sources,
// given room to spare.
void* registration[16];

struct OwnUnwinder {
    OwnUnwinder() {
        if (GetModuleHandleA("libgcc_s_dw2-1.dll") != nullptr) {
            tables = own_unwind_tables();
            if (tables != nullptr) {
                __register_frame_info(tables, registration);
            }
        }
    }
    ~OwnUnwinder() {
        if (tables != nullptr) {
            __deregister_frame_info(tables);
        }
    }
    const void* tables = nullptr;
} own_unwinder;

}  // namespace

#endif
