// clock.h - today's date on the server machine, in local time.
#pragma once

#include <ctime>

// Fills *today from the current time with the thread-safe local-time
// conversion (localtime_r; localtime_s on Windows).
void read_local_today(std::tm* today);
