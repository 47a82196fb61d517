// message.h - the messages of an external routine, laid out from the table
// of functions.
//
// The routine tells the server, when it is set up, the type of each field
// of its input and output messages (the server converts the declared
// parameters to them); the layout follows from those types as the server
// lays out every message: each value at its natural alignment, then its
// 2-byte null flag.  The server's own account of the layout is compared
// with this one before any call, and every length in a message is checked
// against the room its field has, so a message is never read or written
// past its end.
#pragma once

#include "status.h"

namespace kovudf_udr {

struct Field {
    catalog::Kind kind;
    unsigned sql_type;     // SQL_VARYING, SQL_SHORT, ...
    unsigned length;       // of the value: a text's room in bytes
    unsigned charset;      // texts and text BLOB results only
    unsigned offset;       // of the value
    unsigned null_offset;  // of its null flag
};

struct Layout {
    Field fields[catalog::max_arguments];
    unsigned count;
    unsigned length;  // the bytes up to the last null flag
};

// The messages of a function whose texts are in `charset`.
Layout input_layout(const catalog::Function& function,
                    const catalog::CharacterSet& charset);
Layout output_layout(const catalog::Function& function,
                     const catalog::CharacterSet& charset);

// Sets the field types of `layout` into the server's builder of a message
// declared with the same number of parameters, and checks that the server
// lays the message out the same way.
void set_up_message(Status* status, const catalog::Function& function,
                    const Layout& layout, Firebird::IMessageMetadata* declared,
                    Firebird::IMetadataBuilder* builder);

}  // namespace kovudf_udr
