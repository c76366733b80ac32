#!/usr/bin/env bash
# The MSI in the wine prefix of $WINEPREFIX: installed into Program Files, the command line runs
# from there and from the PATH, and uninstalling leaves no program folder.
#   bash InstalledPackage.sh path/to/veltra52-X.msi
set -uo pipefail
msi="$(winepath -w "$1")"
folder="$WINEPREFIX/drive_c/Program Files/VELTRA-52"
failures=0
fail() {
    echo "FAILED: $*"
    failures=$((failures + 1))
}
wine msiexec /i "$msi" /qn || fail "msiexec /i exited $?"
[ -f "$folder/veltra52-cli.exe" ] && [ -f "$folder/Languages/Español.lng" ] ||
    fail "the program folder is not complete: $(ls "$folder" 2>&1)"
out="$(wine "C:\\Program Files\\VELTRA-52\\veltra52-cli.exe" --simulate info 2>&1)" ||
    fail "the installed command line exited $?: $out"
grep -q "VELTRA-52" <<<"$out" || fail "the installed command line said: $out"
wineserver -w
out="$(wine cmd /c "veltra52-cli --simulate plans list" 2>&1)" ||
    fail "veltra52-cli from the PATH exited $?: $out"
grep -q "EUROP" <<<"$out" || fail "veltra52-cli from the PATH said: $out"
wine msiexec /x "$msi" /qn || fail "msiexec /x exited $?"
[ -e "$folder/veltra52-cli.exe" ] && fail "uninstalling left the program"
[ "$failures" -eq 0 ] && echo "the MSI installs, runs from Program Files and the PATH, uninstalls"
exit "$failures"
