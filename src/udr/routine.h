// routine.h - an external routine made from a row of the table of
// functions and a body, and the registration of a module's routines.
//
// When the server makes a routine, its factory sets up the routine's
// messages from the table (message.h) and checks them against the
// declaration; each call runs the body inside the guard of status.h, after
// the NULL rule of the table: a NULL in any argument but a BLOB, or a text
// whose NULL adds nothing, makes the result NULL without running the body.
#pragma once

#include "call.h"

namespace kovudf_udr {

class Factory final : public Firebird::IUdrFunctionFactoryImpl<Factory, Status> {
  public:
    Factory(const catalog::Function& function, RoutineBody body)
        : function_(function), body_(body) {}

    void dispose() override {}  // the factories live as long as the module
    void setup(Status* status, Firebird::IExternalContext* context,
               Firebird::IRoutineMetadata* metadata, Firebird::IMetadataBuilder* in,
               Firebird::IMetadataBuilder* out) override;
    Firebird::IExternalFunction* newItem(Status* status,
                                         Firebird::IExternalContext* context,
                                         Firebird::IRoutineMetadata* metadata) override;

    const catalog::Function& function() const { return function_; }

  private:
    const catalog::Function& function_;
    const RoutineBody body_;
};

// Registers every factory with the server's UDR plugin under its routine
// name; what the module's entry point firebird_udr_plugin does.
FB_BOOLEAN* register_routines(Firebird::IStatus* status, FB_BOOLEAN* their_unload_flag,
                              Firebird::IUdrPlugin* plugin, Factory* begin, Factory* end);

}  // namespace kovudf_udr

#if defined(_WIN32)
#define KOVUDF_UDR_EXPORT extern "C" __declspec(dllexport)
#else
#define KOVUDF_UDR_EXPORT extern "C" __attribute__((visibility("default")))
#endif
