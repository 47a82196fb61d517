// declare.cpp - kovudf_declare: writes the declaration scripts, the Windows
// export list and the name lists from the table of functions.
//
//   kovudf_declare write ROOT      writes sql/*.sql and src/legacy/kovudf.def
//                                  under ROOT
//   kovudf_declare check ROOT      exit 1, naming each file, when a written
//                                  file differs from what write would write
//   kovudf_declare sql [OPTIONS]   prints declarations only:
//       --front legacy|routine (routine)  --dialect 1|3 (3)
//       --charset NONE|SJIS_0208|UTF8 (NONE)  --functions all|plain|files (all)
//       --prefix NAME_ (UDF_: the names become NAME_STRLEN ...)
//       --module NAME (kovudf)
//   kovudf_declare names entry|routine|sql [--functions all|plain|files]
//   kovudf_declare size FUNCTION ARGUMENT|result [--front F] [--charset C]
//                                  the declared length in characters
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "catalog.h"

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

// The parts of CREATE FUNCTION after the name: arguments, result, module.
std::string routine_signature(const Function& f, const Options& o, const char* gap) {
    std::string out = " (";
    for (unsigned i = 0; i < f.argument_count; ++i) {
        const Argument& a = f.arguments[i];
        out += std::string(i == 0 ? "" : ", ") + a.parameter + " " +
               type_of(f, a.kind, a.bytes, o);
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
           "no text result splits a character.  Digits, dates and UDF_BLOBINFO's "
           "description are ASCII and stay CHARACTER SET NONE.";
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

// Each function the database declares becomes an external routine under its
// own name and arguments: views, procedures and triggers that call it keep
// working.  Functions it does not declare are skipped.
std::string migrate_script(const std::string& file, const Options& o) {
    std::ostringstream s;
    s << "/* "
      << wrap(file + " - turns the legacy kovudf declarations of a " +
              dialect_words(o.dialect) + " database (" +
              (o.dialect == 1 ? "kovudf_dialect1.sql" : "kovudf.sql") +
              ", kovudf_files.sql) into the external routines of " +
              routine_file(o, o.dialect == 1 ? "_dialect1" : "") + " and " +
              routine_file(o, "_files") +
              ", in place: names and arguments stay, "
              "so views, procedures and triggers that call them keep working. "
              "Functions the database does not declare are skipped.")
             .substr(3)
      << "\n\n"
      << "   Run it once:   isql-fb -i " << file << " <database>\n\n"
      << "   The module libkovudf.so (kovudf.dll) must be in the server's UDR\n"
      << "   directory first.  The way back is a backup taken before:\n"
      << "       gbak -b <database> before_udr.fbk        (before running this)\n"
      << "       gbak -rep before_udr.fbk <database>      (to return to the legacy "
         "UDFs)\n"
      << "   The server cannot turn an external routine back into a legacy function in\n"
      << "   place (ALTER EXTERNAL FUNCTION refuses a routine). */\n\n"
      << "SET TERM ^ ;\nEXECUTE BLOCK AS\nBEGIN\n";
    for (const Function& f : functions) {
        std::string statement =
            "ALTER FUNCTION " + declared_name(f, o) + routine_signature(f, o, " ");
        std::string quoted;
        for (char c : statement) {
            quoted += c == '\'' ? std::string("''") : std::string(1, c);
        }
        s << "    IF (EXISTS (SELECT 1 FROM RDB$FUNCTIONS WHERE RDB$FUNCTION_NAME = '"
          << declared_name(f, o) << "'\n"
          << "                AND RDB$PACKAGE_NAME IS NULL)) THEN\n"
          << "        EXECUTE STATEMENT '" << quoted << "';\n";
    }
    s << "END^\nSET TERM ; ^\n\nCOMMIT;\n";
    return s.str();
}

const char* const drop_script =
    "/* kovudf_drop.sql - removes every kovudf function from a database: the\n"
    "   legacy declarations (kovudf.sql, kovudf_files.sql) and the external\n"
    "   routines (kovudf_udr.sql, kovudf_udr_files.sql) alike.  Functions that\n"
    "   are not declared are skipped; a function still used by a view, procedure\n"
    "   or trigger cannot be dropped until that user is changed. */\n\n"
    "SET TERM ^ ;\n"
    "EXECUTE BLOCK AS\n"
    "    DECLARE name VARCHAR(63);\n"
    "BEGIN\n"
    "    FOR SELECT TRIM(RDB$FUNCTION_NAME) FROM RDB$FUNCTIONS\n"
    "        WHERE RDB$PACKAGE_NAME IS NULL\n"
    "          AND (RDB$MODULE_NAME = 'kovudf'\n"
    "               OR (RDB$ENGINE_NAME = 'UDR' AND RDB$ENTRYPOINT STARTING WITH "
    "'kovudf!'))\n"
    "        INTO :name\n"
    "    DO\n"
    "        EXECUTE STATEMENT 'DROP FUNCTION ' || name;\n"
    "END^\n"
    "SET TERM ; ^\n\n"
    "COMMIT;\n";

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
void add_routine_scripts(std::vector<Written>& files, const CharacterSet& charset) {
    using S = Selection;
    Options o[5] = {script_options(Front::routine, 3, S::plain),
                    script_options(Front::routine, 1, S::plain),
                    script_options(Front::routine, 3, S::files),
                    script_options(Front::routine, 3, S::all),
                    script_options(Front::routine, 1, S::all)};
    for (Options& each : o) {
        each.charset = &charset;
    }
    const std::string d3 = routine_file(o[0], ""), d1 = routine_file(o[0], "_dialect1"),
                      migrate3 = routine_file(o[0], "_migrate"),
                      migrate1 = routine_file(o[0], "_migrate_dialect1"),
                      files_name = routine_file(o[0], "_files");
    files.push_back({"sql/" + d3, routine_script(d3, o[0], d1, migrate3)});
    files.push_back({"sql/" + d1, routine_script(d1, o[1], d3, migrate1)});
    files.push_back({"sql/" + files_name, files_script(files_name, o[2])});
    files.push_back({"sql/" + migrate3, migrate_script(migrate3, o[3])});
    files.push_back({"sql/" + migrate1, migrate_script(migrate1, o[4])});
}

std::vector<Written> written_files() {
    using S = Selection;
    const Options legacy3 = script_options(Front::legacy, 3, S::plain);
    const Options legacy1 = script_options(Front::legacy, 1, S::plain);
    std::vector<Written> files = {
        {"sql/kovudf.sql", legacy_script("kovudf.sql", legacy3, "kovudf_dialect1.sql")},
        {"sql/kovudf_dialect1.sql",
         legacy_script("kovudf_dialect1.sql", legacy1, "kovudf.sql")},
        {"sql/kovudf_files.sql",
         files_script("kovudf_files.sql", script_options(Front::legacy, 3, S::files))},
        {"sql/kovudf_drop.sql", drop_script},
        {"src/legacy/kovudf.def", export_list()},
    };
    for (const CharacterSet* charset : declared_charsets) {
        add_routine_scripts(files, *charset);
    }
    return files;
}

std::string read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return in ? s.str() : std::string("\x01missing");
}

int usage() {
    std::fprintf(stderr,
                 "usage: kovudf_declare write|check ROOT\n"
                 "       kovudf_declare sql [--front legacy|routine] [--dialect 1|3]\n"
                 "                          [--charset NONE|SJIS_0208|UTF8]\n"
                 "                          [--functions all|plain|files] [--prefix P_]\n"
                 "                          [--module NAME]\n"
                 "       kovudf_declare names entry|routine|sql [--functions ...]\n"
                 "       kovudf_declare size FUNCTION ARGUMENT|result [--front F]\n"
                 "                          [--charset C]\n");
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
            for (const CharacterSet* set : declared_charsets) {
                if (value == set->name) {
                    o.charset = set;
                }
            }
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
        for (const Written& w : written_files()) {
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
    if (command == "size" && argc >= 4 && parse_options(argc, argv, 4, o)) {
        const Function* f = find(argv[2]);
        if (f == nullptr) {
            return usage();
        }
        const std::string which = argv[3];
        const unsigned index = which == "result" ? 0 : std::stoul(which) - 1;
        if (which != "result" && index >= f->argument_count) {
            return usage();
        }
        const Kind kind = which == "result" ? f->result.kind : f->arguments[index].kind;
        const unsigned bytes =
            which == "result" ? f->result.bytes : f->arguments[index].bytes;
        if (!is_text(kind)) {
            return usage();
        }
        std::cout << declared_characters(kind, bytes, o.front,
                                         text_charset(*f, *o.charset))
                  << "\n";
        return 0;
    }
    return usage();
}
