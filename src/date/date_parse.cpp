// date_parse.cpp - the tolerant date parser behind UDF_JDATE.
//
// The text is first copied without the blanks that do not stand between two
// digits.  The scan then splits it at separators: "/", "-", "." and a blank
// end date parts; ":" ends time parts, and once a ":" was met a blank does
// too.  Each part is read like atoi.  At most three date parts and three time
// parts are kept.
#include "date_parse.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

bool is_atoi_space(unsigned char c) {
    return c == ' ' || (c >= 0x09 && c <= 0x0D);
}

// atoi's rules, with 32-bit wrap-around instead of overflow.
int32_t part_value(const char* part) {
    const auto* p = reinterpret_cast<const unsigned char*>(part);
    while (is_atoi_space(*p)) {
        ++p;
    }
    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = *p == '-';
        ++p;
    }
    uint32_t value = 0;
    for (; *p >= '0' && *p <= '9'; ++p) {
        value = value * 10u + (*p - '0');
    }
    return static_cast<int32_t>(negative ? 0u - value : value);
}

// Copies the text, keeping a blank only right after a copied digit and right
// before a digit.  Returns the copy's length.
size_t copy_without_loose_blanks(const char* text, size_t length, char* copy) {
    size_t n = 0;
    for (size_t i = 0; i < length; ++i) {
        const bool digit_next = i + 1 < length && is_digit(text[i + 1]);
        if (text[i] == ' ' && !(n > 0 && is_digit(copy[n - 1]) && digit_next)) {
            continue;
        }
        copy[n++] = text[i];
    }
    copy[n] = '\0';
    return n;
}

enum class Mode { none, date, time };

struct Parts {
    int32_t date[3];
    int date_count = 0;
    int32_t time[3];
    int time_count = 0;
};

void scan(char* copy, size_t length, Parts& parts) {
    Mode mode = Mode::none;
    bool blank_met = false;
    char* part = copy;
    for (size_t i = 0; i < length; ++i) {
        char& c = copy[i];
        const bool blank = c == ' ';
        blank_met = blank_met || blank;
        if (c == '/' || c == '-' || c == '.' || (blank && mode != Mode::time)) {
            if (parts.date_count < 3) {
                c = '\0';
                parts.date[parts.date_count++] = part_value(part);
            }
            part = &c + 1;
            mode = Mode::date;
        } else if (c == ':' || (blank && mode == Mode::time)) {
            if (parts.time_count < 3) {
                c = '\0';
                parts.time[parts.time_count++] = part_value(part);
            }
            part = &c + 1;
            mode = Mode::time;
        }
        if (parts.date_count == 3 && parts.time_count == 3) {
            return;
        }
    }
    // The part behind the last separator.  After a blank it is a time part:
    // "2002/06/21 10" ends with the hour.
    if (mode == Mode::date && !blank_met && parts.date_count < 3) {
        parts.date[parts.date_count++] = part_value(part);
    } else if (mode != Mode::none && parts.time_count < 3) {
        parts.time[parts.time_count++] = part_value(part);
    }
}

void fill_date(const Parts& parts, std::tm* out, const TodayReader& today) {
    std::tm now{};
    if (parts.date_count < 3) {
        today(&now);
    }
    out->tm_year = now.tm_year;
    out->tm_mon = now.tm_mon;
    out->tm_mday = now.tm_mday;
    switch (parts.date_count) {
        case 3:
            out->tm_year = static_cast<int>(static_cast<uint32_t>(parts.date[0]) - 1900u);
            out->tm_mon = static_cast<int>(static_cast<uint32_t>(parts.date[1]) - 1u);
            out->tm_mday = parts.date[2];
            break;
        case 2:
            out->tm_mon = static_cast<int>(static_cast<uint32_t>(parts.date[0]) - 1u);
            out->tm_mday = parts.date[1];
            break;
        case 1:
            out->tm_mday = parts.date[0];
            break;
        default:
            break;
    }
}

void fill_time(const Parts& parts, std::tm* out) {
    out->tm_hour = parts.time_count > 0 ? parts.time[0] : 0;
    out->tm_min = parts.time_count > 1 ? parts.time[1] : 0;
    out->tm_sec = parts.time_count > 2 ? parts.time[2] : 0;
}

}  // namespace

std::tm* parse_date_text(const char* text, std::tm* out, const TodayReader& today) {
    return parse_date_span(text, std::strlen(text), out, today);
}

// A zero byte inside a counted text ends the part it stands in, like any
// other byte that is neither a digit nor a separator.
std::tm* parse_date_span(const char* text, size_t length, std::tm* out,
                         const TodayReader& today) {
    // The working copy is never longer than the text: on the stack when
    // short, else from the module heap.
    char small[256];
    std::unique_ptr<char, void (*)(void*)> large(nullptr, std::free);
    char* copy = small;
    if (length >= sizeof small) {
        large.reset(static_cast<char*>(std::malloc(length + 1)));
        copy = large.get();
        if (copy == nullptr) {
            return nullptr;
        }
    }
    Parts parts;
    scan(copy, copy_without_loose_blanks(text, length, copy), parts);
    fill_date(parts, out, today);
    fill_time(parts, out);
    return out;
}
