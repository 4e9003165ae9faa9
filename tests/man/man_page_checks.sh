#!/bin/sh
# The entries of one section of a manual page (BEFEHLE or OPTIONEN) name exactly the commands and
# options that the program's --help lists on its indented lines, and man formats the page without
# a warning.
# Usage: man_page_checks.sh SECTION PROGRAM PAGE
section=$1 program=$2 page=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The leading words of each line, as far as they are joined by commas ("--help, --version").
leadingWords() {
    awk '{ for (i = 1; i <= NF; i++) { w = $i; more = sub(/,$/, "", w); print w; if (!more) break } }'
}

env -u DISPLAY -u WAYLAND_DISPLAY "$program" --help | sed -n 's/^  \([^ ]\)/\1/p' | leadingWords \
    | sort >"$work/help"
awk -v heading=".SH \"$section\"" '
    /^\.SH / { inside = ($0 == heading) }
    inside && previous == ".TP" { print }
    { previous = $0 }' "$page" | sed 's/\\f[BIR]//g; s/\\-/-/g' | leadingWords | sort >"$work/page"

failures=0
if [ ! -s "$work/page" ] || ! diff -u "$work/help" "$work/page" >"$work/diff"; then
    echo "FAILED: $section of $page differs from $program --help (- help, + page):"
    cat "$work/diff"
    failures=1
fi
LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>"$work/warnings" >/dev/null
if [ -s "$work/warnings" ]; then
    echo "FAILED: man warns about $page:"
    cat "$work/warnings"
    failures=1
fi
exit $failures
