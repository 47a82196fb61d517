// routine.cpp - routines from the table, and their registration.
#include "routine.h"

#include <cstring>

using namespace Firebird;

namespace kovudf_udr {

namespace {

// How a set's texts are walked (the walk set of walk_charset in message.h):
// by the server's own characters in its multi-byte sets; a byte a character
// in the one-byte sets; and in NONE and OCTETS byte by byte with the
// Shift-JIS case mapping the legacy functions have.
Encoding encoding_of(unsigned charset) {
    switch (charset & 0xFF) {
        case catalog::charset_none.id:
        case catalog::charset_octets.id:
            return Encoding::bytes;
        case catalog::charset_sjis_0208.id:
            return Encoding::shift_jis;
        case catalog::charset_eucj_0208.id:
            return Encoding::euc_jp;
        case catalog::charset_utf8.id:
        case catalog::charset_unicode_fss.id:
            return Encoding::utf8;
        case catalog::charset_gb_2312.id:
        case catalog::charset_gbk.id:
        case catalog::charset_ksc_5601.id:
            return Encoding::gbk;
        case catalog::charset_big_5.id:
            return Encoding::big5;
        case catalog::charset_gb18030.id:
            return Encoding::gb18030;
        case catalog::charset_cp943c.id:
            return Encoding::cp943c;
    }
    return Encoding::single_byte;
}

RoutineShape shape_of(Status* status, const catalog::Function& function,
                      IRoutineMetadata* metadata) {
    const unsigned walk = walk_charset(status, function, metadata);
    return RoutineShape{&function,
                        walk,
                        encoding_of(walk),
                        read_layout(status, function, Side::input, metadata, walk),
                        read_layout(status, function, Side::output, metadata, walk),
                        legacy_nulls(status, function, metadata)};
}

class Routine final : public IExternalFunctionImpl<Routine, Status> {
  public:
    Routine(const RoutineShape& shape, RoutineBody body) : shape_(shape), body_(body) {}

    void dispose() override { delete this; }
    // The set the server works in on the routine's behalf: NONE, so a BLOB
    // opened with no conversion asked for comes as its stored bytes, on
    // every server, whatever the client's set.
    void getCharSet(Status*, IExternalContext*, char* name, unsigned size) override {
        const char* const none = catalog::charset_none.name;
        if (std::strlen(none) < size) {
            std::memcpy(name, none, std::strlen(none) + 1);
        }
    }

    void execute(Status* status, IExternalContext* context, void* in,
                 void* out) override {
        guarded(status, *shape_.function, [&] {
            Call call(status, context, shape_, memory_, static_cast<unsigned char*>(in),
                      static_cast<unsigned char*>(out));
            call.set_null();
            if (call.null_result()) {
                call.set_null_result();
            } else {
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
        const unsigned walk = walk_charset(status, function_, metadata);
        conform_message(status, function_, Side::input, metadata, in, walk);
        conform_message(status, function_, Side::output, metadata, out, walk);
        legacy_nulls(status, function_, metadata);
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
