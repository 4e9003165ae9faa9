#!/bin/sh
# What real files, modes and processes show of a practice's shared folder and of folders where
# others may write: what the program makes in a group folder is the group's whatever the umask,
# and private elsewhere; nothing is written through a link planted at a name the program uses;
# no write that failed is reported as done, and a failed write keeps the old file. The parts that
# need another user or a mount run only as root; the tool then runs as nobody where it must not
# have root's rights.
# Arguments: the tool, the folder of the test data.
set -u
tool=$1
data=$2
failures=0
work=$(mktemp -d -p /tmp)
chmod 755 "$work"
trap 'umount "$work/voll" 2>/dev/null; rm -rf "$work"' EXIT

fail() {
    echo "FAILED: $*"
    failures=$((failures + 1))
}
root() { [ "$(id -u)" -eq 0 ]; }
# as_user COMMAND...: as an ordinary user, also when the test runs as root.
as_user() {
    if root; then
        setpriv --reuid=65534 --regid=65534 --clear-groups "$@"
    else
        "$@"
    fi
}
# file_case HISTORY NAME: files one treatment with the umask given in UMASK.
file_case() {
    (umask "$UMASK" && "$tool" file-case "$1" "$2" -- 12) >"$work/out" 2>&1
}
# expect_modes FOLDER FILEMODE FOLDERMODE [GROUP]: everything in it has these modes (and group).
expect_modes() {
    find "$1" -mindepth 1 | while read -r made; do
        want=$2
        [ -d "$made" ] && want=$3
        [ "$(stat -c %a "$made")" = "$want" ] || echo "FAILED: $made is $(stat -c %a "$made"), not $want"
        if [ -n "${4:-}" ] && [ "$(stat -c %g "$made")" != "$4" ]; then
            echo "FAILED: $made belongs to group $(stat -c %g "$made"), not $4"
        fi
    done >"$work/modes"
    if [ -s "$work/modes" ]; then
        cat "$work/modes"
        failures=$((failures + 1))
    fi
}

# A group folder, whatever the umask: history, record, lock, backups, written tables.
shared="$work/praxis"
mkdir "$shared"
group=$(id -g)
root && group=12346
chgrp "$group" "$shared"
chmod 2770 "$shared"
UMASK=077
file_case "$shared/historie.xml" Anna || fail "filing in the group folder: $(cat "$work/out")"
UMASK=002
file_case "$shared/historie.xml" Berta || fail "filing again: $(cat "$work/out")"
[ -n "$(ls "$shared/Sicherungen")" ] || fail "no backup was made"
(umask 077 && "$tool" import tsv "$data/import.tsv" "$shared/tabelle.dat" >/dev/null) ||
    fail "import into the group folder"
(umask 077 && "$tool" export "$shared/kent.dat" >/dev/null) || fail "export into the group folder"
expect_modes "$shared" 660 2770 "$group"

# Elsewhere everything stays private, even with a umask that would share it.
private="$work/eigen"
mkdir "$private"
UMASK=000
file_case "$private/historie.xml" Anna && file_case "$private/historie.xml" Berta ||
    fail "filing in a private folder: $(cat "$work/out")"
(umask 000 && "$tool" import tsv "$data/import.tsv" "$private/tabelle.dat" >/dev/null) ||
    fail "import into a private folder"
expect_modes "$private" 600 700

# Links planted at the names the program uses: nothing is written through them.
links="$work/links"
mkdir "$links"
printf 'geheim\n' >"$work/opfer"
chmod 600 "$work/opfer"
root && chown -R 65534:65534 "$links" "$work/opfer"
UMASK=077
as_user "$tool" file-case "$links/historie.xml" Anna -- 12 >/dev/null 2>&1 || fail "first filing beside links"
rm -f "$links/historie.xml.lock"
ln -s "$work/opfer" "$links/historie.xml.lock"
if as_user "$tool" file-case "$links/historie.xml" Berta -- 12 >"$work/out" 2>&1; then
    fail "filed through a lock file that is a link"
fi
grep -q "Sperrdatei" "$work/out" || fail "the link at the lock file is not named: $(cat "$work/out")"
rm -f "$links/historie.xml.lock"
as_user "$tool" file-case "$links/historie.xml" Berta -- 12 >/dev/null 2>&1 || fail "filing without the link"
# Only writing in place is possible in a folder that allows no new files: the copy made first
# must not go through a link either.
ln -s "$work/opfer" "$links/Sicherungen/historie.telvarin-schreibkopie.xml"
chmod 555 "$links"
if as_user "$tool" file-case "$links/historie.xml" Carla -- 12 >"$work/out" 2>&1; then
    fail "filed through a copy that is a link"
fi
chmod 755 "$links"
grep -q "Verkn" "$work/out" || fail "the link at the copy is not named: $(cat "$work/out")"
ln -s "$work/opfer" "$links/ziel.dat.neu"
as_user "$tool" import tsv "$data/import.tsv" "$links/ziel.dat" >/dev/null 2>&1 || fail "import beside a link"
[ "$(cat "$work/opfer")" = geheim ] || fail "a file was written through a link: $(head -c 200 "$work/opfer")"
[ "$(stat -c %a "$work/opfer")" = 600 ] || fail "a file behind a link got mode $(stat -c %a "$work/opfer")"

# A target that is no file is refused, and a failed write is no success.
mkdir "$work/ordner"
mkfifo "$work/fifo"
for target in "$work/ordner" "$work/fifo"; do
    if timeout 10 "$tool" import tsv "$data/import.tsv" "$target" >"$work/out" 2>&1; then
        fail "import onto $target reported success: $(cat "$work/out")"
    fi
done
[ -p "$work/fifo" ] || fail "the FIFO was replaced"
if root; then
    if mknod "$work/null" c 1 3 2>/dev/null; then
        "$tool" import tsv "$data/import.tsv" "$work/null" >/dev/null 2>&1 && fail "import onto a device succeeded"
        [ -c "$work/null" ] || fail "the device was replaced"
    fi

    # Another user's file in a folder with the sticky bit may not be replaced.
    mkdir "$work/klebrig"
    chmod 1777 "$work/klebrig"
    printf 'alt\n' >"$work/klebrig/ziel.dat"
    if as_user "$tool" import tsv "$data/import.tsv" "$work/klebrig/ziel.dat" >"$work/out" 2>&1; then
        fail "import onto another user's file reported success: $(cat "$work/out")"
    fi
    [ "$(cat "$work/klebrig/ziel.dat")" = alt ] || fail "another user's file was changed"

    # A full disk keeps the good file that was there.
    mkdir "$work/voll"
    if mount -t tmpfs -o size=1m tmpfs "$work/voll" 2>/dev/null; then
        "$tool" build "$data/test-repertory.txt" "$work/voll/rep.dat" >/dev/null || fail "build onto tmpfs"
        cp "$work/voll/rep.dat" "$work/gut.dat"
        dd if=/dev/zero of="$work/voll/fuellung" bs=4k 2>/dev/null
        "$tool" export "$work/voll/rep.dat" >"$work/out" 2>&1 && fail "export onto a full disk succeeded"
        grep -q "Platz" "$work/out" || fail "the full disk is not named: $(cat "$work/out")"
        cmp -s "$work/gut.dat" "$work/voll/rep.dat" || fail "a failed export damaged the file that was there"
        umount "$work/voll"
    else
        echo "no tmpfs could be mounted: full disk not tried"
    fi
else
    echo "not root: devices, another user's file and a full disk not tried"
fi
exit $failures
