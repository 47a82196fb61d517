// date_codec.h - the legacy front's date codec: the server's 8-byte date value
// into a tm and back, through the server's client library.
//
// The server's client library does the work (isc_decode_timestamp and
// isc_encode_timestamp; GDS32.DLL ordinals 125 and 129 on 32-bit Windows),
// but on 64-bit Windows the library's own calendar does.
// The encoder normalises fields out of range: month 13 of 2002 is January
// 2003.
#pragma once

#include <ctime>

#include "host.h"

void date_quad_to_tm(const DateQuad* date, std::tm* out);
void tm_to_date_quad(const std::tm* in, DateQuad* date);
