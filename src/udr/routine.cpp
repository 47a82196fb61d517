// routine.cpp - routines from the table, and their registration.
#include "routine.h"

#include <cstring>

using namespace Firebird;

namespace kovudf_udr {

namespace {

// The set a routine walks its texts in, as the server numbers it: that of
// its first text argument, else of its first text BLOB argument, else of its
// result when that is a text or a text BLOB; NONE when it has no text.  Its
// other texts keep the sets they were declared in, which the server
// converts to and from.
unsigned routine_charset(const Layout& in, const Layout& out) {
    const auto is_text = [](const Field& f) { return f.sql_type == SQL_VARYING; };
    const auto is_text_blob = [](const Field& f) {
        return f.sql_type == SQL_BLOB && f.sub_type == isc_blob_text;
    };
    for (const auto& takes : {+is_text, +is_text_blob}) {
        for (unsigned i = 0; i < in.count; ++i) {
            if (takes(in.fields[i])) {
                return in.fields[i].charset;
            }
        }
    }
    const Field& result = out.fields[0];
    return is_text(result) || is_text_blob(result) ? result.charset
                                                   : catalog::charset_none.id;
}

// How a set's texts are walked: by the server's own characters in
// SJIS_0208 and the UTF-8 sets, byte by byte (with the Shift-JIS case
// mapping the legacy functions have) in every other set.
Encoding encoding_of(unsigned charset) {
    switch (charset & 0xFF) {
        case catalog::charset_sjis_0208.id:
            return Encoding::shift_jis;
        case catalog::charset_utf8.id:
        case catalog::charset_unicode_fss.id:
            return Encoding::utf8;
    }
    return Encoding::bytes;
}

RoutineShape shape_of(Status* status, const catalog::Function& function,
                      IRoutineMetadata* metadata) {
    RoutineShape shape{&function, 0, Encoding::bytes,
                       read_layout(status, function, Side::input, metadata),
                       read_layout(status, function, Side::output, metadata)};
    shape.charset = routine_charset(shape.in, shape.out);
    shape.encoding = encoding_of(shape.charset);
    return shape;
}

class Routine final : public IExternalFunctionImpl<Routine, Status> {
  public:
    Routine(const RoutineShape& shape, RoutineBody body) : shape_(shape), body_(body) {}

    void dispose() override { delete this; }
    // The set the server works in on the routine's behalf: a BLOB it opens
    // comes in its stored bytes, never converted to the client's set.
    void getCharSet(Status*, IExternalContext*, char* name, unsigned size) override {
        const char* const own = catalog::charset_name(shape_.charset);
        if (std::strlen(own) < size) {
            std::memcpy(name, own, std::strlen(own) + 1);
        }
    }

    void execute(Status* status, IExternalContext* context, void* in,
                 void* out) override {
        guarded(status, *shape_.function, [&] {
            Call call(status, context, shape_, memory_, static_cast<unsigned char*>(in),
                      static_cast<unsigned char*>(out));
            call.set_null();
            if (!call.null_result()) {
                body_(call);
            }
        });
    }

  private:
    const RoutineShape shape_;
    const RoutineBody body_;
    RoutineMemory memory_;
};

// Tells the server when the module goes away without its knowing.
class UnloadDetector {
  public:
    explicit UnloadDetector(FB_BOOLEAN* their_flag) : their_flag_(their_flag) {}
    ~UnloadDetector() {
        if (!unloaded_by_server) {
            *their_flag_ = FB_TRUE;
        }
    }
    FB_BOOLEAN unloaded_by_server = FB_FALSE;

  private:
    FB_BOOLEAN* their_flag_;
};

}  // namespace

// The declaration is checked, and its messages laid out, when the server
// makes the routine (at CREATE or ALTER FUNCTION, and when it loads one).
void Factory::setup(Status* status, IExternalContext*, IRoutineMetadata* metadata,
                    IMetadataBuilder* in, IMetadataBuilder* out) {
    guarded(status, function_, [&] {
        conform_message(status, function_, Side::input, metadata, in);
        conform_message(status, function_, Side::output, metadata, out);
    });
}

IExternalFunction* Factory::newItem(Status* status, IExternalContext*,
                                    IRoutineMetadata* metadata) {
    Routine* routine = nullptr;
    guarded(status, function_,
            [&] { routine = new Routine(shape_of(status, function_, metadata), body_); });
    return routine;
}

FB_BOOLEAN* register_routines(IStatus* status, FB_BOOLEAN* their_unload_flag,
                              IUdrPlugin* plugin, Factory* begin, Factory* end) {
    CheckStatusWrapper wrapper(status);
    for (Factory* factory = begin; factory != end; ++factory) {
        plugin->registerFunction(&wrapper, factory->function().name, factory);
        if (wrapper.getState() & IStatus::STATE_ERRORS) {
            break;
        }
    }
    static UnloadDetector detector(their_unload_flag);
    return &detector.unloaded_by_server;
}

}  // namespace kovudf_udr
