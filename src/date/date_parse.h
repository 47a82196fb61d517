// date_parse.h - reading a date typed by a person.
//
// Year first, parts separated by "/", "-" or "."; a time of day after it
// with ":".  Missing date parts come from today's local date, missing time
// parts are 0; every text gives a date.  Blanks next to anything but digits
// are dropped; a blank between digits separates parts.
#pragma once

#include <cstddef>
#include <ctime>

#include "date_values.h"

// Fills the six date and time fields of *out from the text and returns out
// (null only when a long text's working copy cannot be allocated); `today`
// is called only when the text gives fewer than three date parts.  The
// fields are as typed: out of range until normalised.
std::tm* parse_date_text(const char* text, std::tm* out, const TodayReader& today);
// The same for a counted text, which may hold zero bytes.
std::tm* parse_date_span(const char* text, size_t length, std::tm* out,
                         const TodayReader& today);
