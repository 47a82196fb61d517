// Threads: every entry called from several threads at once (run under
// ThreadSanitizer by ./run test), each thread's results compared with the
// results of the same calls made by one thread alone.
#if !defined(_WIN32)
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "legacy/entries.h"
#include "support/stand_in_host.h"

namespace {

class Threads : public HostTest {};

std::string text_of(const char* block) {
    return block == nullptr ? "<null>" : std::string(block);
}
std::string varying_of(const VaryingText* v) {
    return v == nullptr ? "<null>"
                        : std::string(reinterpret_cast<const char*>(varying_bytes(v)),
                                      varying_length(v));
}
std::string date_of(const DateQuad* q) {
    return q == nullptr ? "<null>"
                        : std::to_string(q->date) + "/" + std::to_string(q->time);
}

// One pass over all 41 entries with inputs that vary with `seed`; the
// results joined into one text.
std::string all_entries(int seed) {
    std::ostringstream out;
    const std::string text = "  Ab\x82\x60\x82\x81 x" + std::to_string(seed) + "  ";
    const char* t = text.c_str();
    const Bytes varchar = {3,   0, 'a', static_cast<unsigned char>('a' + seed % 26),
                           'c', 0};
    const auto* v = reinterpret_cast<const VaryingText*>(varchar.data());
    const int16_t s1 = static_cast<int16_t>(seed % 7), s3 = 3, year = 2002,
                  month = static_cast<int16_t>(seed % 30 - 10);
    const int32_t i1 = seed % 100 - 50, i3 = 3;
    const double d = seed * 0.25 - 3.0;
    const DateQuad when{52446 + seed, static_cast<uint32_t>(seed) * 10001u % 864000000u};
    auto blob = [&] {
        return std::make_unique<StandInBlob>(std::vector<Bytes>{
            bytes_of(text), Bytes(50 + seed % 50, 0x82), bytes_of("aZ")});
    };
    auto blob_out = [&](BlobControl* (*entry)(const BlobControl*, BlobControl*)) {
        auto in = blob();
        StandInBlob o = StandInBlob::output();
        entry(&in->record(), &o.record());
        return string_of(o.contents());
    };
    auto two_blobs = [&](bool cat) {
        auto a = blob(), b = blob();
        StandInBlob o = StandInBlob::output();
        cat ? _UDF_BlobCat(&a->record(), &b->record(), &o.record())
            : _UDF_BlobAddStr(&a->record(), t, &o.record());
        return string_of(o.contents());
    };
    StandInBlob from_text = StandInBlob::output();
    _UDF_StrToBlob(t, &from_text.record());

    out << text_of(_UDF_BlobInfo(&blob()->record())) << _UDF_BlobSize(&blob()->record())
        << two_blobs(true) << two_blobs(false) << string_of(from_text.contents())
        << text_of(_UDF_BlobSubStr(&blob()->record(), &i3, &s3))
        << varying_of(_UDF_BlobVSubStr(&blob()->record(), &i3, &s3))
        << blob_out(_UDF_BlobSjisUpper) << blob_out(_UDF_BlobSjisLower) << _UDF_StrLen(t)
        << _UDF_VStrLen(v) << text_of(_UDF_SjisUpper(t)) << text_of(_UDF_SjisLower(t))
        << text_of(_UDF_StrCat(t, t)) << text_of(_UDF_SubStr(t, &s1, &s3))
        << varying_of(_UDF_VSubStr(t, &s1, &s3)) << text_of(_UDF_Trim(t))
        << text_of(_UDF_TrimLeft(t)) << text_of(_UDF_TrimRight(t)) << _UDF_VStrCmp(v, v)
        << _UDF_Abs(&d) << _UDF_IAbs(&i1) << _UDF_Round(&d, &s1) << _UDF_Oct(t)
        << date_of(_UDF_AddDate(&when, &i1, &i1, &i1))
        << date_of(_UDF_AddTime(&when, &i1, &i1, &i1))
        << date_of(_UDF_JDate("2002/6/21 10:30"))
        << date_of(_UDF_ToDateTime(&year, &month, &s1, &s3, &s3, &s1))
        << date_of(_UDF_ToDate(&year, &month, &s1)) << date_of(_UDF_ToTime(&s3, &s1, &s3))
        << date_of(_UDF_JoinDateTime(&when, &when)) << _UDF_GetYear(&when)
        << _UDF_GetMon(&when) << _UDF_GetDay(&when) << _UDF_GetHour(&when)
        << _UDF_GetMin(&when) << _UDF_GetSec(&when) << _UDF_DayOfWeek(&when)
        << _UDF_DiffDay(&when, &when);
    return out.str();
}

TEST_F(Threads, EveryEntryGivesTheSameResultsFromManyThreads) {
    const int threads = 6, rounds = 40;
    std::vector<std::string> alone(rounds);
    for (int i = 0; i < rounds; ++i) {
        alone[i] = all_entries(i);
    }
    std::vector<int> mismatches(threads, 0);
    std::vector<std::thread> running;
    for (int n = 0; n < threads; ++n) {
        running.emplace_back([&, n] {
            for (int i = 0; i < rounds; ++i) {
                const int seed = (i + n * 7) % rounds;
                mismatches[n] += all_entries(seed) != alone[seed];
            }
        });
    }
    for (std::thread& t : running) {
        t.join();
    }
    EXPECT_EQ(mismatches, std::vector<int>(threads, 0));
}

}  // namespace
#endif
