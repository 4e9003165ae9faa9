#!/bin/sh
# The binding of a history to its repertory, with real processes: a first filing killed at any of
# its renames leaves either no symptoms or symptoms beside their record, so that a filing under
# another repertory is refused afterwards and never taken as the built-in repertory's; a deleted
# record makes the history bound to nothing until "history --bind" says which.
# Arguments: the tool, a scratch folder, a repertory source.
set -u
tool=$1
folder=$2
source=$3
rm -rf "$folder"
mkdir -p "$folder"
failures=0
fail() {
    echo "FAILED: $*"
    failures=$((failures + 1))
}

own="$folder/eigen.dat"
"$tool" build "$source" "$own" >/dev/null || { echo "FAILED: build $source"; exit 1; }

if strace -o /dev/null -e trace=rename true 2>/dev/null; then
    for n in 1 2 3 4 5 6 7 8; do
        case_folder="$folder/kill-$n"
        mkdir -p "$case_folder"
        history="$case_folder/historie.xml"
        strace -f -o /dev/null -e trace=rename,renameat,renameat2 \
            -e inject=rename,renameat,renameat2:signal=KILL:when=$n \
            "$tool" file-case --file "$own" "$history" Adler -- 12 >/dev/null 2>&1
        if "$tool" file-case "$history" Biene -- 12 >"$case_folder/out" 2>&1; then
            if "$tool" history "$history" | grep -q Adler; then
                fail "kill at rename $n: built-in numbers filed beside those of $own"
            fi
        elif ! grep -q -e "--bind" -e "eigen.dat" "$case_folder/out"; then
            fail "kill at rename $n: refused without naming the way out: $(cat "$case_folder/out")"
        fi
    done
else
    echo "strace cannot trace here; the kills are left out"
fi

history="$folder/historie.xml"
"$tool" file-case --file "$own" "$history" Adler -- 12 >/dev/null 2>&1 || fail "first filing"
rm "$folder/historie.repertorium"
if "$tool" file-case --file "$own" "$history" Adler -- 13 >"$folder/out" 2>&1; then
    fail "filed into a history whose record was deleted"
fi
grep -q -e "--bind" "$folder/out" || fail "the refusal names no way out: $(cat "$folder/out")"
"$tool" history "$history" --bind "$own" >/dev/null || fail "history --bind $own"
"$tool" file-case --file "$own" "$history" Adler -- 13 >/dev/null 2>&1 || fail "filing after --bind"
"$tool" file-case "$history" Adler -- 13 >/dev/null 2>&1 && fail "built-in numbers filed after --bind $own"

[ "$failures" -eq 0 ] || exit 1
echo "binding processes: ok"
