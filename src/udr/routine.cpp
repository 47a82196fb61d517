// routine.cpp - routines from the table, and their registration.
#include "routine.h"

using namespace Firebird;

namespace kovudf_udr {

namespace {

const catalog::CharacterSet& declared_charset() {
    return catalog::charset_none;
}

RoutineShape shape_of(const catalog::Function& function) {
    const catalog::CharacterSet& charset = declared_charset();
    return RoutineShape{&function, &charset, input_layout(function, charset),
                        output_layout(function, charset)};
}

class Routine final : public IExternalFunctionImpl<Routine, Status> {
  public:
    Routine(const catalog::Function& function, RoutineBody body)
        : shape_(shape_of(function)), body_(body) {}

    void dispose() override { delete this; }
    void getCharSet(Status*, IExternalContext*, char*, unsigned) override {}

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
    const RoutineShape shape = shape_of(function_);
    const Held<IMessageMetadata> declared_in(metadata->getInputMetadata(status));
    const Held<IMessageMetadata> declared_out(metadata->getOutputMetadata(status));
    set_up_message(status, function_, shape.in, declared_in.get(), in);
    set_up_message(status, function_, shape.out, declared_out.get(), out);
}

IExternalFunction* Factory::newItem(Status*, IExternalContext*, IRoutineMetadata*) {
    return new Routine(function_, body_);
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
