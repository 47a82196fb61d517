# shellcheck shell=bash
# modules.sh - checks of the built modules and of what is made from the
# table of functions, sourced by ./run.
#
#   exports_are_the_entries       kovudf.so exports the table's 41 entries
#                                 and nothing else
#   udr_module_is_self_contained  libkovudf.so exports firebird_udr_plugin
#                                 alone and needs no Firebird library
#   declarations_are_current      sql/*.sql and src/legacy/kovudf.def are what
#                                 kovudf_declare writes from the table
#   readme_lists_the_functions    the README's function reference names
#                                 exactly the table's functions

table_names() {
    "$BUILD/kovudf_declare" names "$1" | sort
}

# same_names WHAT EXPECTED ACTUAL: two lists of names, one a line.
same_names() {
    [ "$2" = "$3" ] || {
        echo "$1 differ from the table of functions:" >&2
        diff <(echo "$2") <(echo "$3") >&2
        return 1
    }
}

exports_are_the_entries() {
    same_names "the exports of kovudf.so" "$(table_names entry)" \
        "$(nm -D --defined-only "$BUILD/kovudf.so" | awk '{print $3}' | sort)"
}

udr_module_is_self_contained() {
    local exports needed
    exports=$(nm -D --defined-only "$BUILD/udr/libkovudf.so" | awk '{print $3}')
    needed=$(readelf -d "$BUILD/udr/libkovudf.so" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p')
    [ "$exports" = firebird_udr_plugin ] && ! echo "$needed" | grep -qiE 'fbclient|ib_util|gds' || {
        echo "exports: $exports; needs: $needed" >&2
        return 1
    }
}

declarations_are_current() {
    "$BUILD/kovudf_declare" check "$ROOT" || {
        echo "to write them anew: build/kovudf_declare write ." >&2
        return 1
    }
}

readme_lists_the_functions() {
    same_names "the README's function reference" "$(table_names sql)" \
        "$(sed -n '/^## Function reference/,/^## [^F]/p' "$ROOT/README.md" |
            grep -o 'UDF_[A-Z]*' | sort -u)"
}
