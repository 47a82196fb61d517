// message_test.cpp - a routine's messages from its declaration: which
// declared types carry each kind, accepted as what, or refused naming the
// parameter.
#include "udr/message.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "udr_stand_ins.h"

namespace {

using namespace udr_stand_ins;
using kovudf_udr::Side;

constexpr unsigned int128 = 32752, dec34 = 32762, timestamp_tz = 32754, time_tz = 32756;

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
    {"VSubStr", Side::output, 0, field(SQL_VARYING, 40), SQL_VARYING, 40, ""},
    {"SubStr", Side::output, 0, field(SQL_TEXT, 6), SQL_VARYING, 6, ""},
    {"StrLen", Side::input, 0, field(SQL_LONG, 4), 0, 0, "parameter 1 (TXT) is INTEGER"},
    {"StrLen", Side::input, 0, field(SQL_VARYING, 40000), 0, 0, "parameter 1 (TXT)"},
    {"Oct", Side::input, 0, field(SQL_BOOLEAN, 1), 0, 0, "is BOOLEAN; it takes a text"},
    {"StrToBlob", Side::input, 0, field(SQL_BLOB, 8), 0, 0, "is BLOB; it takes a text"},
    // Whole numbers: any integer width in and out, read and written in it;
    // no decimals; a result also as a double.
    {"SubStr", Side::input, 1, field(SQL_LONG, 4), SQL_LONG, 4, ""},
    {"SubStr", Side::input, 2, field(int128, 16), int128, 16, ""},
    {"IAbs", Side::input, 0, field(SQL_SHORT, 2), SQL_SHORT, 2, ""},
    {"SubStr", Side::input, 1, field(SQL_LONG, 4, 0, -2), 0, 0, "(POS) is NUMERIC"},
    {"SubStr", Side::input, 1, field(SQL_VARYING, 5), 0, 0, "(POS) is VARCHAR"},
    {"StrLen", Side::output, 0, field(SQL_INT64, 8), SQL_INT64, 8, ""},
    {"StrLen", Side::output, 0, field(SQL_DOUBLE, 8), SQL_LONG, 4, ""},
    {"StrLen", Side::output, 0, field(SQL_SHORT, 2), SQL_SHORT, 2, ""},
    {"VStrLen", Side::output, 0, field(SQL_INT64, 8), SQL_INT64, 8, ""},
    {"IAbs", Side::output, 0, field(SQL_INT64, 8, 0, -2), 0, 0,
     "the result is NUMERIC or DECIMAL with 2 decimals"},
    // Doubles: any number in, DOUBLE PRECISION out.
    {"Round", Side::input, 0, field(SQL_LONG, 4, 0, -2), SQL_DOUBLE, 8, ""},
    {"Round", Side::input, 0, field(dec34, 16), SQL_DOUBLE, 8, ""},
    {"Abs", Side::output, 0, field(SQL_FLOAT, 4), 0, 0, "the result is FLOAT"},
    // Dates: TIMESTAMP, DATE, TIMESTAMP WITH TIME ZONE; never TIME.
    {"AddDate", Side::input, 0, field(SQL_TYPE_DATE, 4), SQL_TIMESTAMP, 8, ""},
    {"AddDate", Side::input, 0, field(SQL_TYPE_TIME, 4), 0, 0, "(TS) is TIME"},
    {"AddDate", Side::input, 0, field(time_tz, 8), 0, 0, "(TS) is TIME WITH TIME ZONE"},
    {"ToDate", Side::output, 0, field(SQL_TYPE_DATE, 4), SQL_TIMESTAMP, 8, ""},
    {"ToDate", Side::output, 0, field(timestamp_tz, 12), SQL_TIMESTAMP, 8, ""},
    // BLOBs as declared, sub-type and set; nothing else.
    {"BlobSjisUpper", Side::input, 0, field(SQL_BLOB, 8, 4, 0, 1), SQL_BLOB, 8, ""},
    {"StrToBlob", Side::output, 0, field(SQL_BLOB, 8), SQL_BLOB, 8, ""},
    {"BlobSjisUpper", Side::output, 0, field(SQL_VARYING, 8), 0, 0,
     "the result is VARCHAR"},
    // One parameter more, or two, than the entry takes.
    {"SubStr", Side::input, 3, field(SQL_LONG, 4), 0, 0,
     "declared with 4 parameters; it takes 3 (TXT, POS, LEN)"},
    {"SubStr", Side::input, 4, field(SQL_LONG, 4), 0, 0, "declared with 5 parameters"},
};

// The project's declaration of `name` with one field replaced, or added
// past the last.
std::unique_ptr<RoutineMetadata> declaration(const char* name, Side side, unsigned index,
                                             const Field& declared) {
    const auto table = declaration_of(*catalog::find(name), catalog::charset_none);
    std::vector<Field> in = table->in->fields, out = table->out->fields;
    std::vector<Field>& fields = side == Side::input ? in : out;
    fields.resize(std::max<size_t>(fields.size(), index + 1), declared);
    fields[index] = declared;
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
            layout = kovudf_udr::read_layout(
                &throwing, f, c.side, declared.get(),
                kovudf_udr::walk_charset(&throwing, f, declared.get()));
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

// One walk set a routine: its first text's where it has a walk of its own
// (every set up to GB18030), else UTF8; every other text comes in it, as
// many characters as declared.
struct Walk {
    unsigned first, other;  // UDF_STRCAT's A and B, 40 bytes each
    unsigned walk, room;    // the set of both, and B's room in bytes
};

const Walk walks[] = {
    {4, 5, 4, 80},     // UTF8 first: B's 20 SJIS_0208 characters in UTF-8
    {0, 4, 0, 10},     // NONE first: B's 10 UTF-8 characters as bytes
    {21, 53, 21, 40},  // ISO8859_1 walked as itself, WIN1252 converted to it
    {6, 4, 6, 20},     // EUCJ_0208 walked as itself
    {69, 69, 69, 40},  // GB18030 walked as itself
    {44, 0, 44, 80},   // KSC_5601 likewise; B's 40 NONE bytes in 2-byte room
    {70, 5, 4, 80},    // a set numbered beyond walked as UTF8
};

TEST(RoutineMessages, EveryTextComesInTheFirstTextsWalkSet) {
    const catalog::Function& f = *catalog::find("StrCat");
    for (const Walk& w : walks) {
        SCOPED_TRACE(std::to_string(w.first) + " " + std::to_string(w.other));
        RoutineMetadata declared(
            {field(SQL_VARYING, 40, w.first), field(SQL_TEXT, 40, w.other)},
            {field(SQL_VARYING, 80, w.other)});
        Status status;
        CheckStatusWrapper wrapper(&status);
        kovudf_udr::Status throwing(&wrapper);
        const unsigned walk = kovudf_udr::walk_charset(&throwing, f, &declared);
        const auto in =
            kovudf_udr::read_layout(&throwing, f, Side::input, &declared, walk);
        const auto out =
            kovudf_udr::read_layout(&throwing, f, Side::output, &declared, walk);
        EXPECT_EQ(walk, w.walk);
        EXPECT_EQ(in.fields[1].charset, w.walk);
        EXPECT_EQ(in.fields[1].length, w.room);
        EXPECT_EQ(out.fields[0].charset, w.walk);
    }
    // With no text argument, the first text BLOB's set.
    const catalog::Function& upper = *catalog::find("BlobSjisUpper");
    RoutineMetadata blobs({field(SQL_BLOB, 8, 6, 0, isc_blob_text)},
                          {field(SQL_BLOB, 8, 4, 0, isc_blob_text)});
    Status status;
    CheckStatusWrapper wrapper(&status);
    kovudf_udr::Status throwing(&wrapper);
    EXPECT_EQ(kovudf_udr::walk_charset(&throwing, upper, &blobs), 6u);
}

}  // namespace
