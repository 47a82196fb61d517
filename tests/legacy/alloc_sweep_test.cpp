// Allocation failure: every entry is called again and again, with the first,
// second, ... allocation of its path failing (result blocks and module heap
// alike), until a call gets through without a failure.  Each failing call
// must give the documented result (SQL NULL, an untouched output BLOB, a
// nonzero code from UDF_BLOBTOFILE with the file as it was), hand out no
// block and hold no module memory afterwards.
#if !defined(_WIN32)
#include <unistd.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "legacy/entries.h"
#include "support/failing_heap.h"
#include "support/stand_in_host.h"

namespace {

class AllocationSweep : public HostTest {};

struct Entry {
    const char* name;
    // Calls the entry; true when the result is the one documented for a
    // failed allocation.
    std::function<bool()> failed_cleanly;
};

template <class T>
bool is_null(T* result) {
    return result == nullptr;
}

TEST_F(AllocationSweep, EveryEntryFailsCleanlyAtEveryAllocation) {
    host_malloc = &failing_host_malloc;
    const std::string dir = "/tmp/kovudf_sweep_" + std::to_string(getpid());
    ASSERT_EQ(system(("mkdir -p " + dir).c_str()), 0);
    const std::string kept = dir + "/kept", source = dir + "/source";
    write_file(source, Bytes(20000, 'f'));
    const std::string long_date = std::string(300, ' ') + "2002/6/21";
    const char* text = "  Ab\x82\x60 ";
    const Bytes varchar = {3, 0, 'a', 'b', 'c', 0};
    const auto* v = reinterpret_cast<const VaryingText*>(varchar.data());
    const int16_t s0 = 0, s2 = 2, year = 2002, month = 6;
    const int32_t i0 = 0, i1 = 1, i5 = 5;
    const double d = -2.5;
    const DateQuad when{52446, 360000000};

    // A BLOB of two segments, fresh for every call, and an output to check.
    auto blob = [] {
        return std::make_unique<StandInBlob>(
            std::vector<Bytes>{Bytes(10, 'a'), Bytes(30, 'b')});
    };
    auto untouched = [&](BlobControl* (*entry)(const BlobControl*, BlobControl*)) {
        auto in = blob();
        StandInBlob out = StandInBlob::output();
        entry(&in->record(), &out.record());
        return out.written().empty();
    };

    const std::vector<Entry> entries = {
        {"BlobInfo", [&] { return is_null(_UDF_BlobInfo(&blob()->record())); }},
        {"BlobSize", [&] { return _UDF_BlobSize(&blob()->record()) == 40; }},
        {"BlobCat",
         [&] {
             auto a = blob(), b = blob();
             StandInBlob out = StandInBlob::output();
             _UDF_BlobCat(&a->record(), &b->record(), &out.record());
             return out.written().empty();
         }},
        {"StrToBlob",
         [&] {
             StandInBlob out = StandInBlob::output();
             _UDF_StrToBlob(text, &out.record());
             return out.written().empty();
         }},
        {"BlobAddStr",
         [&] {
             auto a = blob();
             StandInBlob out = StandInBlob::output();
             _UDF_BlobAddStr(&a->record(), "x", &out.record());
             return out.written().empty();
         }},
        {"BlobSubStr",
         [&] { return is_null(_UDF_BlobSubStr(&blob()->record(), &i5, &s2)); }},
        {"BlobVSubStr",
         [&] { return is_null(_UDF_BlobVSubStr(&blob()->record(), &i5, &s2)); }},
        {"BlobSjisUpper", [&] { return untouched(_UDF_BlobSjisUpper); }},
        {"BlobSjisLower", [&] { return untouched(_UDF_BlobSjisLower); }},
        {"FileToBlob",
         [&] {
             StandInBlob out = StandInBlob::output();
             _UDF_FileToBlob(source.c_str(), &out.record());
             return out.written().empty();
         }},
        {"BlobToFile",
         [&] {
             write_file(kept, bytes_of("as it was"));
             const int32_t code = _UDF_BlobToFile(&blob()->record(), kept.c_str(), &i0);
             return code != 0 && string_of(read_file(kept)) == "as it was";
         }},
        {"StrLen", [&] { return _UDF_StrLen(text) == 8; }},
        {"VStrLen", [&] { return _UDF_VStrLen(v) == 3; }},
        {"SjisUpper", [&] { return is_null(_UDF_SjisUpper(text)); }},
        {"SjisLower", [&] { return is_null(_UDF_SjisLower(text)); }},
        {"StrCat", [&] { return is_null(_UDF_StrCat(text, text)); }},
        {"SubStr", [&] { return is_null(_UDF_SubStr(text, &s0, &s2)); }},
        {"VSubStr", [&] { return is_null(_UDF_VSubStr(text, &s0, &s2)); }},
        {"Trim", [&] { return is_null(_UDF_Trim(text)); }},
        {"TrimLeft", [&] { return is_null(_UDF_TrimLeft(text)); }},
        {"TrimRight", [&] { return is_null(_UDF_TrimRight(text)); }},
        {"VStrCmp", [&] { return _UDF_VStrCmp(v, v) == 0; }},
        {"Abs", [&] { return _UDF_Abs(&d) == 2.5; }},
        {"IAbs", [&] { return _UDF_IAbs(&i5) == 5; }},
        {"Round", [&] { return _UDF_Round(&d, &s2) == -3.0; }},
        {"Oct", [&] { return _UDF_Oct("17") == 15; }},
        {"AddDate", [&] { return is_null(_UDF_AddDate(&when, &i1, &i1, &i1)); }},
        {"AddTime", [&] { return is_null(_UDF_AddTime(&when, &i1, &i1, &i1)); }},
        {"JDate (long text)", [&] { return is_null(_UDF_JDate(long_date.c_str())); }},
        {"ToDateTime",
         [&] { return is_null(_UDF_ToDateTime(&year, &month, &s2, &s2, &s2, &s2)); }},
        {"ToDate", [&] { return is_null(_UDF_ToDate(&year, &month, &s2)); }},
        {"ToTime", [&] { return is_null(_UDF_ToTime(&s2, &s2, &s2)); }},
        {"JoinDateTime", [&] { return is_null(_UDF_JoinDateTime(&when, &when)); }},
        {"GetYear", [&] { return _UDF_GetYear(&when) != 0; }},
        {"GetMon", [&] { return _UDF_GetMon(&when) != 0; }},
        {"GetDay", [&] { return _UDF_GetDay(&when) != 0; }},
        {"GetHour", [&] { return _UDF_GetHour(&when) == 10; }},
        {"GetMin", [&] { return _UDF_GetMin(&when) == 0; }},
        {"GetSec", [&] { return _UDF_GetSec(&when) == 0; }},
        {"DayOfWeek", [&] { return _UDF_DayOfWeek(&when) >= 0; }},
        {"DiffDay", [&] { return _UDF_DiffDay(&when, &when) == 0; }},
    };
    ASSERT_EQ(entries.size(), 41u);

    size_t failures_tried = 0;
    for (const Entry& entry : entries) {
        for (size_t k = 1;; ++k) {
            const size_t blocks_before = stand_in_blocks_handed_out();
            failing_heap_arm(k);
            const bool clean = entry.failed_cleanly();
            const FailingHeapReport report = failing_heap_disarm();
            if (report.allocations < k) {
                break;  // no allocation failed: the path is exhausted
            }
            ++failures_tried;
            SCOPED_TRACE(std::string(entry.name) + ", allocation " + std::to_string(k));
            EXPECT_TRUE(clean);
            EXPECT_EQ(stand_in_blocks_handed_out(), blocks_before);
            EXPECT_EQ(report.module_blocks_held, 0u);
        }
    }
    EXPECT_GE(failures_tried, 25u);  // the sweep did reach the allocations
    ASSERT_EQ(system(("rm -rf " + dir).c_str()), 0);
}

}  // namespace
#endif
