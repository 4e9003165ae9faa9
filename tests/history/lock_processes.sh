#!/bin/sh
# What only real processes show of the history lock: a holder stalled in its save keeps it, and a
# waiter gives up after about 5 s naming it; a holder killed in its save leaves nothing that blocks;
# "history --write" onto the history beside filings loses nothing. Every treatment reported as
# filed must be in the history afterwards.
# Arguments: the tool, a scratch folder.
set -u
tool=$1
folder=$2
rm -rf "$folder"
mkdir -p "$folder"
history="$folder/historie.xml"
failures=0
filed=0

fail() {
    echo "FAILED: $*"
    failures=$((failures + 1))
}
milliseconds() { date +%s%3N; }
# file NAME COMMENT: files one treatment and counts it when the tool reports it filed.
file() {
    if "$tool" file-case "$history" "$1" --comment "$2" -- 12 >"$folder/out" 2>&1; then
        filed=$((filed + 1))
        return 0
    fi
    return 1
}

file Anna erste || fail "first filing: $(cat "$folder/out")"

if strace -o /dev/null -e trace=fsync true 2>/dev/null; then
    # The holder stalls 7 s in the first flush of its save.
    strace -f -o /dev/null -e trace=fsync -e inject=fsync:delay_enter=7s:when=1 \
        "$tool" file-case "$history" Anna --comment langsam -- 12 >/dev/null 2>&1 &
    tracer=$!
    sleep 1
    start=$(milliseconds)
    if file Anna wartet; then
        fail "a second writer got in beside a stalled holder"
    fi
    waited=$(($(milliseconds) - start))
    echo "beside a stalled holder the waiter gave up after $waited ms"
    [ "$waited" -le 6500 ] || fail "the waiter waited $waited ms"
    grep -q "Prozess" "$folder/out" || fail "the holder is not named: $(cat "$folder/out")"

    # Killed while it holds the lock: the next one gets in at once.
    holder=$(ps -o pid= --ppid "$tracer" | tr -d ' ')
    [ -n "$holder" ] && kill -9 "$holder"
    wait "$tracer" 2>/dev/null
    start=$(milliseconds)
    file Anna danach || fail "after the holder was killed: $(cat "$folder/out")"
    waited=$(($(milliseconds) - start))
    echo "after the holder was killed the next got in after $waited ms"
    [ "$waited" -le 1000 ] || fail "after the holder was killed, the next waited $waited ms"
    if find "$folder" -name '*.telvarin-tmp-*' | grep -q .; then
        fail "leftovers of the killed save stay: $(find "$folder" -name '*.telvarin-tmp-*')"
    fi
else
    echo "strace cannot trace here: stalled and killed holders not tried"
fi

# "history --write" onto the history, beside filings.
i=0
(
    while [ "$i" -lt 60 ]; do
        "$tool" history "$history" --write "$history" >/dev/null 2>&1
        i=$((i + 1))
    done
) &
writer=$!
while [ "$i" -lt 60 ]; do
    file Berta "$i"
    i=$((i + 1))
done
wait "$writer"

kept=$("$tool" history "$history" | grep -c '^  Behandlung')
echo "$kept treatments kept of $filed reported filed"
[ "$kept" -eq "$filed" ] || fail "$kept treatments kept of $filed reported filed"
# "history" beside writers that write in place (the folder allows no new files): it reads under a
# shared lock, so it never meets a write half done and never calls a healthy file damaged. Root
# may write in any folder: run as root, this part runs as nobody.
as_user=""
if [ "$(id -u)" -eq 0 ]; then
    as_user="setpriv --reuid=65534 --regid=65534 --clear-groups"
fi
inplace="$folder/inplace"
mkdir -p "$inplace"
history="$inplace/historie.xml"
# Some thousand cases, so that a reader reads many blocks; the writers file into the first one, so
# that everything after it moves at each write.
cases=3000
{
    printf '<Fallhistorie AnzahlFaelle="%d">\r\n' "$cases"
    n=0
    while [ "$n" -lt "$cases" ]; do
        printf '\t<Fall Name="Carla %d" AnzahlBehandlungen="1">\r\n\t\t<Behandlung Datum="07.12.2026 09:00" ' "$n"
        printf 'Kommentar="lang lang lang lang lang" Preferiert="0" AnzahlSymptome="1">\r\n'
        printf '\t\t\t<Symptom Nummer="12"/>\r\n\t\t</Behandlung>\r\n\t</Fall>\r\n'
        n=$((n + 1))
    done
    printf '</Fallhistorie>\r\n'
} >"$history"
# Written by hand, it names no repertory yet: its numbers are the built-in one's.
"$tool" history "$history" --bind eingebaut >/dev/null || fail "the history could not be bound"
[ -z "$as_user" ] || chown -R 65534:65534 "$inplace"
$as_user "$tool" file-case "$history" Anna -- 12 >"$folder/out" 2>&1 ||
    fail "filing before the folder was closed: $(cat "$folder/out")"
chmod a-w "$inplace"
$as_user "$tool" file-case "$history" "Carla 0" -- 12 >"$folder/out" 2>&1
grep -q "direkt" "$folder/out" || fail "the history was not written in place: $(cat "$folder/out")"
(
    j=0
    while [ "$j" -lt 40 ]; do
        $as_user "$tool" file-case "$history" "Carla 0" --comment "$j" -- 12 >/dev/null 2>&1
        j=$((j + 1))
    done
) &
writer=$!
reads=0
damaged=0
while kill -0 "$writer" 2>/dev/null && [ "$reads" -lt 400 ]; do
    if ! $as_user "$tool" history "$history" >/dev/null 2>"$folder/read-err"; then
        damaged=$((damaged + 1))
        echo "read $reads: $(head -1 "$folder/read-err")"
    fi
    reads=$((reads + 1))
done
wait "$writer"
chmod u+w "$inplace"
echo "$damaged of $reads reads beside writers in place failed"
[ "$damaged" -eq 0 ] || fail "$damaged of $reads reads beside writers in place failed"

exit $failures
