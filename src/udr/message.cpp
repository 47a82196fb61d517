// message.cpp - message layouts from the table, and their check against the
// server's.
#include "message.h"

namespace kovudf_udr {

namespace {

using catalog::Kind;

struct Shape {
    unsigned sql_type, size, alignment;
};

Shape shape_of(Kind kind, unsigned room) {
    switch (kind) {
        case Kind::cstring:
        case Kind::varchar:
            return {SQL_VARYING, 2 + room, 2};
        case Kind::smallint:
            return {SQL_SHORT, 2, 2};
        case Kind::integer:
            return {SQL_LONG, 4, 4};
        case Kind::double_precision:
            return {SQL_DOUBLE, 8, 8};
        case Kind::timestamp:
            return {SQL_TIMESTAMP, 8, 4};
        case Kind::blob:
        case Kind::blob_text:
        case Kind::blob_binary:
            return {SQL_BLOB, 8, 4};
    }
    return {0, 0, 1};
}

unsigned aligned(unsigned offset, unsigned alignment) {
    return (offset + alignment - 1) / alignment * alignment;
}

void add_field(Layout& layout, Kind kind, unsigned bytes,
               const catalog::CharacterSet& charset) {
    const unsigned room =
        catalog::is_text(kind)
            ? catalog::declared_bytes(kind, bytes, catalog::Front::routine, charset)
            : 0;
    const Shape shape = shape_of(kind, room);
    Field& f = layout.fields[layout.count++];
    f.kind = kind;
    f.sql_type = shape.sql_type;
    f.length = catalog::is_text(kind) ? room : shape.size;
    f.charset = catalog::is_text(kind) || kind == Kind::blob_text ? charset.id : 0;
    f.offset = aligned(layout.length, shape.alignment);
    f.null_offset = aligned(f.offset + shape.size, 2);
    layout.length = f.null_offset + 2;
}

}  // namespace

Layout input_layout(const catalog::Function& function,
                    const catalog::CharacterSet& charset) {
    Layout layout{};
    const catalog::CharacterSet& texts = catalog::text_charset(function, charset);
    for (unsigned i = 0; i < function.argument_count; ++i) {
        add_field(layout, function.arguments[i].kind, function.arguments[i].bytes, texts);
    }
    return layout;
}

Layout output_layout(const catalog::Function& function,
                     const catalog::CharacterSet& charset) {
    Layout layout{};
    add_field(layout, function.result.kind, function.result.bytes,
              catalog::text_charset(function, charset));
    return layout;
}

void set_up_message(Status* status, const catalog::Function& function,
                    const Layout& layout, Firebird::IMessageMetadata* declared,
                    Firebird::IMetadataBuilder* builder) {
    if (declared->getCount(status) != layout.count) {
        raise(status, function, "declared with another number of parameters");
    }
    for (unsigned i = 0; i < layout.count; ++i) {
        const Field& f = layout.fields[i];
        builder->setType(status, i, f.sql_type);
        builder->setLength(status, i, f.length);
        if (f.sql_type == SQL_VARYING) {
            builder->setCharSet(status, i, f.charset);
        }
        if (f.kind == Kind::blob_text && f.charset != catalog::charset_none.id) {
            builder->setSubType(status, i, isc_blob_text);
            builder->setCharSet(status, i, f.charset);
        }
        if (f.sql_type == SQL_SHORT || f.sql_type == SQL_LONG) {
            builder->setScale(status, i, 0);
        }
    }
    const Held<Firebird::IMessageMetadata> laid_out(builder->getMetadata(status));
    bool same = laid_out->getMessageLength(status) >= layout.length;
    for (unsigned i = 0; same && i < layout.count; ++i) {
        same = laid_out->getOffset(status, i) == layout.fields[i].offset &&
               laid_out->getNullOffset(status, i) == layout.fields[i].null_offset;
    }
    if (!same) {
        raise(status, function, "the server lays out its messages in an unexpected way");
    }
}

}  // namespace kovudf_udr
