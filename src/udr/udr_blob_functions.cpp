// udr_blob_functions.cpp - the BLOB functions as external routines, and the
// module's entry point.
//
// Each server BLOB is wrapped in a control record (udr_blob.h) and handed to
// the BLOB family's routines, so the reading, writing and Shift-JIS walk are
// the legacy entries' own.  A NULL BLOB is no data, as before; SQL NULL in a
// text or number argument gives NULL, except the text of UDF_BLOBADDSTR,
// which adds nothing.  BLOB results built from text are text BLOBs.
#include "blob/blob_internal.h"
#include "module/kovudf.h"
#include "udr_blob.h"

using namespace Firebird;  // the message macros name its types unqualified
using namespace kovudf_udr;

namespace {

// Runs `fill` on a new output BLOB and puts its id into the message.
template <class Out, class Fill>
void make_blob(CallScope& call, bool text, Out* out, Fill fill) {
    UdrBlob result(call, text);
    fill(result.record());
    out->result = result.finish();
    out->resultNull = FB_FALSE;
}

}  // namespace

FB_UDR_BEGIN_FUNCTION(BlobInfo)
FB_UDR_MESSAGE(InMessage, (FB_BLOB, blob));
FB_UDR_MESSAGE(OutMessage, (FB_INTL_VARCHAR(80, 0), result));
FB_UDR_EXECUTE_FUNCTION {
    const char* name = "UDF_BLOBINFO";
    guarded(status, name, [&] {
        CallScope call(status, context);
        UdrBlob blob(call, in->blob, in->blobNull, true);
        char text[100];
        describe_blob(blob.record(), text, sizeof text);
        set_text(status, name, out->result, text, std::strlen(text));
        out->resultNull = FB_FALSE;
    });
}
FB_UDR_END_FUNCTION

FB_UDR_BEGIN_FUNCTION(BlobSize)
FB_UDR_MESSAGE(InMessage, (FB_BLOB, blob));
FB_UDR_MESSAGE(OutMessage, (FB_INTEGER, result));
FB_UDR_EXECUTE_FUNCTION {
    guarded(status, "UDF_BLOBSIZE", [&] {
        CallScope call(status, context);
        UdrBlob blob(call, in->blob, in->blobNull, true);
        out->result = _UDF_BlobSize(blob.record());
        out->resultNull = FB_FALSE;
    });
}
FB_UDR_END_FUNCTION

FB_UDR_BEGIN_FUNCTION(BlobCat)
FB_UDR_MESSAGE(InMessage, (FB_BLOB, first)(FB_BLOB, second));
FB_UDR_MESSAGE(OutMessage, (FB_BLOB, result));
FB_UDR_EXECUTE_FUNCTION {
    guarded(status, "UDF_BLOBCAT", [&] {
        CallScope call(status, context);
        UdrBlob a(call, in->first, in->firstNull);
        UdrBlob b(call, in->second, in->secondNull);
        make_blob(call, true, out, [&](BlobControl* result) {
            _UDF_BlobCat(a.record(), b.record(), result);
        });
    });
}
FB_UDR_END_FUNCTION

FB_UDR_BEGIN_FUNCTION(StrToBlob)
FB_UDR_MESSAGE(InMessage, (FB_INTL_VARCHAR(32765, 0), text));
FB_UDR_MESSAGE(OutMessage, (FB_BLOB, result));
FB_UDR_EXECUTE_FUNCTION {
    const char* name = "UDF_STRTOBLOB";
    guarded(status, name, [&] {
        out->resultNull = FB_TRUE;
        if (is_null(in->textNull)) {
            return;
        }
        const Text t = text_of(status, name, in->text);
        CallScope call(status, context);
        make_blob(call, true, out, [&](BlobControl* result) {
            write_text(reinterpret_cast<const unsigned char*>(t.bytes), t.length, result);
        });
    });
}
FB_UDR_END_FUNCTION

FB_UDR_BEGIN_FUNCTION(BlobAddStr)
FB_UDR_MESSAGE(InMessage, (FB_BLOB, blob)(FB_INTL_VARCHAR(32765, 0), text));
FB_UDR_MESSAGE(OutMessage, (FB_BLOB, result));
FB_UDR_EXECUTE_FUNCTION {
    const char* name = "UDF_BLOBADDSTR";
    guarded(status, name, [&] {
        const Text t =
            is_null(in->textNull) ? Text{nullptr, 0} : text_of(status, name, in->text);
        CallScope call(status, context);
        UdrBlob blob(call, in->blob, in->blobNull);
        make_blob(call, true, out, [&](BlobControl* result) {
            add_text_to_blob(blob.record(),
                             reinterpret_cast<const unsigned char*>(t.bytes), t.length,
                             result);
        });
    });
}
FB_UDR_END_FUNCTION

// Both substring functions return the whole stretch as a counted text.
#define KOVUDF_BLOB_SUBSTR_FUNCTION(entry, sql_name)                                    \
    FB_UDR_BEGIN_FUNCTION(entry)                                                        \
    FB_UDR_MESSAGE(InMessage, (FB_BLOB, blob)(FB_INTEGER, start)(FB_SMALLINT, length)); \
    FB_UDR_MESSAGE(OutMessage, (FB_INTL_VARCHAR(32765, 0), result));                    \
    FB_UDR_EXECUTE_FUNCTION {                                                           \
        guarded(status, sql_name, [&] {                                                 \
            out->resultNull = FB_TRUE;                                                  \
            if (is_null(in->startNull) || is_null(in->lengthNull)) {                    \
                return;                                                                 \
            }                                                                           \
            CallScope call(status, context);                                            \
            UdrBlob blob(call, in->blob, in->blobNull);                                 \
            const int32_t start = in->start;                                            \
            const int16_t length = in->length;                                          \
            const Block<VaryingText> stretch(                                           \
                _UDF_BlobVSubStr(blob.record(), &start, &length));                      \
            if (stretch.value == nullptr) {                                             \
                raise(status, sql_name, "out of memory", isc_virmemexh);                \
            }                                                                           \
            set_text(status, sql_name, out->result, varying_bytes(stretch.value),       \
                     varying_length(stretch.value));                                    \
            out->resultNull = FB_FALSE;                                                 \
        });                                                                             \
    }                                                                                   \
    FB_UDR_END_FUNCTION

KOVUDF_BLOB_SUBSTR_FUNCTION(BlobSubStr, "UDF_BLOBSUBSTR")
KOVUDF_BLOB_SUBSTR_FUNCTION(BlobVSubStr, "UDF_BLOBVSUBSTR")

#define KOVUDF_BLOB_CASE_FUNCTION(entry, sql_name)                \
    FB_UDR_BEGIN_FUNCTION(entry)                                  \
    FB_UDR_MESSAGE(InMessage, (FB_BLOB, blob));                   \
    FB_UDR_MESSAGE(OutMessage, (FB_BLOB, result));                \
    FB_UDR_EXECUTE_FUNCTION {                                     \
        guarded(status, sql_name, [&] {                           \
            CallScope call(status, context);                      \
            UdrBlob blob(call, in->blob, in->blobNull);           \
            make_blob(call, true, out, [&](BlobControl* result) { \
                _UDF_##entry(blob.record(), result);              \
            });                                                   \
        });                                                       \
    }                                                             \
    FB_UDR_END_FUNCTION

KOVUDF_BLOB_CASE_FUNCTION(BlobSjisUpper, "UDF_BLOBSJISUPPER")
KOVUDF_BLOB_CASE_FUNCTION(BlobSjisLower, "UDF_BLOBSJISLOWER")

namespace {

// A file name from a message: a zero byte would cut the name short and
// reach another file, so it is refused.
ShortText<1024> file_name(Status* status, const char* name, const Text& t) {
    if (std::memchr(t.bytes, 0, t.length) != nullptr) {
        raise(status, name, "a file name cannot hold a zero byte");
    }
    return ShortText<1024>(t);
}

}  // namespace

FB_UDR_BEGIN_FUNCTION(FileToBlob)
FB_UDR_MESSAGE(InMessage, (FB_INTL_VARCHAR(1024, 0), file));
FB_UDR_MESSAGE(OutMessage, (FB_BLOB, result));
FB_UDR_EXECUTE_FUNCTION {
    const char* name = "UDF_FILETOBLOB";
    guarded(status, name, [&] {
        out->resultNull = FB_TRUE;
        if (is_null(in->fileNull)) {
            return;
        }
        const auto file = file_name(status, name, text_of(status, name, in->file));
        CallScope call(status, context);
        make_blob(call, false, out,
                  [&](BlobControl* result) { _UDF_FileToBlob(file.bytes, result); });
    });
}
FB_UDR_END_FUNCTION

FB_UDR_BEGIN_FUNCTION(BlobToFile)
FB_UDR_MESSAGE(InMessage,
               (FB_BLOB, blob)(FB_INTL_VARCHAR(1024, 0), file)(FB_INTEGER, unused));
FB_UDR_MESSAGE(OutMessage, (FB_INTEGER, result));
FB_UDR_EXECUTE_FUNCTION {
    const char* name = "UDF_BLOBTOFILE";
    guarded(status, name, [&] {
        out->resultNull = FB_TRUE;
        if (is_null(in->fileNull) || is_null(in->unusedNull)) {
            return;
        }
        const auto file = file_name(status, name, text_of(status, name, in->file));
        CallScope call(status, context);
        UdrBlob blob(call, in->blob, in->blobNull);
        const int32_t unused = in->unused;
        out->result = _UDF_BlobToFile(blob.record(), file.bytes, &unused);
        out->resultNull = FB_FALSE;
    });
}
FB_UDR_END_FUNCTION

FB_UDR_IMPLEMENT_ENTRY_POINT
