// routine.cpp - routines from the table, and their registration.
#include "routine.h"

#include <cstring>

using namespace Firebird;

namespace kovudf_udr {

namespace {

using catalog::CharacterSet;

// The set a routine's texts were declared in, as the server numbers it:
// that of its first text argument, else of its text or text BLOB result.
// A set the routines do not walk by character is taken as NONE, which the
// server converts every set to and from; so are functions whose texts stay
// NONE in every declaration.
const CharacterSet& declared_charset(Status* status, const catalog::Function& function,
                                     IRoutineMetadata* metadata) {
    using catalog::Kind;
    if (metadata == nullptr || !catalog::texts_take_set(function)) {
        return catalog::charset_none;
    }
    unsigned id = catalog::charset_none.id;
    bool found = false;
    for (unsigned i = 0; i < function.argument_count && !found; ++i) {
        if (catalog::is_text(function.arguments[i].kind)) {
            const Held<IMessageMetadata> in(metadata->getInputMetadata(status));
            if (in.get() != nullptr && i < in->getCount(status)) {
                id = in->getCharSet(status, i);
            }
            found = true;
        }
    }
    const Kind result = function.result.kind;
    if (!found && (catalog::is_text(result) || result == Kind::blob_text)) {
        const Held<IMessageMetadata> out(metadata->getOutputMetadata(status));
        if (out.get() != nullptr && out->getCount(status) > 0) {
            id = out->getCharSet(status, 0);
        }
    }
    for (const CharacterSet* set : {&catalog::charset_octets, &catalog::charset_sjis_0208,
                                    &catalog::charset_utf8}) {
        if (set->id == id) {
            return *set;
        }
    }
    return catalog::charset_none;
}

Encoding encoding_of(const CharacterSet& charset) {
    return charset.id == catalog::charset_sjis_0208.id ? Encoding::shift_jis
           : charset.id == catalog::charset_utf8.id    ? Encoding::utf8
                                                       : Encoding::bytes;
}

RoutineShape shape_of(const catalog::Function& function, const CharacterSet& charset) {
    return RoutineShape{&function, &charset, encoding_of(charset),
                        input_layout(function, charset),
                        output_layout(function, charset)};
}

class Routine final : public IExternalFunctionImpl<Routine, Status> {
  public:
    Routine(const RoutineShape& shape, RoutineBody body) : shape_(shape), body_(body) {}

    void dispose() override { delete this; }
    // The set the server works in on the routine's behalf: a BLOB it opens
    // comes in its stored bytes, never converted to the client's set.
    void getCharSet(Status*, IExternalContext*, char* name, unsigned size) override {
        const char* const own = shape_.charset->name;
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

void Factory::setup(Status* status, IExternalContext*, IRoutineMetadata* metadata,
                    IMetadataBuilder* in, IMetadataBuilder* out) {
    const RoutineShape shape =
        shape_of(function_, declared_charset(status, function_, metadata));
    const Held<IMessageMetadata> declared_in(metadata->getInputMetadata(status));
    const Held<IMessageMetadata> declared_out(metadata->getOutputMetadata(status));
    set_up_message(status, function_, shape.in, declared_in.get(), in);
    set_up_message(status, function_, shape.out, declared_out.get(), out);
}

IExternalFunction* Factory::newItem(Status* status, IExternalContext*,
                                    IRoutineMetadata* metadata) {
    Routine* routine = nullptr;
    guarded(status, function_, [&] {
        routine = new Routine(
            shape_of(function_, declared_charset(status, function_, metadata)), body_);
    });
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
