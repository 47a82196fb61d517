// entries.h - the 41 entries the server calls, by family.  Their kinds are
// checked against the table of functions (signature_check.cpp).
//
// Every argument arrives by reference.  A text result is a fresh block from
// host_malloc that the server frees (declared FREE_IT); a BLOB result is the
// output record the server passed as the last argument, filled through its
// put_segment routine.  A null argument pointer (SQL NULL) or a failed
// allocation gives a null block (SQL NULL), 0 for a number, and an untouched
// output BLOB.
#pragma once

#include <cstdint>

#include "host.h"

// BLOBs
KOVUDF_ENTRY char* _UDF_BlobInfo(const BlobControl* blob);
KOVUDF_ENTRY int32_t _UDF_BlobSize(const BlobControl* blob);
KOVUDF_ENTRY BlobControl* _UDF_BlobCat(const BlobControl* first,
                                       const BlobControl* second, BlobControl* out);
KOVUDF_ENTRY BlobControl* _UDF_StrToBlob(const char* text, BlobControl* out);
KOVUDF_ENTRY BlobControl* _UDF_BlobAddStr(const BlobControl* blob, const char* text,
                                          BlobControl* out);
KOVUDF_ENTRY char* _UDF_BlobSubStr(const BlobControl* blob, const int32_t* start,
                                   const int16_t* length);
KOVUDF_ENTRY VaryingText* _UDF_BlobVSubStr(const BlobControl* blob, const int32_t* start,
                                           const int16_t* length);
KOVUDF_ENTRY BlobControl* _UDF_BlobSjisUpper(const BlobControl* blob, BlobControl* out);
KOVUDF_ENTRY BlobControl* _UDF_BlobSjisLower(const BlobControl* blob, BlobControl* out);
KOVUDF_ENTRY BlobControl* _UDF_FileToBlob(const char* file_name, BlobControl* out);
KOVUDF_ENTRY int32_t _UDF_BlobToFile(const BlobControl* blob, const char* file_name,
                                     const int32_t* unused);

// Text
KOVUDF_ENTRY int32_t _UDF_StrLen(const char* text);
KOVUDF_ENTRY int16_t _UDF_VStrLen(const VaryingText* text);
KOVUDF_ENTRY char* _UDF_SjisUpper(const char* text);
KOVUDF_ENTRY char* _UDF_SjisLower(const char* text);
KOVUDF_ENTRY char* _UDF_StrCat(const char* first, const char* second);
KOVUDF_ENTRY char* _UDF_SubStr(const char* text, const int16_t* start,
                               const int16_t* length);
KOVUDF_ENTRY VaryingText* _UDF_VSubStr(const char* text, const int16_t* start,
                                       const int16_t* length);
KOVUDF_ENTRY char* _UDF_Trim(const char* text);
KOVUDF_ENTRY char* _UDF_TrimLeft(const char* text);
KOVUDF_ENTRY char* _UDF_TrimRight(const char* text);
KOVUDF_ENTRY int32_t _UDF_VStrCmp(const VaryingText* first, const VaryingText* second);

// Numbers
KOVUDF_ENTRY double _UDF_Abs(const double* value);
KOVUDF_ENTRY int32_t _UDF_IAbs(const int32_t* value);
KOVUDF_ENTRY double _UDF_Round(const double* value, const int16_t* mode);
KOVUDF_ENTRY int32_t _UDF_Oct(const char* text);

// Dates
KOVUDF_ENTRY DateQuad* _UDF_AddDate(const DateQuad* date, const int32_t* years,
                                    const int32_t* months, const int32_t* days);
KOVUDF_ENTRY DateQuad* _UDF_AddTime(const DateQuad* date, const int32_t* hours,
                                    const int32_t* minutes, const int32_t* seconds);
KOVUDF_ENTRY DateQuad* _UDF_JDate(const char* text);
KOVUDF_ENTRY DateQuad* _UDF_ToDateTime(const int16_t* year, const int16_t* month,
                                       const int16_t* day, const int16_t* hour,
                                       const int16_t* minute, const int16_t* second);
KOVUDF_ENTRY DateQuad* _UDF_ToDate(const int16_t* year, const int16_t* month,
                                   const int16_t* day);
KOVUDF_ENTRY DateQuad* _UDF_ToTime(const int16_t* hour, const int16_t* minute,
                                   const int16_t* second);
KOVUDF_ENTRY DateQuad* _UDF_JoinDateTime(const DateQuad* date, const DateQuad* time);
KOVUDF_ENTRY int16_t _UDF_GetYear(const DateQuad* date);
KOVUDF_ENTRY int16_t _UDF_GetMon(const DateQuad* date);
KOVUDF_ENTRY int16_t _UDF_GetDay(const DateQuad* date);
KOVUDF_ENTRY int16_t _UDF_GetHour(const DateQuad* date);
KOVUDF_ENTRY int16_t _UDF_GetMin(const DateQuad* date);
KOVUDF_ENTRY int16_t _UDF_GetSec(const DateQuad* date);
KOVUDF_ENTRY int32_t _UDF_DayOfWeek(const DateQuad* date);
KOVUDF_ENTRY int32_t _UDF_DiffDay(const DateQuad* first, const DateQuad* second);
