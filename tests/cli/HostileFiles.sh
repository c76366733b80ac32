#!/usr/bin/env bash
# The built command line against a hostile or unlucky folder: a planted link, a FIFO, a sparse
# file of 1 GiB, and a kill in the middle of a delete, on simulated instruments of folders.
#   bash HostileFiles.sh path/to/veltra52-cli
set -uo pipefail
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
# A copy of the program with its language files: it keeps its data (plan copies, the note of an
# interrupted delete) beside itself, in the scratch folder.
mkdir -p "$work/data"
cp "$1" "$work/data/veltra52-cli"
cp -r "$(dirname "$1")/Languages" "$work/data/"
cli="$work/data/veltra52-cli"
failures=0
fail() {
    echo "FAILED: $*"
    failures=$((failures + 1))
}
# Runs the command line with a time limit: nothing may wait on a FIFO or read a huge file.
run() {
    timeout 20 "$cli" "$@" >"$work/out" 2>"$work/err"
}
expect() {
    local status="$1"
    shift
    run "$@"
    local got=$?
    [ "$got" -eq "$status" ] || fail "$* exited $got, not $status: $(cat "$work/err")"
}

# A link planted at the logger's own name, and at temporary names, writes nothing outside.
mkdir -p "$work/S1" "$work/out1"
echo keep >"$work/secret"
ln -s "$work/secret" "$work/out1/NORTH-HE.logtv"
for n in 0 1 99999; do ln -s "$work/secret" "$work/out1/NORTH-HE.logtv.part$n"; done
expect 0 --simulate="$work/S1" loggers pull --all "$work/out1"
[ "$(cat "$work/secret")" = keep ] || fail "the planted link was written through"
[ -f "$work/out1/NORTH-HE.logtv" ] && [ ! -L "$work/out1/NORTH-HE.logtv" ] ||
    fail "NORTH-HE.logtv is not a file of its own"

# A FIFO nobody writes and a sparse 1 GiB file are refused at once, and nothing is sent.
mkfifo "$work/fifo.c52" "$work/fifo.logtv" "$work/trace"
truncate -s 1G "$work/huge.c52" "$work/huge.hex" "$work/huge.logtv"
for file in fifo.c52 huge.c52; do
    expect 1 --simulate="$work/S1" plans push "$work/$file"
    grep -q "$work/$file" "$work/err" || fail "plans push $file does not name the file"
done
expect 1 --simulate="$work/S1" loggers show "$work/fifo.logtv"
expect 1 --simulate="$work/S1" loggers show "$work/huge.logtv"
expect 1 --simulate="$work/S1" --yes update io "$work/huge.hex"
expect 2 --simulate="$work/S1" --trace="$work/trace" info
expect 1 --simulate="$work/S1" --trace=/dev/full info
[ -d "$work/S1/plans" ] && fail "a refused file changed the instrument's plans"

# Killed in the middle of a delete: the next run refuses to change the plans, recovers them
# from its note, and the instrument holds the kept plans whole.
mkdir -p "$work/S2"
expect 0 --simulate="$work/S2" plans pull "$work/before"
kept="$(ls "$work/before" | grep -v '^DVBC' | sort)"
echo "latency 4" >"$work/S2/faults.txt"
"$cli" --simulate="$work/S2" --yes --quiet plans delete DVBC >/dev/null 2>&1 &
pid=$!
for _ in $(seq 400); do
    [ -f "$work/data/plans-to-send-back.txt" ] && break
    sleep 0.02
done
sleep 0.1
kill -9 "$pid" 2>/dev/null
wait "$pid" 2>/dev/null
if [ -f "$work/data/plans-to-send-back.txt" ]; then
    rm "$work/S2/faults.txt"
    echo "killed with $(cat "$work/S2/plans/"* | grep -c ,) of 27 kept channels on the instrument"
    expect 1 --simulate="$work/S2" plans list
    grep -q "plans-to-send-back.txt" "$work/err" || fail "plans list does not name the note"
    expect 0 --simulate="$work/S2" --yes plans recover
    expect 0 --simulate="$work/S2" plans pull "$work/after"
    [ "$(ls "$work/after" | sort)" = "$kept" ] || fail "kept plans after recovery: $(ls "$work/after")"
    for plan in $kept; do
        cmp -s "$work/before/$plan" "$work/after/$plan" || fail "$plan differs after recovery"
    done
else
    fail "the delete ended before it could be killed"
fi

[ "$failures" -eq 0 ] && echo "hostile files: all refused, nothing lost"
exit "$failures"
