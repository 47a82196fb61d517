// udr_empty.cpp - "empty" external routines for the benchmark: one for each
// function of the table, with that function's messages, each doing the
// least its signature allows (hand back its first argument, or its length,
// or an empty BLOB).  Timing a kovudf routine beside the empty one of the
// same function shows what the routine's own work adds to the engine's cost
// of a call.  Built as build/udr/libkovudf_empty.so and declared with
// kovudf_declare sql --prefix EMPTY_ --module kovudf_empty; never installed.
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

void empty(Call& call) {
    const catalog::Function& f = call.function();
    const Kind first = f.arguments[0].kind;
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
