#!/usr/bin/env bash
# The MSI in the wine prefix of $WINEPREFIX: installed into Program Files with its start-menu
# entries, the command line runs from there and from the PATH, the windows' program as a
# technician uses it (screenshots into OUT), and uninstalling leaves no program folder and no
# entries.
#   bash InstalledPackage.sh path/to/veltra52-X.msi OUT
set -uo pipefail
msi="$(winepath -w "$1")"
out="$2"
menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/VELTRA-52 Software"
folder="$WINEPREFIX/drive_c/Program Files/VELTRA-52"
failures=0
fail() {
    echo "FAILED: $*"
    failures=$((failures + 1))
}
wine msiexec /i "$msi" /qn || fail "msiexec /i exited $?"
for file in veltra52.exe veltra52-cli.exe Qt6Widgets.dll platforms/qwindows.dll \
    Languages/Español.lng Images/usb.bmp; do
    [ -f "$folder/$file" ] || fail "the program folder lacks $file: $(ls "$folder" 2>&1)"
done
for entry in "VELTRA-52 Software.lnk" "VELTRA-52 Software (simulated instrument).lnk"; do
    [ -f "$menu/$entry" ] || fail "the start menu lacks $entry: $(ls "$menu" 2>&1)"
done
out="$(wine "C:\\Program Files\\VELTRA-52\\veltra52-cli.exe" --simulate info 2>&1)" ||
    fail "the installed command line exited $?: $out"
grep -q "VELTRA-52" <<<"$out" || fail "the installed command line said: $out"
wineserver -w
out="$(wine cmd /c "veltra52-cli --simulate plans list" 2>&1)" ||
    fail "veltra52-cli from the PATH exited $?: $out"
grep -q "EUROP" <<<"$out" || fail "veltra52-cli from the PATH said: $out"
bash "$(dirname "${BASH_SOURCE[0]}")/ProgramUnderWine.sh" \
    "C:\\Program Files\\VELTRA-52\\veltra52.exe" "$out" \
    "$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/veltra52" || fail "the installed program, above"
wineserver -w
wine msiexec /x "$msi" /qn || fail "msiexec /x exited $?"
[ -e "$folder/veltra52-cli.exe" ] && fail "uninstalling left the program"
[ -e "$menu" ] && fail "uninstalling left the start-menu entries"
[ "$failures" -eq 0 ] && echo "the MSI installs, runs from Program Files and the PATH, uninstalls"
exit "$failures"
