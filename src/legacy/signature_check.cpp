// signature_check.cpp - each entry's C signature against the table of
// functions: the argument and result kinds the declarations give the server
// are the ones the entry takes.  A mismatch stops the build.
#include "../catalog/catalog.h"
#include "entries.h"

namespace {

using catalog::Kind;

template <class T>
struct ArgumentKind;
template <>
struct ArgumentKind<const char*> {
    static constexpr Kind kind = Kind::cstring;
};
template <>
struct ArgumentKind<const VaryingText*> {
    static constexpr Kind kind = Kind::varchar;
};
template <>
struct ArgumentKind<const int16_t*> {
    static constexpr Kind kind = Kind::smallint;
};
template <>
struct ArgumentKind<const int32_t*> {
    static constexpr Kind kind = Kind::integer;
};
template <>
struct ArgumentKind<const double*> {
    static constexpr Kind kind = Kind::double_precision;
};
template <>
struct ArgumentKind<const DateQuad*> {
    static constexpr Kind kind = Kind::timestamp;
};
template <>
struct ArgumentKind<const BlobControl*> {
    static constexpr Kind kind = Kind::blob;
};
template <>
struct ArgumentKind<BlobControl*> {  // the output BLOB
    static constexpr Kind kind = Kind::blob_text;
};

template <class R>
constexpr bool result_matches(Kind kind);
template <>
constexpr bool result_matches<int16_t>(Kind kind) {
    return kind == Kind::smallint;
}
template <>
constexpr bool result_matches<int32_t>(Kind kind) {
    return kind == Kind::integer;
}
template <>
constexpr bool result_matches<double>(Kind kind) {
    return kind == Kind::double_precision;
}
template <>
constexpr bool result_matches<char*>(Kind kind) {
    return kind == Kind::cstring;
}
template <>
constexpr bool result_matches<VaryingText*>(Kind kind) {
    return kind == Kind::varchar;
}
template <>
constexpr bool result_matches<DateQuad*>(Kind kind) {
    return kind == Kind::timestamp;
}
template <>
constexpr bool result_matches<BlobControl*>(Kind kind) {
    return kind == Kind::blob_text || kind == Kind::blob_binary;
}

// A BLOB result is the output BLOB passed last; the table lists the inputs.
template <class R, class... A>
constexpr bool matches(R (*)(A...), const char* name) {
    const catalog::Function* f = catalog::find(name);
    if (f == nullptr || !result_matches<R>(f->result.kind)) {
        return false;
    }
    const Kind kinds[] = {ArgumentKind<A>::kind...};
    const unsigned outputs = catalog::is_blob(f->result.kind) ? 1 : 0;
    if (sizeof...(A) != f->argument_count + outputs) {
        return false;
    }
    for (unsigned i = 0; i < f->argument_count; ++i) {
        if (kinds[i] != f->arguments[i].kind) {
            return false;
        }
    }
    return outputs == 0 || kinds[f->argument_count] == Kind::blob_text;
}

// clang-format off
#define KOVUDF_CHECK_ENTRY(name, ...) \
    static_assert(matches(&_UDF_##name, #name), "_UDF_" #name " differs from the table");
// clang-format on
KOVUDF_FUNCTIONS(KOVUDF_CHECK_ENTRY)

}  // namespace
