// clock.cpp - reading the local date, per platform.
#include "clock.h"

void read_local_today(std::tm* today) {
    const std::time_t now = std::time(nullptr);
#if defined(_WIN32)
    localtime_s(today, &now);
#else
    localtime_r(&now, today);
#endif
}
