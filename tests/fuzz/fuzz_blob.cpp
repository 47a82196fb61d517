// fuzz_blob.cpp - every BLOB entry on stand-in BLOBs whose bytes,
// segmentation (0 to 65535 bytes a segment), statistics (true or lying) and
// NULL handle come from the input.  The results must not depend on any of
// that: what is written equals the bytes joined as a reference would join
// them, substrings equal the slice, and a BLOB written to a file and read
// back is unchanged.  No output BLOB ever gets an empty segment.
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "fuzz_support.h"
#include "legacy/entries.h"

namespace {

Bytes joined(const Bytes& a, const Bytes& b) {
    Bytes out = a;
    out.insert(out.end(), b.begin(), b.end());
    return out;
}

// The slice that UDF_BLOBSUBSTR and UDF_BLOBVSUBSTR should return.
Bytes slice(const Bytes& all, int32_t start, int16_t length) {
    if (length <= 0 || start < 0 || static_cast<size_t>(start) >= all.size()) {
        return {};
    }
    const size_t n = std::min<size_t>(all.size() - start, static_cast<size_t>(length));
    return Bytes(all.begin() + start, all.begin() + start + n);
}

const std::string& scratch_file() {
    static const std::string name =
        "/tmp/kovudf_fuzz_blob_" + std::to_string(static_cast<long>(getpid()));
    return name;
}

Bytes file_bytes(const std::string& name) {
    Bytes out;
    if (FILE* f = std::fopen(name.c_str(), "rb")) {
        int c;
        while ((c = std::fgetc(f)) != EOF)
            out.push_back(static_cast<unsigned char>(c));
        std::fclose(f);
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    host_malloc = &fuzz_malloc;
    FuzzInput in(data, size);
    const int32_t start = in.take<int32_t>();
    const int16_t length = in.take<int16_t>();
    const uint16_t first_size = in.take<uint16_t>();
    const Bytes text_raw = in.take_bytes(in.take<uint8_t>());
    const Bytes first_bytes = in.take_bytes(first_size);
    FuzzBlob first(first_bytes, in);
    const Bytes second_bytes = in.take_bytes(in.take<uint16_t>());
    FuzzBlob second(second_bytes, in);
    const Bytes all = first.is_null() ? Bytes{} : first_bytes;
    const Bytes all2 = second.is_null() ? Bytes{} : second_bytes;
    const ExactText text(text_raw);
    const Bytes text_bytes(text_raw.begin(),
                           std::find(text_raw.begin(), text_raw.end(), 0));

    std::free(_UDF_BlobInfo(first.record()));
    FUZZ_CHECK(_UDF_BlobSize(first.record()) ==
               (first.is_null() ? 0 : first.record()->total_size));
    {
        FuzzBlob out;
        _UDF_BlobCat(first.record(), second.record(), out.record());
        FUZZ_CHECK(out.written() == joined(all, all2) && out.empty_puts() == 0);
    }
    for (bool with_text : {true, false}) {
        first.rewind();
        FuzzBlob out;
        _UDF_BlobAddStr(first.record(), with_text ? text.c_str() : nullptr, out.record());
        FUZZ_CHECK(out.written() == joined(all, with_text ? text_bytes : Bytes{}) &&
                   out.empty_puts() == 0);
    }
    {
        FuzzBlob out;
        _UDF_StrToBlob(text.c_str(), out.record());
        FUZZ_CHECK(out.written() == text_bytes);
    }
    const Bytes expected = slice(all, start, length);
    first.rewind();
    if (char* s = _UDF_BlobSubStr(first.record(), &start, &length)) {
        FUZZ_CHECK(std::equal(expected.begin(), expected.end(),
                              reinterpret_cast<const unsigned char*>(s)));
        FUZZ_CHECK(s[expected.size()] == 0);
        std::free(s);
    } else {
        FUZZ_CHECK(false);
    }
    first.rewind();
    VaryingText* v = _UDF_BlobVSubStr(first.record(), &start, &length);
    FUZZ_CHECK(v != nullptr && varying_length(v) == expected.size());
    FUZZ_CHECK(std::equal(expected.begin(), expected.end(), varying_bytes(v)));
    std::free(v);

    for (bool upper : {true, false}) {
        first.rewind();
        FuzzBlob out;
        (upper ? _UDF_BlobSjisUpper : _UDF_BlobSjisLower)(first.record(), out.record());
        FUZZ_CHECK(out.written() == reference_case(all, upper) && out.empty_puts() == 0);
    }

    first.rewind();
    std::remove(scratch_file().c_str());
    const int32_t code = _UDF_BlobToFile(first.record(), scratch_file().c_str(), nullptr);
    FUZZ_CHECK(code == (first.is_null() ? -999 : 0));
    if (!first.is_null()) {
        FUZZ_CHECK(file_bytes(scratch_file()) == all);
        FuzzBlob out;
        _UDF_FileToBlob(scratch_file().c_str(), out.record());
        FUZZ_CHECK(out.written() == all);
    }
    return 0;
}
