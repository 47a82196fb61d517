# shellcheck shell=bash
# modules.sh - checks of the built modules and of what is made from the
# table of functions, sourced by ./run.
#
#   exports_are_the_entries       kovudf.so exports the table's 41 entries
#                                 and nothing else
#   udr_module_is_self_contained  libkovudf.so exports firebird_udr_plugin
#                                 alone and needs no Firebird library
#   declarations_are_current      sql/*.sql, docs/reference.md and
#                                 src/legacy/kovudf.def are what
#                                 kovudf_declare writes from the table
#   docs_links_resolve            every relative link of the README and
#                                 docs/ resolves, anchors included

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

# Every relative link of the README, the CHANGELOG and docs/ (under DIR,
# pages ending in EXT: an artefact's too) leads to a file, and an anchor to
# one of that file's headings (as GitHub makes them: lower case,
# punctuation dropped, blanks as hyphens).
docs_links_resolve() {
    local dir="${1:-$ROOT}" ext="${2:-md}" file link target anchor bad=0
    for file in "$dir/README.$ext" "$dir/CHANGELOG.$ext" "$dir"/docs/*."$ext"; do
        while read -r link; do
            target="${link%%#*}" anchor=""
            [[ "$link" != *"#"* ]] || anchor="${link#*#}"
            target=$(realpath -m "$(dirname "$file")/${target:-$(basename "$file")}")
            [ -f "$target" ] && { [ -z "$anchor" ] || headings_of "$target" | grep -qxF "$anchor"; } ||
                { echo "${file#"$dir"/}: no $link" >&2 && bad=1; }
        done < <(tr -d '\r' <"$file" | grep -o '](\([^)]*\))' | sed 's/^](//; s/)$//' | grep -v '^[a-z]*:')
    done
    return "$bad"
}
headings_of() { tr -d '\r' <"$1" | sed -n 's/^#\{1,6\} //p' | tr 'A-Z' 'a-z' | sed 's/[^a-z0-9 _-]//g; s/ /-/g'; }
