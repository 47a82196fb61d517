// plugin.cpp - the module's entry point: one routine for each row of the
// table of functions, registered under its routine name with the body of
// routines.h named as the row.
#include "routine.h"
#include "routines.h"

namespace {

using kovudf_udr::Factory;

#define KOVUDF_FACTORY(name, ...) \
    Factory(*catalog::find(#name), &kovudf_udr::routines::name),
Factory factories[] = {KOVUDF_FUNCTIONS(KOVUDF_FACTORY)};
#undef KOVUDF_FACTORY

}  // namespace

KOVUDF_UDR_EXPORT FB_BOOLEAN* firebird_udr_plugin(Firebird::IStatus* status,
                                                  FB_BOOLEAN* their_unload_flag,
                                                  Firebird::IUdrPlugin* plugin) {
    return kovudf_udr::register_routines(status, their_unload_flag, plugin,
                                         std::begin(factories), std::end(factories));
}
