// blob_routines.cpp - the BLOB functions as external routines.
//
// Each server BLOB is read and written through the BLOB family's segment
// reader and writer (blob_stream.h).  A NULL BLOB is no data; a BLOB result
// is of the sub-type and set its declaration gives (text in the routine's
// set, in the project's scripts), and cut or case-mapped by the characters
// of the routine's set.  A working buffer that cannot be had is
// an error, never a silently empty result.
#include <cstring>
#include <optional>
#include <string>

#include "../blob/blob.h"
#include "blob_stream.h"
#include "routines.h"

namespace kovudf_udr {
namespace routines {

namespace {

// The input BLOB of argument i, or nothing when it is NULL: a text BLOB
// read in the routine's walk set, any other as its stored bytes.
std::optional<BlobInput> input(Call& call, CallScope& scope, unsigned i) {
    if (call.is_null(i)) {
        return std::nullopt;
    }
    const Field& f = call.field(i);
    const bool text = f.sub_type == isc_blob_text;
    return std::optional<BlobInput>(std::in_place, scope, call.blob_id(i),
                                    text ? f.charset : 0, text ? call.charset() : 0);
}

// The input BLOB of argument i as the routine receives it, never converted
// by the routine: the sizes UDF_BLOBSIZE and UDF_BLOBINFO give are of its
// bytes, where a converting open reports only the filter's estimate.
std::optional<BlobInput> input_as_stored(Call& call, CallScope& scope, unsigned i) {
    if (call.is_null(i)) {
        return std::nullopt;
    }
    return std::optional<BlobInput>(std::in_place, scope, call.blob_id(i));
}

SegmentReader* reader(std::optional<BlobInput>& blob) {
    return blob ? &*blob : nullptr;
}

// Runs `fill` on a new output BLOB, of the sub-type and set the result was
// declared with, and makes it the result.
template <class Fill>
void make_blob(Call& call, CallScope& scope, Fill fill) {
    BlobOutput result(scope, call.result().sub_type == isc_blob_text,
                      call.result().charset, call.charset());
    if (!fill(result)) {
        call.fail_out_of_memory();
    }
    call.set_blob(result.finish());
}

}  // namespace

void BlobInfo(Call& call) {
    CallScope scope(call);
    auto blob = input_as_stored(call, scope, 0);
    char text[100];
    if (blob) {
        const BlobStats stats = blob->statistics();
        blob->close();
        describe_blob(&stats, text, sizeof text);
    } else {
        describe_blob(nullptr, text, sizeof text);
    }
    call.set_text(text_of(text, std::strlen(text)));
}

void BlobSize(Call& call) {
    CallScope scope(call);
    auto blob = input_as_stored(call, scope, 0);
    const int32_t size = blob ? blob->statistics().total_size : 0;
    if (blob) {
        blob->close();
    }
    call.set_integer(size);
}

void StrToBlob(Call& call) {
    const Text text = call.text(0);
    CallScope scope(call);
    make_blob(call, scope, [&](SegmentWriter& out) {
        write_text(text, out);
        return true;
    });
}

void BlobCat(Call& call) {
    CallScope scope(call);
    auto a = input(call, scope, 0);
    auto b = input(call, scope, 1);
    make_blob(call, scope, [&](SegmentWriter& out) {
        return concatenate_blobs(reader(a), reader(b), out);
    });
}

// A NULL text adds nothing.
void BlobAddStr(Call& call) {
    const Text text = call.is_null(1) ? Text{nullptr, 0} : call.text(1);
    CallScope scope(call);
    auto blob = input(call, scope, 0);
    make_blob(call, scope, [&](SegmentWriter& out) {
        return add_text_to_blob(reader(blob), text, out);
    });
}

// The stretch goes straight into the result, unless it asks for more than
// the result holds: then it is read into a buffer of its own first, so that
// a stretch too long for the result is an error, as it would be anywhere.
void BlobSubStr(Call& call) {
    const int32_t start = call.integer(1);
    const int16_t length = call.smallint(2);
    CallScope scope(call);
    auto blob = input(call, scope, 0);
    if (!blob || length <= 0 || start < 0) {
        call.set_text(Text{nullptr, 0});
        return;
    }
    StretchCopier copier(*blob);
    if (!copier) {
        call.fail_out_of_memory();
    }
    const uint32_t wanted = static_cast<uint32_t>(length);
    if (wanted <= call.text_capacity()) {
        unsigned char* room = call.text_room(wanted);
        // the length copied
        call.text_room(copier.copy(start, wanted, room, call.encoding()));
        blob->close();
        return;
    }
    ScratchBuffer stretch(wanted);
    if (!stretch) {
        call.fail_out_of_memory();
    }
    const uint32_t copied = copier.copy(start, wanted, stretch.get(), call.encoding());
    blob->close();
    call.set_text(Text{stretch.get(), copied});
}

void BlobVSubStr(Call& call) {
    BlobSubStr(call);
}

namespace {

void convert(Call& call, CaseMapping mapping) {
    CallScope scope(call);
    auto blob = input(call, scope, 0);
    make_blob(call, scope, [&](SegmentWriter& out) {
        return convert_blob_case(reader(blob), out, mapping, call.encoding());
    });
}

// A file name from a message: a zero byte would cut the name short and
// reach another file, so it is refused.
std::string file_name(Call& call, unsigned i) {
    const Text name = call.text(i);
    if (std::memchr(name.bytes, 0, name.length) != nullptr) {
        call.fail("a file name cannot hold a zero byte");
    }
    return std::string(reinterpret_cast<const char*>(name.bytes), name.length);
}

}  // namespace

void BlobSjisUpper(Call& call) {
    convert(call, CaseMapping::upper);
}

void BlobSjisLower(Call& call) {
    convert(call, CaseMapping::lower);
}

void FileToBlob(Call& call) {
    const std::string name = file_name(call, 0);
    CallScope scope(call);
    make_blob(call, scope,
              [&](SegmentWriter& out) { return copy_file_to_blob(name.c_str(), out); });
}

void BlobToFile(Call& call) {
    const std::string name = file_name(call, 1);
    CallScope scope(call);
    auto blob = input(call, scope, 0);
    call.set_integer(blob ? copy_blob_to_file(*blob, name.c_str()) : -999);
}

}  // namespace routines
}  // namespace kovudf_udr
