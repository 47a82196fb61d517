// stand_in_codec.cpp - the server client library's date codec, for the
// Windows tests: a TIMESTAMP is the days since 17 November 1858 and the
// ten-thousandths of a second of the day.  Built as gds32.dll (ordinals 125
// and 129, stdcall) for the 32-bit module.  Fields out of range are
// normalised, as the server's encoder does.
#include <cstdint>
#include <ctime>

#include "date/calendar.h"

namespace {

struct Timestamp {
    int32_t date;
    uint32_t time;
};

int64_t epoch() {
    std::tm t{};
    t.tm_year = 1858 - 1900;
    t.tm_mon = 10;
    t.tm_mday = 17;
    return tm_to_day_number(t);
}

void decode(const void* value, void* out) {
    const auto* ts = static_cast<const Timestamp*>(value);
    auto* t = static_cast<std::tm*>(out);
    day_number_to_tm(epoch() + ts->date, *t);
    const uint32_t seconds = ts->time / 10000;
    t->tm_hour = static_cast<int>(seconds / 3600);
    t->tm_min = static_cast<int>(seconds / 60 % 60);
    t->tm_sec = static_cast<int>(seconds % 60);
}

void encode(const void* in, void* value) {
    const auto* t = static_cast<const std::tm*>(in);
    auto* ts = static_cast<Timestamp*>(value);
    ts->date = static_cast<int32_t>(tm_to_day_number(*t) - epoch());
    ts->time =
        static_cast<uint32_t>(((t->tm_hour * 60 + t->tm_min) * 60 + t->tm_sec) * 10000);
}

}  // namespace

#if defined(_WIN64)
extern "C" void isc_decode_timestamp(const void* value, void* out) {
    decode(value, out);
}
extern "C" void isc_encode_timestamp(const void* in, void* value) {
    encode(in, value);
}
#else
extern "C" void __stdcall stand_in_decode(const void* value, void* out) {
    decode(value, out);
}
extern "C" void __stdcall stand_in_encode(const void* in, void* value) {
    encode(in, value);
}
#endif
