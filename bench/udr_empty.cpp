// udr_empty.cpp - "empty" external routines for the benchmark: one per
// signature of the kovudf routines, each doing the least its signature
// allows (hand back its first argument, or its length).  Timing a kovudf
// routine beside the empty one of the same signature shows what the
// routine's own work and message handling add to the engine's cost of a
// call.  Built as build/udr/libkovudf_empty.so, declared by bench/empty.sql;
// never installed.
#define FB_UDR_STATUS_TYPE ::Firebird::ThrowStatusWrapper
#include <firebird/UdrCppEngine.h>

#include <cstring>

using namespace Firebird;

#define KOVUDF_EMPTY(name, in_fields, out_fields, body) \
    FB_UDR_BEGIN_FUNCTION(name)                         \
    FB_UDR_MESSAGE(InMessage, in_fields);               \
    FB_UDR_MESSAGE(OutMessage, out_fields);             \
    FB_UDR_EXECUTE_FUNCTION {                           \
        (void)status;                                   \
        (void)context;                                  \
        body;                                           \
    }                                                   \
    FB_UDR_END_FUNCTION

#define COPY_TEXT(to, from)                               \
    do {                                                  \
        (to).length = (from).length;                      \
        std::memcpy((to).str, (from).str, (from).length); \
    } while (0)

KOVUDF_EMPTY(Text, (FB_INTL_VARCHAR(4096, 0), a), (FB_INTL_VARCHAR(4096, 0), r), {
    out->rNull = in->aNull;
    COPY_TEXT(out->r, in->a);
})
KOVUDF_EMPTY(TextLength, (FB_INTL_VARCHAR(4096, 0), a), (FB_INTEGER, r), {
    out->rNull = in->aNull;
    out->r = in->a.length;
})
KOVUDF_EMPTY(TextSmall, (FB_INTL_VARCHAR(4096, 0), a), (FB_SMALLINT, r), {
    out->rNull = in->aNull;
    out->r = static_cast<ISC_SHORT>(in->a.length);
})
KOVUDF_EMPTY(Text2, (FB_INTL_VARCHAR(4096, 0), a)(FB_INTL_VARCHAR(4096, 0), b),
             (FB_INTL_VARCHAR(8192, 0), r), {
                 out->rNull = in->aNull;
                 COPY_TEXT(out->r, in->a);
             })
KOVUDF_EMPTY(Text2Int, (FB_INTL_VARCHAR(4096, 0), a)(FB_INTL_VARCHAR(4096, 0), b),
             (FB_INTEGER, r), {
                 out->rNull = in->aNull;
                 out->r = in->a.length;
             })
KOVUDF_EMPTY(TextPart, (FB_INTL_VARCHAR(4096, 0), a)(FB_SMALLINT, p)(FB_SMALLINT, n),
             (FB_INTL_VARCHAR(4096, 0), r), {
                 out->rNull = in->aNull;
                 COPY_TEXT(out->r, in->a);
             })
KOVUDF_EMPTY(Octal, (FB_INTL_VARCHAR(64, 0), a), (FB_INTEGER, r), {
    out->rNull = in->aNull;
    out->r = in->a.length;
})
KOVUDF_EMPTY(Double, (FB_DOUBLE, a), (FB_DOUBLE, r), {
    out->rNull = in->aNull;
    out->r = in->a;
})
KOVUDF_EMPTY(DoubleMode, (FB_DOUBLE, a)(FB_SMALLINT, m), (FB_DOUBLE, r), {
    out->rNull = in->aNull;
    out->r = in->a;
})
KOVUDF_EMPTY(Integer, (FB_INTEGER, a), (FB_INTEGER, r), {
    out->rNull = in->aNull;
    out->r = in->a;
})
KOVUDF_EMPTY(Shift, (FB_TIMESTAMP, a)(FB_INTEGER, x)(FB_INTEGER, y)(FB_INTEGER, z),
             (FB_TIMESTAMP, r), {
                 out->rNull = in->aNull;
                 out->r = in->a;
             })
KOVUDF_EMPTY(DateText, (FB_INTL_VARCHAR(256, 0), a), (FB_TIMESTAMP, r), {
    out->rNull = in->aNull;
    out->r.date.value = in->a.length;
    out->r.time.value = 0;
})
KOVUDF_EMPTY(Parts6,
             (FB_SMALLINT, a)(FB_SMALLINT, b)(FB_SMALLINT, c)(FB_SMALLINT,
                                                              d)(FB_SMALLINT,
                                                                 e)(FB_SMALLINT, f),
             (FB_TIMESTAMP, r), {
                 out->rNull = in->aNull;
                 out->r.date.value = in->a;
                 out->r.time.value = 0;
             })
KOVUDF_EMPTY(Parts3, (FB_SMALLINT, a)(FB_SMALLINT, b)(FB_SMALLINT, c), (FB_TIMESTAMP, r),
             {
                 out->rNull = in->aNull;
                 out->r.date.value = in->a;
                 out->r.time.value = 0;
             })
KOVUDF_EMPTY(Join, (FB_TIMESTAMP, a)(FB_TIMESTAMP, b), (FB_TIMESTAMP, r), {
    out->rNull = in->aNull;
    out->r = in->a;
})
KOVUDF_EMPTY(Field, (FB_TIMESTAMP, a), (FB_SMALLINT, r), {
    out->rNull = in->aNull;
    out->r = static_cast<ISC_SHORT>(in->a.date.value);
})
KOVUDF_EMPTY(FieldInt, (FB_TIMESTAMP, a), (FB_INTEGER, r), {
    out->rNull = in->aNull;
    out->r = in->a.date.value;
})
KOVUDF_EMPTY(Diff, (FB_TIMESTAMP, a)(FB_TIMESTAMP, b), (FB_INTEGER, r), {
    out->rNull = in->aNull;
    out->r = in->a.date.value;
})
KOVUDF_EMPTY(BlobText, (FB_BLOB, a), (FB_INTL_VARCHAR(80, 0), r), {
    out->rNull = FB_FALSE;
    out->r.length = 0;
})
KOVUDF_EMPTY(BlobInt, (FB_BLOB, a), (FB_INTEGER, r), {
    out->rNull = FB_FALSE;
    out->r = 0;
})
KOVUDF_EMPTY(BlobPart, (FB_BLOB, a)(FB_INTEGER, p)(FB_SMALLINT, n),
             (FB_INTL_VARCHAR(32765, 0), r), {
                 out->rNull = FB_FALSE;
                 out->r.length = 0;
             })
// BLOB results: the argument's own BLOB handed back, without reading it.
KOVUDF_EMPTY(Blob, (FB_BLOB, a), (FB_BLOB, r), {
    out->rNull = in->aNull;
    out->r = in->a;
})
KOVUDF_EMPTY(Blob2, (FB_BLOB, a)(FB_BLOB, b), (FB_BLOB, r), {
    out->rNull = in->aNull;
    out->r = in->a;
})
KOVUDF_EMPTY(BlobAndText, (FB_BLOB, a)(FB_INTL_VARCHAR(32765, 0), t), (FB_BLOB, r), {
    out->rNull = in->aNull;
    out->r = in->a;
})
// A text made into a BLOB: the least is creating an empty one.
FB_UDR_BEGIN_FUNCTION(TextBlob)
FB_UDR_MESSAGE(InMessage, (FB_INTL_VARCHAR(32765, 0), a));
FB_UDR_MESSAGE(OutMessage, (FB_BLOB, r));
FB_UDR_EXECUTE_FUNCTION {
    IAttachment* attachment = context->getAttachment(status);
    ITransaction* transaction = context->getTransaction(status);
    IBlob* blob = attachment->createBlob(status, transaction, &out->r, 0, nullptr);
    blob->close(status);
    transaction->release();
    attachment->release();
    out->rNull = in->aNull;
}
FB_UDR_END_FUNCTION

FB_UDR_IMPLEMENT_ENTRY_POINT
