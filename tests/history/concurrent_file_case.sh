#!/bin/sh
# Two loops of file-case calls on one history at the same time must leave every treatment.
# Arguments: the tool, a scratch folder, the number of calls per loop.
set -eu
tool=$1
folder=$2
calls=$3
rm -rf "$folder"
mkdir -p "$folder"
history="$folder/historie.xml"

fileLoop() {
    i=0
    while [ "$i" -lt "$calls" ]; do
        "$tool" file-case "$history" "Anna" --comment "$1 $i" -- 12 -40 ||
            { echo "file-case $1 $i ended with $?"; exit 1; }
        i=$((i + 1))
    done
}

fileLoop erste &
first=$!
fileLoop zweite &
second=$!
wait "$first"
wait "$second"

filed=$("$tool" history "$history" | grep -c '^  Behandlung')
if [ "$filed" -ne $((2 * calls)) ]; then
    echo "$filed Behandlungen statt $((2 * calls))"
    exit 1
fi
