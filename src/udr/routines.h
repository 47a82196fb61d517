// routines.h - the bodies of the 41 external routines, one for each row of
// the table of functions, named as the row.  plugin.cpp registers each
// under its routine name.
#pragma once

#include "call.h"

namespace kovudf_udr {
namespace routines {

#define KOVUDF_DECLARE_ROUTINE(name, ...) void name(Call& call);
KOVUDF_FUNCTIONS(KOVUDF_DECLARE_ROUTINE)
#undef KOVUDF_DECLARE_ROUTINE

}  // namespace routines
}  // namespace kovudf_udr
