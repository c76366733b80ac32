#!/usr/bin/env bash
# The command line under wine against the Linux one: every command of the README's command-line
# section on a simulated instrument of a folder, in Spanish, with a plan named "Año". Both give
# the same exit statuses, the same output and messages, and leave the same files and the same
# report traffic, byte for byte.
#   bash SameAsLinux.sh path/to/veltra52-cli path/to/veltra52-cli.exe
set -uo pipefail
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
source_dir="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
commands=(
    "info"
    "devices"
    "plans list"
    "--json plans list"
    "plans pull OUT"
    "plans push Año.c52"
    "plans push missing.c52"
    "--yes plans delete DVBC"
    "plans pull OUT2"
    "loggers list"
    "--json loggers list modem"
    "loggers pull --all LOGS"
    "loggers pull --kind modem LOGS"
    "loggers show LOGS/NORTH-HE.logtv"
    "loggers show LOGS/NORTH-HE.logtv --csv"
    "--yes update io io.hex"
    "--yes update instrument vt.p52"
    "clock set --time 12:30:00/09-12-2026"
    "send *?NS"
    "--yes plans erase-all"
)
for side in linux windows; do
    mkdir -p "$work/$side/program/Languages" "$work/$side/run/state"
    cp "$source_dir"/data/Languages/* "$work/$side/program/Languages/"
    printf 'Español' >"$work/$side/program/config.txt"
    printf 'Año\r\n1\r\n0,C1,306000000,8000000,0,DIGITAL,ON,DVB-C,QAM256,6952,NO GROUP,NO' \
        >"$work/$side/run/Año.c52"
    printf ':10100000000102030405060708090A0B0C0D0E0F68\r\n:00000001FF\r\n' >"$work/$side/run/io.hex"
    printf 'S00F000068656C6C6F202020202000003C\r\nS1130000285F245F2212226A000424290008237C2A\r\nS9030000FC\r\n' \
        >"$work/$side/run/vt.p52"
done
cp "$1" "$work/linux/program/veltra52-cli"
cp "$2" "$work/windows/program/veltra52-cli.exe"

failures=0
for command in "${commands[@]}"; do
    read -r -a arguments <<<"$command"
    (cd "$work/linux/run" && "$work/linux/program/veltra52-cli" --simulate=state "${arguments[@]}" \
        >"$work/linux.out" 2>"$work/linux.err")
    linux_status=$?
    [ "$command" = "plans push missing.c52" ] && spanish=1 || spanish=0
    (cd "$work/windows/run" && wine "$work/windows/program/veltra52-cli.exe" --simulate=state \
        "${arguments[@]}" >"$work/windows.out" 2>"$work/windows.err")
    windows_status=$?
    # The console's line ends and the system's separator are Windows' own.
    for stream in out err; do
        tr -d '\r' <"$work/linux.$stream" >"$work/linux.$stream.seen"
        tr -d '\r' <"$work/windows.$stream" | sed 's|\\|/|g' >"$work/windows.$stream.seen"
    done
    if [ "$linux_status" -ne "$windows_status" ] ||
        ! cmp -s "$work/linux.out.seen" "$work/windows.out.seen" ||
        ! cmp -s "$work/linux.err.seen" "$work/windows.err.seen"; then
        echo "DIFFERS: $command (exit $linux_status on Linux, $windows_status under wine)"
        diff "$work/linux.out.seen" "$work/windows.out.seen" | head -10
        diff "$work/linux.err.seen" "$work/windows.err.seen" | head -10
        failures=$((failures + 1))
    fi
    # The messages come in the language of config.txt.
    if [ "$spanish" = 1 ] && ! grep -q "$(sed -n 's/^[^,]*,60=//p' \
        "$source_dir/data/Languages/Español.lng" | tr -d '\r')" "$work/windows.err.seen"; then
        echo "not in Spanish under wine: $(cat "$work/windows.err.seen")"
        failures=$((failures + 1))
    fi
done
# Files: the instrument's state, its report traffic, the plans and loggers pulled.
if ! diff -r "$work/linux/run" "$work/windows/run" >"$work/files.diff"; then
    echo "DIFFERS: the files left behind"
    head -20 "$work/files.diff"
    failures=$((failures + 1))
fi
[ -f "$work/windows/run/OUT/Año.c52" ] || [ -f "$work/windows/run/OUT2/Año.c52" ] ||
    { echo "no plan file Año.c52 under wine"; failures=$((failures + 1)); }
[ "$failures" -eq 0 ] && echo "the command line under wine: ${#commands[@]} commands as on Linux"
exit "$failures"
