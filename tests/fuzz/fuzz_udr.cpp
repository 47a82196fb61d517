// fuzz_udr.cpp - the external routines' setup and message decoding.  Each
// input declares one routine as a database might: the number, types,
// lengths, scales, sub-types and sets of its parameters and result come from
// the fuzzer (near the table's kinds more often than not, so that many are
// accepted).  Setting it up must either work or be refused with an error
// that names the routine.  An accepted routine that needs no database (all
// but the BLOB and file ones) is then called as the UDR engine calls it:
// its input message, exactly as large as the server lays it out, is filled
// with the fuzzer's bytes.  It must either fail with an error or give an
// output whose null flags are 0 or 1, whose text lengths lie within their
// declared sizes and whose doubles are finite; nothing may be read or
// written outside the two messages.
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "catalog/catalog.h"
#include "fuzz_support.h"
#include "udr/udr_stand_ins.h"

extern "C" FB_BOOLEAN* firebird_udr_plugin(Firebird::IStatus*, FB_BOOLEAN*,
                                           Firebird::IUdrPlugin*);

namespace {

using namespace udr_stand_ins;

struct Registered {
    std::string name;
    IUdrFunctionFactory* factory;
    const catalog::Function* function;
};

std::vector<Registered>& registered() {
    static std::vector<Registered> list = [] {
        std::vector<Registered> found;
        Status status;
        Plugin plugin;
        FB_BOOLEAN unloaded = FB_FALSE;
        firebird_udr_plugin(&status, &unloaded, &plugin);
        for (const auto& entry : plugin.functions) {
            found.push_back(
                {entry.first, entry.second, catalog::find(entry.first.c_str())});
        }
        return found;
    }();
    return list;
}

// A parameter or result: mostly of the type the table's kind is declared
// with, else any type the server knows (or none it knows).
Field fuzzed_field(FuzzInput& input, const catalog::Function& f, catalog::Kind kind,
                   unsigned bytes) {
    static const unsigned types[] = {
        SQL_VARYING,   SQL_TEXT,      SQL_SHORT, SQL_LONG,
        SQL_INT64,     32752,         SQL_FLOAT, SQL_DOUBLE,
        SQL_D_FLOAT,   32760,         32762,     SQL_TIMESTAMP,
        SQL_TYPE_DATE, SQL_TYPE_TIME, 32754,     SQL_BLOB,
        SQL_BOOLEAN,   SQL_ARRAY,     0};
    static const unsigned charsets[] = {0,  1,  2,  3,  4,  5,  6,  21,    44,
                                        53, 56, 57, 67, 68, 69, 70, 0x105, 255};
    const uint8_t choice = input.take<uint8_t>();
    const catalog::CharacterSet* sets[] = {
        &catalog::charset_none, &catalog::charset_sjis_0208, &catalog::charset_utf8};
    Field d = declared_field(f, kind, bytes, *sets[choice % 3]);
    if (choice < 96) {
        return d;
    }
    if (choice < 192) {  // the kind's type, with another length and set
        d.length = input.take<uint16_t>();
        d.charset =
            charsets[input.take<uint8_t>() % (sizeof charsets / sizeof *charsets)];
        return d;
    }
    d.type = types[input.take<uint8_t>() % (sizeof types / sizeof *types)] | (choice & 1);
    d.length = input.take<uint16_t>() % 40;
    d.scale = -static_cast<int>(input.take<uint8_t>() % 4);
    d.sub_type = input.take<int8_t>();
    d.charset = charsets[input.take<uint8_t>() % (sizeof charsets / sizeof *charsets)];
    return d;
}

// A refusal names the routine: as declared ("NAME (kovudf!Routine)"), or
// under the table's SQL name.
bool refused(const Status& status, const catalog::Function& f) {
    if (!status.failed()) {
        return false;
    }
    FUZZ_CHECK(status.text.find("kovudf!" + catalog::routine_name(f)) !=
                   std::string::npos ||
               status.text.find(catalog::sql_name(f)) != std::string::npos);
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto& list = registered();
    FuzzInput input(data, size);
    const Registered& r = list[input.take<uint8_t>() % list.size()];
    const catalog::Function& f = *r.function;

    // The declaration: now and then a parameter more or fewer.
    const uint8_t shape = input.take<uint8_t>();
    unsigned count = f.argument_count;
    if (shape % 16 == 1 && count > 0) {
        --count;
    } else if (shape % 16 == 2 && count < catalog::max_arguments) {
        ++count;
    }
    std::vector<Field> in;
    for (unsigned i = 0; i < count; ++i) {
        const catalog::Argument& a = f.arguments[i < f.argument_count ? i : 0];
        in.push_back(fuzzed_field(input, f, a.kind, a.bytes));
    }
    RoutineMetadata declared(in, {fuzzed_field(input, f, f.result.kind, f.result.bytes)});
    // Now and then a third part of the external name: a legacy NULL handling
    // of 0s and ns, or one a letter too long or with another letter.
    const uint8_t nulls = input.take<uint8_t>() % 4;
    if (nulls != 0) {
        declared.entry_point = "kovudf!" + r.name + "!legacy-null=";
        for (unsigned i = 0; i < count + (nulls == 3 ? 1 : 0); ++i) {
            declared.entry_point += "0nx"[input.take<uint8_t>() % (nulls == 2 ? 3 : 2)];
        }
    }

    Status status;
    CheckStatusWrapper wrapper(&status);
    Context context;
    MetadataBuilder in_builder = declared.in_builder(),
                    out_builder = declared.out_builder();
    r.factory->setup(&wrapper, &context, &declared, &in_builder, &out_builder);
    if (refused(status, f)) {
        return 0;
    }
    // Taken: the parameters, and for UDF_JDATE a TODAY after them.
    FUZZ_CHECK(count == f.argument_count ||
               (catalog::reads_today(f) && count == f.argument_count + 1));
    IExternalFunction* function = r.factory->newItem(&wrapper, &context, &declared);
    FUZZ_CHECK(function != nullptr && !status.failed());
    if (r.name.find("Blob") != std::string::npos) {
        function->dispose();  // BlobInfo, BlobCat, StrToBlob, FileToBlob, ...
        return 0;
    }
    const Message in_message = in_builder.laid_out(),
                  out_message = out_builder.laid_out();
    Bytes in_bytes = input.take_bytes(in_message.length);
    in_bytes.resize(in_message.length);  // exactly the message, nothing after it
    Bytes out_bytes(out_message.length, 0xA5);
    function->execute(&wrapper, &context, in_bytes.data(), out_bytes.data());
    if (!status.failed()) {
        for (const Field& o : out_message.fields) {
            int16_t flag;
            std::memcpy(&flag, out_bytes.data() + o.null_offset, sizeof flag);
            FUZZ_CHECK(flag == 0 || flag == 1);
            if (flag == 0 && o.type == SQL_DOUBLE) {
                double value;
                std::memcpy(&value, out_bytes.data() + o.offset, sizeof value);
                FUZZ_CHECK(std::isfinite(value));
            }
            if (flag == 0 && o.type == SQL_VARYING) {
                uint16_t length;
                std::memcpy(&length, out_bytes.data() + o.offset, sizeof length);
                FUZZ_CHECK(length <= o.length);
            }
        }
    }
    function->dispose();
    return 0;
}
