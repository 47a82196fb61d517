// declare.cpp - kovudf_declare: writes the declaration scripts, the
// migrations (from templates/migrate.sql.in), the function reference
// (docs/reference.md, from templates/reference.md.in and reference.h), the
// Windows export list and the name lists from the table of functions.
//
//   kovudf_declare write ROOT      writes sql/*.sql, docs/reference.md and
//                                  src/legacy/kovudf.def under ROOT
//   kovudf_declare check ROOT      exit 1, naming each file, when a written
//                                  file differs from what write would write
//   kovudf_declare sql [OPTIONS]   prints declarations only:
//       --front legacy|routine (routine)  --dialect 1|3 (3)
//       --charset NONE|SJIS_0208|UTF8|... (NONE)  --functions all|plain|files (all)
//       --prefix NAME_ (UDF_: the names become NAME_STRLEN ...)
//       --module NAME (kovudf)
//   kovudf_declare names entry|routine|sql [--functions all|plain|files]
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "catalog.h"
#include "reference.h"

using namespace catalog;

namespace {

enum class Selection { all, plain, files };

struct Options {
    Front front = Front::routine;
    int dialect = 3;
    const CharacterSet* charset = &charset_none;
    Selection selection = Selection::all;
    std::string prefix = "UDF_";
    std::string module = "kovudf";
};

bool selected(const Function& f, Selection s) {
    return s == Selection::all || (s == Selection::files) == (f.access == Access::files);
}

std::string declared_name(const Function& f, const Options& o) {
    return o.prefix + sql_name(f).substr(4);
}

std::string date_type(const Options& o) {
    return o.dialect == 1 ? "DATE" : "TIMESTAMP";
}

std::string charset_clause(const CharacterSet& set) {
    return std::string(" CHARACTER SET ") + set.name;
}

// The SQL type of an argument or result kind, without NULL or FREE_IT.
std::string type_of(const Function& f, Kind kind, unsigned bytes, const Options& o) {
    const CharacterSet& set = text_charset(f, *o.charset);
    switch (kind) {
        case Kind::cstring:
        case Kind::varchar: {
            const bool cstring = kind == Kind::cstring && o.front == Front::legacy;
            return std::string(cstring ? "CSTRING(" : "VARCHAR(") +
                   std::to_string(declared_characters(kind, bytes, o.front, set)) + ")" +
                   charset_clause(set);
        }
        case Kind::smallint:
            return "SMALLINT";
        case Kind::integer:
            return "INTEGER";
        case Kind::double_precision:
            return "DOUBLE PRECISION";
        case Kind::timestamp:
            return date_type(o);
        case Kind::blob:
            // The BLOB argument of a function that gives text from it is a
            // text BLOB in a typed set: one a client binds in another set is
            // converted to it.  A stored binary, NONE or OCTETS BLOB arrives
            // as its bytes (in UTF8, bytes that are UTF-8).
            return o.front == Front::routine && set.id != charset_none.id &&
                           (is_text(f.result.kind) || f.result.kind == Kind::blob_text)
                       ? "BLOB SUB_TYPE TEXT" + charset_clause(set)
                       : "BLOB";
        case Kind::blob_binary:
            return "BLOB";
        case Kind::blob_text:
            return "BLOB SUB_TYPE TEXT" + charset_clause(set);
    }
    return "";
}

unsigned text_arguments(const Function& f) {
    unsigned n = 0;
    for (unsigned i = 0; i < f.argument_count; ++i) {
        n += is_text(f.arguments[i].kind) ? 1 : 0;
    }
    return n;
}

// DECLARE EXTERNAL FUNCTION: every argument but a BLOB takes NULL; a BLOB
// result is an output BLOB argument after the others.
std::string legacy_declaration(const Function& f, const Options& o) {
    std::vector<std::string> arguments;
    for (unsigned i = 0; i < f.argument_count; ++i) {
        const Argument& a = f.arguments[i];
        arguments.push_back(type_of(f, a.kind, a.bytes, o) +
                            (a.kind == Kind::blob ? "" : " NULL"));
    }
    std::string returns;
    switch (f.result.kind) {
        case Kind::smallint:
        case Kind::integer:
        case Kind::double_precision:
            returns = type_of(f, f.result.kind, 0, o) + " BY VALUE";
            break;
        case Kind::blob_text:
        case Kind::blob_binary:
            arguments.push_back("BLOB");
            returns = "PARAMETER " + std::to_string(arguments.size());
            break;
        default:
            returns = type_of(f, f.result.kind, f.result.bytes, o) + " FREE_IT";
    }
    const char* separator = text_arguments(f) > 1 ? ",\n    " : ", ";
    std::string out = "DECLARE EXTERNAL FUNCTION " + declared_name(f, o) + "\n    ";
    for (size_t i = 0; i < arguments.size(); ++i) {
        out += (i == 0 ? "" : separator) + arguments[i];
    }
    out += "\n    RETURNS " + returns + "\n    ENTRY_POINT '" + entry_name(f) +
           "' MODULE_NAME '" + o.module + "';\n";
    return out;
}

// The TODAY parameter of the function that reads today, in a dialect:
// CURRENT_DATE of the calling statement (in dialect 1, whose DATE holds a
// time of day, CURRENT_TIMESTAMP, of the same day).
std::string today_parameter(int dialect) {
    return std::string(", ") + today_argument.parameter + " DATE DEFAULT " +
           (dialect == 1 ? "CURRENT_TIMESTAMP" : "CURRENT_DATE");
}

// The parts of CREATE FUNCTION after the name: arguments, result, module.
std::string routine_signature(const Function& f, const Options& o, const char* gap) {
    std::string out = " (";
    for (unsigned i = 0; i < f.argument_count; ++i) {
        const Argument& a = f.arguments[i];
        out += std::string(i == 0 ? "" : ", ") + a.parameter + " " +
               type_of(f, a.kind, a.bytes, o);
    }
    if (reads_today(f)) {
        out += today_parameter(o.dialect);
    }
    return out + ")" + gap + "RETURNS " + type_of(f, f.result.kind, f.result.bytes, o) +
           gap + "EXTERNAL NAME '" + o.module + "!" + routine_name(f) + "' ENGINE UDR";
}

std::string routine_declaration(const Function& f, const Options& o) {
    return "CREATE FUNCTION " + declared_name(f, o) + routine_signature(f, o, "\n    ") +
           ";\n";
}

std::string declaration(const Function& f, const Options& o) {
    return o.front == Front::legacy ? legacy_declaration(f, o)
                                    : routine_declaration(f, o);
}

std::string declarations(const Options& o) {
    std::string out;
    for (const Function& f : functions) {
        if (selected(f, o.selection)) {
            out += declaration(f, o) + "\n";
        }
    }
    return out;
}

// ---------------------------------------------------------------------------
// The committed scripts.

const Function& function(const char* name) {
    return *find(name);
}

unsigned budget(const char* name, unsigned argument) {
    return function(name).arguments[argument].bytes;
}

// Words of `text` in lines of at most 77 columns, each starting with
// `indent`; a "\n" in the text starts a new line.
std::string wrap(const std::string& text, const std::string& indent = "   ") {
    std::string out, line = indent;
    std::istringstream words(text);
    for (std::string word; words >> word;) {
        const bool newline = word == "\\n";
        // Two spaces after the end of a sentence.
        const std::string gap =
            line == indent
                ? ""
                : (line.back() == '.' && line[line.size() - 2] != '.' ? "  " : " ");
        if (!newline && line.size() + gap.size() + word.size() <= 77) {
            line += gap + word;
            continue;
        }
        out += line + "\n";
        line = indent + (newline ? "" : word);
    }
    return out + line;
}

std::string heading(const char* title, const std::string& note = "") {
    std::string line = "/* ---- " + std::string(title) + " ";
    line.resize(77, '-');
    if (note.empty()) {
        return "\n" + line + " */\n\n";
    }
    return "\n" + line + "\n" + note + " */\n\n";
}

const char* family_title(Family family) {
    switch (family) {
        case Family::text:
            return "Text";
        case Family::blob:
            return "BLOBs";
        case Family::numeric:
            return "Numbers";
        case Family::date:
            return "Dates";
    }
    return "";
}

std::string family_note(Family family, const Options& o, const std::string& twin) {
    if (family == Family::blob && o.front == Front::legacy) {
        return wrap(
            "A BLOB that a function returns reaches SQL as BLOB SUB_TYPE 0 (binary). "
            "For text use, CAST(... AS BLOB SUB_TYPE TEXT).  Texts written into BLOBs "
            "are CSTRING(" +
            std::to_string(declared_characters(Kind::cstring, budget("StrToBlob", 0),
                                               o.front, *o.charset)) +
            "), the longest the server passes.");
    }
    if (family == Family::date) {
        return wrap(o.dialect == 3
                        ? "Date values are TIMESTAMP (date and time of day); " + twin +
                              " is this script for dialect-1 databases, where that type "
                              "is called DATE."
                        : "Date values are DATE, which holds a date and a time of day in "
                          "a dialect-1 database; " +
                              twin +
                              " is this script for dialect-3 databases, where that type "
                              "is called TIMESTAMP.");
    }
    return "";
}

// Every function of the selection, under a heading for each family.
std::string grouped_declarations(const Options& o, const std::string& twin) {
    std::string out;
    bool first = true;
    Family family = Family::text;
    for (const Function& f : functions) {
        if (!selected(f, o.selection)) {
            continue;
        }
        if (first || f.family != family) {
            family = f.family;
            out += heading(family_title(family), family_note(family, o, twin));
            first = false;
        } else {
            out += "\n";
        }
        out += declaration(f, o);
    }
    return out;
}

std::string dialect_words(int dialect) {
    return dialect == 1 ? "dialect-1" : "dialect-3";
}

std::string legacy_script(const std::string& file, const Options& o,
                          const std::string& twin) {
    std::ostringstream s;
    s << "/* " << file << " - declares the kovudf functions in a "
      << dialect_words(o.dialect) << " database.\n\n"
      << "   Run it once per database:   isql-fb -i " << file << " <database>\n"
      << "   The module kovudf.so / kovudf.dll must sit in a directory the server's\n"
      << "   UdfAccess setting allows (see the README).  kovudf_drop.sql removes\n"
      << "   everything declared here; the two file functions are declared separately\n"
      << "   in kovudf_files.sql because they reach the server machine's files.\n\n"
      << "   Conventions used below:\n"
      << "   - Every argument but a BLOB carries the NULL keyword, so SQL NULL\n"
      << "     reaches the module as a missing value: a function that returns text\n"
      << "     or a date then returns NULL, one that returns a number returns 0.\n"
      << "   - Texts are CHARACTER SET NONE: bytes pass unchanged, whatever the\n"
      << "     database's character set (Shift-JIS text keeps its bytes).\n"
      << "   - CSTRING(" << budget("StrLen", 0) << ") for ordinary text.  "
      << "The server copies the declared size on\n"
      << "     every call, so a larger size costs time on every row; raise it here "
         "if\n"
      << "     your texts are longer. */\n"
      << grouped_declarations(o, twin) << "\nCOMMIT;\n";
    return s.str();
}

const char* const files_warning =
    "   UDF_FILETOBLOB reads, and UDF_BLOBTOFILE creates or overwrites, any file\n"
    "   that the server process may open, named by whoever calls them.  Declare\n"
    "   them only in databases that need them, and only let trusted users run\n"
    "   them:\n\n"
    "       REVOKE EXECUTE ON FUNCTION UDF_BLOBTOFILE FROM PUBLIC;\n"
    "       GRANT EXECUTE ON FUNCTION UDF_BLOBTOFILE TO ROLE file_export;\n\n";

// What a routine script says of its texts' character set.
std::string charset_words(const Options& o) {
    const std::string set = o.charset->name;
    if (o.charset->id == charset_none.id) {
        return "Texts are VARCHAR CHARACTER SET NONE and counted: a zero byte inside is "
               "a byte like any other.";
    }
    return "Texts are VARCHAR CHARACTER SET " + set +
           ", for a database whose texts are " + set +
           ": the server converts them from and to each client's character set.  "
           "Positions and lengths count bytes, a zero byte is a byte like any other, and "
           "no text result splits a character.  The BLOB arguments of the functions that "
           "give text from them are BLOB SUB_TYPE TEXT in that set too, so that a "
           "client's BLOB in another set is converted; a stored binary, NONE or OCTETS "
           "BLOB arrives as its bytes (which in UTF8 must be UTF-8).  Digits, dates and "
           "UDF_BLOBINFO's description are ASCII and stay CHARACTER SET NONE.";
}

std::string database_words(const Options& o) {
    return o.charset->id == charset_none.id
               ? ""
               : std::string(" whose texts are ") + o.charset->name;
}

// The file name of a routine script: kovudf_udr, the set's suffix, the part.
std::string routine_file(const Options& o, const std::string& part) {
    return "kovudf_udr" + std::string(o.charset->script_suffix) + part + ".sql";
}

std::string files_script(const std::string& file, const Options& o) {
    std::ostringstream s;
    if (o.front == Front::legacy) {
        s << "/* " << file << " - the two kovudf functions that touch files.\n\n"
          << files_warning
          << "   UDF_BLOBTOFILE returns 0 when every byte was written, -999 for a NULL\n"
          << "   BLOB (no file is touched), -1 when the file cannot be created, and the\n"
          << "   system's error number when a write fails (for example 28, no space "
             "left,\n"
          << "   on Linux).  The third argument is required but not used. */\n\n";
    } else {
        s << "/* "
          << wrap(file +
                  " - the two kovudf functions that touch files, as external "
                  "routines (UDR)" +
                  (o.charset->id == charset_none.id
                       ? std::string(".")
                       : " for a database" + database_words(o) +
                             ": file names are in that character set."))
                 .substr(3)
          << "\n\n"
          << files_warning
          << "   UDF_FILETOBLOB reads regular files only.  UDF_BLOBTOFILE returns 0 "
             "when\n"
          << "   every byte was written, -999 for a NULL BLOB (no file is touched), -1\n"
          << "   when the file cannot be created, and the system's error number when a\n"
          << "   write fails.  The third argument is required but not used.  A file "
             "name\n"
          << "   holding a zero byte is refused. */\n\n";
    }
    s << declarations(o) << "COMMIT;\n";
    return s.str();
}

std::string routine_script(const std::string& file, const Options& o,
                           const std::string& twin, const std::string& migrate) {
    std::ostringstream s;
    s << "/* "
      << wrap(file + " - declares the kovudf functions as external routines (UDR) in a " +
              dialect_words(o.dialect) + " database" + database_words(o) +
              ", for Firebird 3 and later.")
             .substr(3)
      << "\n\n"
      << "   Run it once per database:   isql-fb -i " << file << " <database>\n\n"
      << "   The module libkovudf.so (kovudf.dll on Windows) must sit in the server's\n"
      << "   UDR directory (plugins/udr); legacy UDF access (UdfAccess) may stay\n"
      << "   None.  The names and argument orders are those of the legacy scripts, so\n"
      << "   SQL written for the legacy functions runs unchanged.\n"
      << wrap(migrate +
              " turns a database's legacy declarations into these in place; "
              "kovudf_drop.sql removes either kind.  The file functions are "
              "in " +
              routine_file(o, "_files") + ".")
      << "\n\n"
      << "   Differences from the legacy functions:\n"
      << "   - SQL NULL in a text, number or date argument gives NULL (numbers\n"
      << "     included); a NULL BLOB is no data, and a NULL text added to a BLOB\n"
      << "     adds nothing.\n"
      << wrap(charset_words(o), "     ").replace(3, 2, "- ") << "\n"
      << "   - A result the server would refuse (a date outside 0001-01-01..\n"
      << "     9999-12-31, an infinite or NaN double, a text longer than its declared\n"
      << "     size) is an error naming the function.\n"
      << "   - BLOB results built from text are BLOB SUB_TYPE TEXT"
      << (o.charset->id == charset_none.id
              ? std::string()
              : "\n     CHARACTER SET " + std::string(o.charset->name))
      << ". */\n"
      << grouped_declarations(o, twin) << "\nCOMMIT;\n";
    return s.str();
}

// Whether a row of RDB$FUNCTIONS is ours: a legacy declaration of the
// kovudf module however it is spelt (kovudf, KOVUDF, kovudf.dll, kovudf.so,
// a path to one), or a routine of it.  LIKE, not SIMILAR TO: the Windows
// build of Firebird 5.0 of the test run crashes on such a SIMILAR TO.
const char* const ours =
    "((RDB$ENGINE_NAME IS NULL\n"
    "                    AND ('/' || LOWER(REPLACE(TRIM(RDB$MODULE_NAME), '\\', '/')) "
    "LIKE '%/kovudf'\n"
    "                         OR '/' || LOWER(REPLACE(TRIM(RDB$MODULE_NAME), '\\', '/')) "
    "LIKE '%/kovudf.dll'\n"
    "                         OR '/' || LOWER(REPLACE(TRIM(RDB$MODULE_NAME), '\\', '/')) "
    "LIKE '%/kovudf.so'))\n"
    "                   OR (RDB$ENGINE_NAME = 'UDR' AND RDB$ENTRYPOINT STARTING WITH "
    "'kovudf!'))";

// ---------------------------------------------------------------------------
// The migration: templates/migrate.sql.in, fed the table as data.

// A kind as the migration's table of entries writes it.
char kind_letter(Kind kind) {
    switch (kind) {
        case Kind::cstring:
            return 'c';
        case Kind::varchar:
            return 'v';
        case Kind::smallint:
            return 's';
        case Kind::integer:
            return 'i';
        case Kind::double_precision:
            return 'd';
        case Kind::timestamp:
            return 't';
        case Kind::blob:
            return 'b';
        case Kind::blob_text:
            return 'x';
        case Kind::blob_binary:
            return 'y';
    }
    return '?';
}

std::string sql_text(const std::string& text, unsigned length) {
    return "CAST('" + text + "' AS VARCHAR(" + std::to_string(length) + "))";
}

// The entry points as rows of SQL: entry, routine, argument kinds, result
// kind, whether the texts take the declaration's set, parameter names.
std::string entry_rows() {
    std::string out;
    for (const Function& f : functions) {
        std::string row = "            SELECT " + sql_text(entry_name(f), 31) + ", " +
                          sql_text(routine_name(f), 31) + ",\n                   ";
        std::string kinds;
        for (unsigned i = 0; i < f.argument_count; ++i) {
            kinds += kind_letter(f.arguments[i].kind);
        }
        row += sql_text(kinds, 8) + ", " +
               sql_text(std::string(1, kind_letter(f.result.kind)), 1) + ", " +
               sql_text(texts_take_set(f) ? "y" : "n", 1);
        for (unsigned i = 0; i < max_arguments; ++i) {
            row += i % 3 == 0 ? ",\n                   " : ", ";
            row += i < f.argument_count ? sql_text(f.arguments[i].parameter, 20)
                                        : std::string("CAST(NULL AS VARCHAR(20))");
        }
        out += (out.empty() ? "" : " UNION ALL\n") + row + " FROM RDB$DATABASE";
    }
    return out;
}

std::string replaced(std::string text, const std::string& key, const std::string& value) {
    for (size_t at = text.find(key); at != std::string::npos;
         at = text.find(key, at + value.size())) {
        text.replace(at, key.size(), value);
    }
    return text;
}

// The template's lines for one mode: "--@migrate " lines are kept, without
// the mark, in the migration and left out of the report.
std::string for_mode(const std::string& text, bool migrate) {
    const std::string mark = "--@migrate ";
    std::istringstream lines(text);
    std::string out;
    for (std::string line; std::getline(lines, line);) {
        if (line.compare(0, mark.size(), mark) == 0) {
            if (!migrate) {
                continue;
            }
            line = line.substr(mark.size());
        }
        out += line + "\n";
    }
    return out;
}

// A migration, or its report, for a set: the set's scripts retype the texts
// that legacy declarations named NONE.
std::string migrate_script(const std::string& layout, const std::string& file,
                           const CharacterSet& set, bool migrate) {
    Options o;
    o.charset = &set;
    const std::string migrate_file = routine_file(o, "_migrate"),
                      report_file = routine_file(o, "_migrate_report");
    const bool retype = set.id != charset_none.id;
    const std::string purpose =
        migrate ? std::string(
                      "moves a database's legacy kovudf\n   declarations to the "
                      "external routines (UDR), in place.")
                : "what " + migrate_file +
                      "\n   would change in a database; it changes nothing.";
    std::string text = for_mode(layout, migrate);
    text = replaced(text, "@PURPOSE@", purpose);
    text = replaced(
        text, "@RETYPE_WORDS@",
        retype
            ? "\n\n" + wrap(std::string("For a ") + set.name +
                            " database whose legacy declarations name CHARACTER SET "
                            "NONE, as kovudf.sql's do: such texts become " +
                            set.name +
                            ", and the BLOBs built, cut or case-mapped text "
                            "BLOBs in " +
                            set.name + ", as " + routine_file(o, "") + " declares them.")
            : "");
    text = replaced(text, "@FILE@", file);
    text = replaced(text, "@MIGRATE_FILE@", migrate_file);
    text = replaced(text, "@REPORT_FILE@", report_file);
    text = replaced(text, "@MIGRATE@", migrate ? "TRUE" : "FALSE");
    text = replaced(text, "@OURS@", replaced(ours, "RDB$", "f.RDB$"));
    for (const Function& f : functions) {
        if (reads_today(f)) {
            text = replaced(text, "@TODAY_ROUTINE@", routine_name(f));
            text = replaced(text, "@TODAY_1@", today_parameter(1));
            text = replaced(text, "@TODAY_3@", today_parameter(3));
        }
    }
    text = replaced(text, "@RETYPE@", retype ? set.name : "");
    text = replaced(text, "@RETYPE_BYTES@", std::to_string(set.bytes_per_character));
    return replaced(text, "@ENTRIES@", entry_rows());
}

std::string drop_script() {
    return std::string(
               "/* kovudf_drop.sql - removes every kovudf function from a database: the\n"
               "   legacy declarations, whatever their names and however the module is\n"
               "   spelt, and the external routines alike.  A function still used by a\n"
               "   view, procedure or trigger cannot be dropped until that user is\n"
               "   changed. */\n\n"
               "SET TERM ^ ;\n"
               "EXECUTE BLOCK AS\n"
               "    DECLARE name VARCHAR(63) CHARACTER SET UTF8;\n"
               "    DECLARE dialect SMALLINT;\n"
               "BEGIN\n"
               "    SELECT MON$SQL_DIALECT FROM MON$DATABASE INTO dialect;\n"
               "    FOR SELECT TRIM(TRAILING FROM RDB$FUNCTION_NAME) FROM RDB$FUNCTIONS\n"
               "        WHERE RDB$PACKAGE_NAME IS NULL\n"
               "          AND ") +
           ours +
           "\n"
           "        INTO :name\n"
           "    DO\n"
           "        EXECUTE STATEMENT 'DROP FUNCTION ' ||\n"
           "            IIF(dialect = 1, name, '\"' || REPLACE(name, '\"', '\"\"') || "
           "'\"');\n"
           "END^\n"
           "SET TERM ; ^\n\n"
           "COMMIT;\n";
}

std::string export_list() {
    std::string out =
        "; kovudf.def - the module's exports on Windows: the 41 entries under their\n"
        "; plain names, and nothing else.  Written by kovudf_declare from the table\n"
        "; of functions (src/catalog/functions.h).\n"
        "LIBRARY kovudf.dll\nEXPORTS\n";
    for (const Function& f : functions) {
        out += "    " + entry_name(f) + "\n";
    }
    return out;
}

// ---------------------------------------------------------------------------
// The function reference: templates/reference.md.in with a table for each
// family and one of the closest built-ins, from the table and reference.h.

const Reference& reference_of(const Function& f) {
    for (const Reference& r : references) {
        if (std::strcmp(r.name, f.name) == 0) {
            return r;
        }
    }
    std::fprintf(stderr, "reference.h has no entry for %s\n", f.name);
    std::exit(1);
}

// "(A VARCHAR(4096), B ...) RETURNS ..." as a front's script declares it.
std::string signature(const Function& f, Front front) {
    Options o;
    o.front = front;
    std::string out = "(";
    for (unsigned i = 0; i < f.argument_count; ++i) {
        const Argument& a = f.arguments[i];
        out += std::string(i == 0 ? "" : ", ") + a.parameter + " " +
               type_of(f, a.kind, a.bytes, o);
    }
    out += ")";
    if (front == Front::legacy &&
        (f.result.kind == Kind::blob_text || f.result.kind == Kind::blob_binary)) {
        return out + " RETURNS BLOB (its last argument)";
    }
    std::string result = type_of(f, f.result.kind, f.result.bytes, o);
    return out + " RETURNS " + result;
}

// What a NULL argument gives, in each front.
std::string null_rule(const Function& f) {
    bool blob = false, plain = false;
    std::string adds_nothing;
    for (unsigned i = 0; i < f.argument_count; ++i) {
        const Argument& a = f.arguments[i];
        if (a.kind == Kind::blob) {
            blob = true;
        } else if (a.null_adds_nothing) {
            adds_nothing = a.parameter;
        } else {
            plain = true;
        }
    }
    std::string out;
    if (plain) {
        const bool number = f.result.kind == Kind::smallint ||
                            f.result.kind == Kind::integer ||
                            f.result.kind == Kind::double_precision;
        out = std::string("NULL; legacy: ") + (number ? "0" : "NULL");
    }
    if (!adds_nothing.empty()) {
        out += std::string(out.empty() ? "" : "; ") + "a NULL " + adds_nothing +
               " adds nothing";
    }
    if (blob) {
        out += std::string(out.empty() ? "" : "; ") + "a NULL BLOB is no data";
    }
    return out;
}

std::string cell(std::string text) {
    return replaced(text, "|", "\\|");
}

std::string family_table(Family family) {
    std::string out =
        "| function | routine, as `kovudf_udr.sql` declares it | legacy, as `kovudf.sql` "
        "declares it | entry points | NULL argument | what it does | example |\n"
        "|---|---|---|---|---|---|---|\n";
    for (const Function& f : functions) {
        if (f.family != family) {
            continue;
        }
        const Reference& r = reference_of(f);
        out += "| `" + sql_name(f) + "` | `" + signature(f, Front::routine) + "` | `" +
               signature(f, Front::legacy) + "` | `" + entry_name(f) + "`, `kovudf!" +
               routine_name(f) + "` | " + null_rule(f) + " | " + cell(r.does) +
               (f.access == Access::files ? " *(kovudf_files.sql)*" : "") + " | " +
               cell(r.example) + " |\n";
    }
    return out;
}

std::string builtin_table() {
    std::string out =
        "| function | closest built-in | where they differ |\n|---|---|---|\n";
    for (const Function& f : functions) {
        const Reference& r = reference_of(f);
        out += "| `" + sql_name(f) + "` | " + (*r.builtin ? cell(r.builtin) : "none") +
               " | " + cell(r.differs) + " |\n";
    }
    return out;
}

std::string reference_page(const std::string& layout) {
    std::string text = layout;
    text = replaced(text, "@TEXT@", family_table(Family::text));
    text = replaced(text, "@BLOBS@", family_table(Family::blob));
    text = replaced(text, "@NUMBERS@", family_table(Family::numeric));
    text = replaced(text, "@DATES@", family_table(Family::date));
    return replaced(text, "@BUILTINS@", builtin_table());
}

std::string read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return in ? s.str() : std::string("\x01missing");
}

struct Written {
    std::string path;  // under the source root
    std::string text;
};

Options script_options(Front front, int dialect, Selection selection) {
    Options o;
    o.front = front;
    o.dialect = dialect;
    o.selection = selection;
    return o;
}

// The routine scripts of one character set: dialects 3 and 1, files, and
// the migrations.
void add_routine_scripts(std::vector<Written>& files, const CharacterSet& charset,
                         const std::string& layout) {
    using S = Selection;
    Options o[3] = {script_options(Front::routine, 3, S::plain),
                    script_options(Front::routine, 1, S::plain),
                    script_options(Front::routine, 3, S::files)};
    for (Options& each : o) {
        each.charset = &charset;
    }
    const std::string d3 = routine_file(o[0], ""), d1 = routine_file(o[0], "_dialect1"),
                      migrate = routine_file(o[0], "_migrate"),
                      report = routine_file(o[0], "_migrate_report"),
                      files_name = routine_file(o[0], "_files");
    files.push_back({"sql/" + d3, routine_script(d3, o[0], d1, migrate)});
    files.push_back({"sql/" + d1, routine_script(d1, o[1], d3, migrate)});
    files.push_back({"sql/" + files_name, files_script(files_name, o[2])});
    files.push_back({"sql/" + migrate, migrate_script(layout, migrate, charset, true)});
    files.push_back({"sql/" + report, migrate_script(layout, report, charset, false)});
}

std::vector<Written> written_files(const std::string& root) {
    using S = Selection;
    const std::string layout = read_file(root + "/src/catalog/templates/migrate.sql.in");
    const Options legacy3 = script_options(Front::legacy, 3, S::plain);
    const Options legacy1 = script_options(Front::legacy, 1, S::plain);
    std::vector<Written> files = {
        {"sql/kovudf.sql", legacy_script("kovudf.sql", legacy3, "kovudf_dialect1.sql")},
        {"sql/kovudf_dialect1.sql",
         legacy_script("kovudf_dialect1.sql", legacy1, "kovudf.sql")},
        {"sql/kovudf_files.sql",
         files_script("kovudf_files.sql", script_options(Front::legacy, 3, S::files))},
        {"sql/kovudf_drop.sql", drop_script()},
        {"src/legacy/kovudf.def", export_list()},
        {"docs/reference.md",
         reference_page(read_file(root + "/src/catalog/templates/reference.md.in"))},
    };
    for (const CharacterSet* charset : declared_charsets) {
        add_routine_scripts(files, *charset, layout);
    }
    return files;
}

int usage() {
    std::fprintf(stderr,
                 "usage: kovudf_declare write|check ROOT\n"
                 "       kovudf_declare sql [--front legacy|routine] [--dialect 1|3]\n"
                 "                          [--charset NONE|SJIS_0208|UTF8|GBK|...]\n"
                 "                          [--functions all|plain|files] [--prefix P_]\n"
                 "                          [--module NAME]\n"
                 "       kovudf_declare names entry|routine|sql [--functions ...]\n");
    return 2;
}

bool parse_options(int argc, char** argv, int first, Options& o) {
    for (int i = first; i < argc; i += 2) {
        if (i + 1 >= argc) {
            return false;
        }
        const std::string key = argv[i], value = argv[i + 1];
        if (key == "--front" && (value == "legacy" || value == "routine")) {
            o.front = value == "legacy" ? Front::legacy : Front::routine;
        } else if (key == "--dialect" && (value == "1" || value == "3")) {
            o.dialect = value == "1" ? 1 : 3;
        } else if (key == "--charset") {
            o.charset = nullptr;
            const auto take = [&](const auto& sets) {
                for (const CharacterSet* set : sets) {
                    o.charset = value == set->name ? set : o.charset;
                }
            };
            take(declared_charsets);
            take(walked_charsets);
            if (o.charset == nullptr) {
                return false;
            }
        } else if (key == "--functions" &&
                   (value == "all" || value == "plain" || value == "files")) {
            o.selection = value == "all"     ? Selection::all
                          : value == "plain" ? Selection::plain
                                             : Selection::files;
        } else if (key == "--prefix") {
            o.prefix = value;
        } else if (key == "--module") {
            o.module = value;
        } else {
            return false;
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    Options o;
    if ((command == "write" || command == "check") && argc == 3) {
        int differing = 0;
        for (const Written& w : written_files(argv[2])) {
            const std::string path = std::string(argv[2]) + "/" + w.path;
            if (command == "write") {
                std::ofstream(path, std::ios::binary) << w.text;
            } else if (read_file(path) != w.text) {
                std::fprintf(stderr, "%s is not what kovudf_declare writes\n",
                             w.path.c_str());
                ++differing;
            }
        }
        return differing == 0 ? 0 : 1;
    }
    if (command == "sql" && parse_options(argc, argv, 2, o)) {
        std::cout << declarations(o) << "COMMIT;\n";
        return 0;
    }
    if (command == "names" && argc >= 3 && parse_options(argc, argv, 3, o)) {
        const std::string which = argv[2];
        for (const Function& f : functions) {
            if (!selected(f, o.selection)) {
                continue;
            }
            if (which == "entry") {
                std::cout << entry_name(f) << "\n";
            } else if (which == "routine") {
                std::cout << routine_name(f) << "\n";
            } else if (which == "sql") {
                std::cout << sql_name(f) << "\n";
            } else {
                return usage();
            }
        }
        return 0;
    }
    return usage();
}
