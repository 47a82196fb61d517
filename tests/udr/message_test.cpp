// message_test.cpp - a routine's messages from its declaration: which
// declared types carry each kind (accepted as what, or refused naming the
// parameter), and where the fields lie; and one routine called through its
// factory, to see the set it was declared in decide its characters.
#include "udr/message.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "udr_stand_ins.h"

extern "C" FB_BOOLEAN* firebird_udr_plugin(Firebird::IStatus*, FB_BOOLEAN*,
                                           Firebird::IUdrPlugin*);

namespace {

using namespace udr_stand_ins;
using kovudf_udr::Side;

constexpr unsigned int128 = 32752, dec34 = 32762, timestamp_tz = 32754;

struct Case {
    const char* function;
    Side side;
    unsigned index;  // of the parameter declared as `declared`
    Field declared;
    unsigned read_as;   // the type the routine reads, 0 when refused
    unsigned length;    // and its length
    const char* words;  // in the refusal
};

const Case cases[] = {
    // Texts: VARCHAR or CHAR of any length and set, read as VARCHAR.
    {"StrLen", Side::input, 0, field(SQL_VARYING, 32000, 5), SQL_VARYING, 32000, ""},
    {"StrLen", Side::input, 0, field(SQL_TEXT, 10, 4), SQL_VARYING, 10, ""},
    {"VSubStr", Side::output, 0, field(SQL_VARYING, 40, 4), SQL_VARYING, 40, ""},
    {"SubStr", Side::output, 0, field(SQL_TEXT, 6), SQL_VARYING, 6, ""},
    {"StrLen", Side::input, 0, field(SQL_LONG, 4), 0, 0, "parameter 1 (TXT) is INTEGER"},
    {"StrLen", Side::input, 0, field(SQL_VARYING, 40000), 0, 0, "parameter 1 (TXT)"},
    {"Oct", Side::input, 0, field(SQL_BOOLEAN, 1), 0, 0, "is BOOLEAN; it takes a text"},
    {"StrToBlob", Side::input, 0, field(SQL_BLOB, 8), 0, 0, "is BLOB; it takes a text"},
    // Whole numbers: any width in, wide enough out; no scale.
    {"SubStr", Side::input, 1, field(SQL_LONG, 4), SQL_SHORT, 2, ""},
    {"SubStr", Side::input, 2, field(int128, 16), SQL_SHORT, 2, ""},
    {"SubStr", Side::input, 1, field(SQL_LONG, 4, 0, -2), 0, 0, "(POS) is NUMERIC"},
    {"SubStr", Side::input, 1, field(SQL_VARYING, 5), 0, 0, "(POS) is VARCHAR"},
    {"StrLen", Side::output, 0, field(SQL_INT64, 8), SQL_LONG, 4, ""},
    {"StrLen", Side::output, 0, field(SQL_DOUBLE, 8), SQL_LONG, 4, ""},
    {"StrLen", Side::output, 0, field(SQL_SHORT, 2), 0, 0, "the result is SMALLINT"},
    {"VStrLen", Side::output, 0, field(SQL_SHORT, 2), SQL_SHORT, 2, ""},
    // Doubles: any number in, DOUBLE PRECISION out.
    {"Round", Side::input, 0, field(SQL_LONG, 4, 0, -2), SQL_DOUBLE, 8, ""},
    {"Round", Side::input, 0, field(dec34, 16), SQL_DOUBLE, 8, ""},
    {"Abs", Side::output, 0, field(SQL_FLOAT, 4), 0, 0, "the result is FLOAT"},
    // Dates: TIMESTAMP, DATE, TIMESTAMP WITH TIME ZONE; never TIME.
    {"AddDate", Side::input, 0, field(SQL_TYPE_DATE, 4), SQL_TIMESTAMP, 8, ""},
    {"AddDate", Side::input, 0, field(SQL_TYPE_TIME, 4), 0, 0, "(TS) is TIME"},
    {"ToDate", Side::output, 0, field(SQL_TYPE_DATE, 4), SQL_TIMESTAMP, 8, ""},
    {"ToDate", Side::output, 0, field(timestamp_tz, 12), SQL_TIMESTAMP, 8, ""},
    // BLOBs as declared, sub-type and set; nothing else.
    {"BlobSjisUpper", Side::input, 0, field(SQL_BLOB, 8, 4, 0, 1), SQL_BLOB, 8, ""},
    {"StrToBlob", Side::output, 0, field(SQL_BLOB, 8), SQL_BLOB, 8, ""},
    {"BlobSjisUpper", Side::output, 0, field(SQL_VARYING, 8), 0, 0,
     "the result is VARCHAR"},
};

// The project's declaration of `name` with one field replaced.
std::unique_ptr<RoutineMetadata> declaration(const char* name, Side side, unsigned index,
                                             const Field& declared) {
    const auto table = declaration_of(*catalog::find(name), catalog::charset_none);
    std::vector<Field> in = table->in->fields, out = table->out->fields;
    (side == Side::input ? in : out).at(index) = declared;
    return std::make_unique<RoutineMetadata>(in, out);
}

TEST(RoutineMessages, DeclaredTypesAreAcceptedAsTheirKindOrRefused) {
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.function) + " " + std::to_string(c.index));
        const catalog::Function& f = *catalog::find(c.function);
        const auto declared = declaration(c.function, c.side, c.index, c.declared);
        Status status;
        CheckStatusWrapper wrapper(&status);
        kovudf_udr::Status throwing(&wrapper);
        kovudf_udr::Layout layout{};
        try {
            layout = kovudf_udr::read_layout(&throwing, f, c.side, declared.get());
        } catch (const Firebird::FbException&) {
        }
        if (c.read_as == 0) {
            ASSERT_TRUE(status.failed());
            EXPECT_NE(
                status.text.find("STAND_IN (kovudf!" + std::string(c.function) + "): "),
                std::string::npos)
                << status.text;
            EXPECT_NE(status.text.find(c.words), std::string::npos) << status.text;
            continue;
        }
        ASSERT_FALSE(status.failed()) << status.text;
        const kovudf_udr::Field& got = layout.fields[c.index];
        EXPECT_EQ(got.sql_type, c.read_as);
        EXPECT_EQ(got.length, c.length);
        EXPECT_EQ(got.charset, c.declared.charset);
        if (c.read_as == SQL_BLOB) {
            EXPECT_EQ(got.sub_type, c.declared.sub_type);
        }
    }
}

TEST(RoutineMessages, AnotherNumberOfParametersIsRefusedNamingThem) {
    const catalog::Function& f = *catalog::find("SubStr");
    for (unsigned extra : {1u, 2u}) {
        const auto declared = declaration_of(f, catalog::charset_none, extra);
        Status status;
        CheckStatusWrapper wrapper(&status);
        kovudf_udr::Status throwing(&wrapper);
        EXPECT_THROW(kovudf_udr::read_layout(&throwing, f, Side::input, declared.get()),
                     Firebird::FbException);
        EXPECT_NE(status.text.find("declared with " + std::to_string(3 + extra) +
                                   " parameters; it takes 3 (TXT, POS, LEN)"),
                  std::string::npos)
            << status.text;
    }
}

// SUBSTR over bytes 1-2 of 80 82 41: in SJIS_0208, where 80 82 is one
// character, only the 41 is whole; in NONE the bytes come as asked.
TEST(RoutineMessages, TheDeclaredSetDecidesTheCharacters) {
    Status status;
    CheckStatusWrapper wrapper(&status);
    Plugin plugin;
    FB_BOOLEAN unloaded = FB_FALSE;
    firebird_udr_plugin(&status, &unloaded, &plugin);
    const catalog::Function& f = *catalog::find("SubStr");
    for (const catalog::CharacterSet* set :
         {&catalog::charset_sjis_0208, &catalog::charset_none}) {
        const auto declared = declaration_of(f, *set);
        MetadataBuilder in = declared->in_builder(), out = declared->out_builder();
        Context context;
        plugin.functions.at("SubStr")->setup(&wrapper, &context, declared.get(), &in,
                                             &out);
        IExternalFunction* routine =
            plugin.functions.at("SubStr")->newItem(&wrapper, &context, declared.get());
        ASSERT_FALSE(status.failed()) << status.text;
        const Message in_message = in.laid_out(), out_message = out.laid_out();
        std::vector<unsigned char> in_bytes(in_message.length),
            out_bytes(out_message.length);
        const unsigned char text[] = {3, 0, 0x80, 0x82, 0x41};  // length first
        const int16_t start = 1, length = 2;
        unsigned char* at = in_bytes.data();
        std::memcpy(at + in_message.fields[0].offset, text, sizeof text);
        std::memcpy(at + in_message.fields[1].offset, &start, sizeof start);
        std::memcpy(at + in_message.fields[2].offset, &length, sizeof length);
        routine->execute(&wrapper, &context, in_bytes.data(), out_bytes.data());
        routine->dispose();
        ASSERT_FALSE(status.failed()) << status.text;
        const unsigned char* result = out_bytes.data() + out_message.fields[0].offset;
        const std::vector<unsigned char> got(result + 2, result + 2 + result[0]);
        const std::vector<unsigned char> none{0x82, 0x41}, sjis{0x41};
        EXPECT_EQ(got, set == &catalog::charset_none ? none : sjis);
    }
}

}  // namespace
