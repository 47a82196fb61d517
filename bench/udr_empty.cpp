// udr_empty.cpp - "empty" external routines for the benchmark: one for each
// function of the table, with that function's messages, each doing the
// least its signature allows (hand back its first argument, or its length,
// or an empty BLOB).  Timing a kovudf routine beside the empty one of the
// same function shows what the routine's own work adds to the engine's cost
// of a call.  Built as build/udr/libkovudf_empty.so and declared with
// kovudf_declare sql --prefix EMPTY_ --module kovudf_empty; never installed.
//
// Built with KOVUDF_FLOOR (build/udr/libkovudf_floor.so, FLOOR_*), each BLOB
// routine is instead the floor of its kovudf twin: the same calls of the
// server's BLOB interface, in the same order and with segments as long
// (each BLOB read whole, or up to the end of the stretch; the output
// written in pieces of up to 65535 bytes), and nothing else.  The rest stay
// empty.
#include <cstring>

#include "../src/udr/blob_stream.h"
#include "../src/udr/routine.h"

namespace {

using catalog::Kind;
using kovudf_udr::Call;

// The first argument's length, or its value as a number.
int32_t number_of(Call& call, Kind kind) {
    switch (kind) {
        case Kind::cstring:
        case Kind::varchar:
            return static_cast<int32_t>(call.text(0).length);
        case Kind::smallint:
            return call.smallint(0);
        case Kind::integer:
            return call.integer(0);
        case Kind::timestamp:
            return call.stamp(0).date;
        default:
            return 0;
    }
}

#if defined(KOVUDF_FLOOR)

using Firebird::IBlob;
using Firebird::IStatus;

unsigned char buffer[65535 * 2];  // contents never matter

// Opens BLOB argument i (if not NULL), reads its segments until `enough`
// bytes or the end, and closes it.  Returns the bytes read.
uint32_t read_blob(Call& call, kovudf_udr::CallScope& scope, unsigned i,
                   uint32_t enough) {
    if (call.is_null(i)) {
        return 0;
    }
    ISC_QUAD id = call.blob_id(i);
    IBlob* blob =
        scope.attachment->openBlob(call.status, scope.transaction.get(), &id, 0, nullptr);
    uint32_t total = 0;
    unsigned got = 0;
    while (total < enough) {
        const int result = blob->getSegment(call.status, 65535, buffer, &got);
        if (result != IStatus::RESULT_OK && result != IStatus::RESULT_SEGMENT) {
            break;
        }
        total += got;
    }
    blob->close(call.status);
    return total;
}

// A new BLOB of `bytes`, in pieces of up to 65535, as the result: text or
// binary as declared (the benchmark's texts are NONE, which names no set).
void write_blob(Call& call, kovudf_udr::CallScope& scope, uint32_t bytes) {
    const unsigned char text_bpb[] = {isc_bpb_version1, isc_bpb_source_type, 1,
                                      isc_blob_text,    isc_bpb_target_type, 1,
                                      isc_blob_text};
    const bool text = call.result().sub_type == isc_blob_text;
    ISC_QUAD id{};
    IBlob* blob = scope.attachment->createBlob(call.status, scope.transaction.get(), &id,
                                               text ? sizeof text_bpb : 0,
                                               text ? text_bpb : nullptr);
    for (; bytes > 0; bytes -= bytes > 65535 ? 65535 : bytes) {
        blob->putSegment(call.status, bytes > 65535 ? 65535 : bytes, buffer);
    }
    blob->close(call.status);
    call.set_blob(id);
}

// The BLOB interface calls of routine `name`; false for a routine that
// reads or writes no BLOB.
bool floor(Call& call, const std::string& name) {
    const auto text = [&](unsigned i) {
        return call.is_null(i) ? 0u : call.text(i).length;
    };
    if (name == "BlobInfo" || name == "BlobSize") {
        kovudf_udr::CallScope scope(call);
        if (!call.is_null(0)) {
            ISC_QUAD id = call.blob_id(0);
            IBlob* blob = scope.attachment->openBlob(call.status, scope.transaction.get(),
                                                     &id, 0, nullptr);
            const unsigned char items[] = {isc_info_blob_num_segments,
                                           isc_info_blob_max_segment,
                                           isc_info_blob_total_length};
            unsigned char info[64];
            blob->getInfo(call.status, sizeof items, items, sizeof info, info);
            blob->close(call.status);
        }
        if (name == "BlobInfo") {
            call.set_text(Text{buffer, 0});
        } else {
            call.set_integer(0);
        }
    } else if (name == "StrToBlob") {
        kovudf_udr::CallScope scope(call);
        write_blob(call, scope, static_cast<uint32_t>(text(0)));
    } else if (name == "BlobCat") {
        kovudf_udr::CallScope scope(call);
        const uint32_t a = read_blob(call, scope, 0, UINT32_MAX);
        write_blob(call, scope, a + read_blob(call, scope, 1, UINT32_MAX));
    } else if (name == "BlobAddStr" || name == "BlobSjisUpper" ||
               name == "BlobSjisLower") {
        kovudf_udr::CallScope scope(call);
        const uint32_t b = read_blob(call, scope, 0, UINT32_MAX);
        write_blob(call, scope, b + (name == "BlobAddStr" ? text(1) : 0));
    } else if (name == "BlobSubStr" || name == "BlobVSubStr") {
        kovudf_udr::CallScope scope(call);
        const int32_t start = call.integer(1), length = call.smallint(2);
        if (start >= 0 && length > 0) {
            read_blob(call, scope, 0, static_cast<uint32_t>(start) + length);
        }
        call.set_text(Text{buffer, 0});
    } else {
        return false;
    }
    return true;
}

#endif

void empty(Call& call) {
    const catalog::Function& f = call.function();
    const Kind first = f.arguments[0].kind;
#if defined(KOVUDF_FLOOR)
    if (floor(call, f.name)) {
        return;
    }
#endif
    switch (f.result.kind) {
        case Kind::cstring:
        case Kind::varchar:
            if (catalog::is_text(first)) {
                const Text t = call.text(0);
                call.set_text(Text{t.bytes, t.length < call.text_capacity()
                                                ? t.length
                                                : call.text_capacity()});
            } else {
                call.set_text(Text{nullptr, 0});
            }
            break;
        case Kind::smallint:
            call.set_smallint(static_cast<int16_t>(number_of(call, first)));
            break;
        case Kind::integer:
            call.set_integer(number_of(call, first));
            break;
        case Kind::double_precision:
            call.set_double(first == Kind::double_precision ? call.double_value(0) : 0.0);
            break;
        case Kind::timestamp:
            call.set_stamp(first == Kind::timestamp ? call.stamp(0)
                                                    : Stamp{number_of(call, first), 0});
            break;
        case Kind::blob:
        case Kind::blob_text:
        case Kind::blob_binary:
            if (first == Kind::blob) {
                // The argument's own BLOB handed back, without reading it;
                // a NULL one stays NULL.
                if (!call.is_null(0)) {
                    call.set_blob(call.blob_id(0));
                }
            } else {
                kovudf_udr::CallScope scope(call);
                kovudf_udr::BlobOutput out(scope, call.result().sub_type == isc_blob_text,
                                           call.result().charset, call.charset());
                call.set_blob(out.finish());
            }
            break;
    }
}

#define KOVUDF_EMPTY_FACTORY(name, ...) \
    kovudf_udr::Factory(*catalog::find(#name), &empty),
kovudf_udr::Factory factories[] = {KOVUDF_FUNCTIONS(KOVUDF_EMPTY_FACTORY)};
#undef KOVUDF_EMPTY_FACTORY

}  // namespace

KOVUDF_UDR_EXPORT FB_BOOLEAN* firebird_udr_plugin(Firebird::IStatus* status,
                                                  FB_BOOLEAN* their_unload_flag,
                                                  Firebird::IUdrPlugin* plugin) {
    return kovudf_udr::register_routines(status, their_unload_flag, plugin,
                                         std::begin(factories), std::end(factories));
}
