// dll_entries.h - the unit tests' view of kovudf.dll.
//
// Included ahead of every Windows test source: each entry name becomes a
// call through the address GetProcAddress gives for it in kovudf.dll, loaded
// with LoadLibrary as the server loads it.  The test sources stay the same
// on every platform.
#pragma once

#include "module/kovudf.h"

// The address of an exported entry; the test fails at once if it is missing.
void* kovudf_dll_entry(const char* name);

template <class Function>
Function kovudf_entry(const char* name) {
    return reinterpret_cast<Function>(kovudf_dll_entry(name));
}

#define KOVUDF_FROM_DLL(name) (kovudf_entry<decltype(&::name)>(#name))

#define _UDF_BlobInfo KOVUDF_FROM_DLL(_UDF_BlobInfo)
#define _UDF_BlobSize KOVUDF_FROM_DLL(_UDF_BlobSize)
#define _UDF_BlobCat KOVUDF_FROM_DLL(_UDF_BlobCat)
#define _UDF_StrToBlob KOVUDF_FROM_DLL(_UDF_StrToBlob)
#define _UDF_BlobAddStr KOVUDF_FROM_DLL(_UDF_BlobAddStr)
#define _UDF_BlobSubStr KOVUDF_FROM_DLL(_UDF_BlobSubStr)
#define _UDF_BlobVSubStr KOVUDF_FROM_DLL(_UDF_BlobVSubStr)
#define _UDF_BlobSjisUpper KOVUDF_FROM_DLL(_UDF_BlobSjisUpper)
#define _UDF_BlobSjisLower KOVUDF_FROM_DLL(_UDF_BlobSjisLower)
#define _UDF_FileToBlob KOVUDF_FROM_DLL(_UDF_FileToBlob)
#define _UDF_BlobToFile KOVUDF_FROM_DLL(_UDF_BlobToFile)
#define _UDF_Oct KOVUDF_FROM_DLL(_UDF_Oct)
#define _UDF_StrLen KOVUDF_FROM_DLL(_UDF_StrLen)
#define _UDF_VStrLen KOVUDF_FROM_DLL(_UDF_VStrLen)
#define _UDF_SjisUpper KOVUDF_FROM_DLL(_UDF_SjisUpper)
#define _UDF_SjisLower KOVUDF_FROM_DLL(_UDF_SjisLower)
#define _UDF_StrCat KOVUDF_FROM_DLL(_UDF_StrCat)
#define _UDF_SubStr KOVUDF_FROM_DLL(_UDF_SubStr)
#define _UDF_VSubStr KOVUDF_FROM_DLL(_UDF_VSubStr)
#define _UDF_Trim KOVUDF_FROM_DLL(_UDF_Trim)
#define _UDF_TrimLeft KOVUDF_FROM_DLL(_UDF_TrimLeft)
#define _UDF_TrimRight KOVUDF_FROM_DLL(_UDF_TrimRight)
#define _UDF_VStrCmp KOVUDF_FROM_DLL(_UDF_VStrCmp)
#define _UDF_Abs KOVUDF_FROM_DLL(_UDF_Abs)
#define _UDF_IAbs KOVUDF_FROM_DLL(_UDF_IAbs)
#define _UDF_Round KOVUDF_FROM_DLL(_UDF_Round)
#define _UDF_AddDate KOVUDF_FROM_DLL(_UDF_AddDate)
#define _UDF_AddTime KOVUDF_FROM_DLL(_UDF_AddTime)
#define _UDF_JDate KOVUDF_FROM_DLL(_UDF_JDate)
#define _UDF_ToDateTime KOVUDF_FROM_DLL(_UDF_ToDateTime)
#define _UDF_ToDate KOVUDF_FROM_DLL(_UDF_ToDate)
#define _UDF_ToTime KOVUDF_FROM_DLL(_UDF_ToTime)
#define _UDF_JoinDateTime KOVUDF_FROM_DLL(_UDF_JoinDateTime)
#define _UDF_GetYear KOVUDF_FROM_DLL(_UDF_GetYear)
#define _UDF_GetMon KOVUDF_FROM_DLL(_UDF_GetMon)
#define _UDF_GetDay KOVUDF_FROM_DLL(_UDF_GetDay)
#define _UDF_GetHour KOVUDF_FROM_DLL(_UDF_GetHour)
#define _UDF_GetMin KOVUDF_FROM_DLL(_UDF_GetMin)
#define _UDF_GetSec KOVUDF_FROM_DLL(_UDF_GetSec)
#define _UDF_DayOfWeek KOVUDF_FROM_DLL(_UDF_DayOfWeek)
#define _UDF_DiffDay KOVUDF_FROM_DLL(_UDF_DiffDay)
