// dll_entries.h - the unit tests' view of kovudf.dll.
//
// Included ahead of every Windows test source: each entry name becomes a
// call through the address GetProcAddress gives for it in kovudf.dll, loaded
// with LoadLibrary as the server loads it.  The test sources stay the same
// on every platform.
#pragma once

#include "legacy/entries.h"

// The address of an exported entry; the test fails at once if it is missing.
void* kovudf_dll_entry(const char* name);

template <class Function>
Function kovudf_entry(const char* name) {
    return reinterpret_cast<Function>(kovudf_dll_entry(name));
}

#define KOVUDF_FROM_DLL(name) (kovudf_entry<decltype(&::name)>(#name))

// One "#define _UDF_Name KOVUDF_FROM_DLL(_UDF_Name)" for each export of
// kovudf.def, written by CMake.
#include "dll_entry_names.h"
