// host_linux.cpp - binding the result allocator when Linux loads the module.
//
// Firebird frees a FREE_IT result only if ib_util_malloc made it, so that is
// host_malloc here.  The module is linked against libib_util.so with
// immediate binding: where the allocator is missing, the module refuses to
// load, and no entry can run without it.
#if !defined(_WIN32)

#include <ib_util.h>

#include "host.h"

host_malloc_fn host_malloc = nullptr;

namespace {
__attribute__((constructor)) void bind_host_malloc() {
    host_malloc = &ib_util_malloc;
}
}  // namespace

#endif
