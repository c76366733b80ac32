#!/usr/bin/env bash
# The MSI in the wine prefix of $WINEPREFIX: installed into Program Files with its start-menu
# entries, the command line runs from there and from the PATH, the windows' program as a
# technician uses it (screenshots into SHOTS), and uninstalling leaves no program folder and no
# entries.
#   bash InstalledPackage.sh path/to/veltra52-X.msi SHOTS
set -uo pipefail
msi="$(winepath -w "$1")"
shots="$2"
# The start menu of all users; wine keeps it with the user's.
menu_entries() {
    find "$WINEPREFIX/drive_c" -path '*/Start Menu/Programs/VELTRA-52 Software/*.lnk' \
        -printf '%f\n' 2>/dev/null | sort
}
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
entries="$(menu_entries)"
[ "$entries" = "$(printf '%s\n' "VELTRA-52 Software (simulated instrument).lnk" \
    "VELTRA-52 Software.lnk")" ] || fail "the start menu holds: $entries"
out="$(wine "C:\\Program Files\\VELTRA-52\\veltra52-cli.exe" --simulate info 2>&1)" ||
    fail "the installed command line exited $?: $out"
grep -q "VELTRA-52" <<<"$out" || fail "the installed command line said: $out"
wineserver -w
out="$(wine cmd /c "veltra52-cli --simulate plans list" 2>&1)" ||
    fail "veltra52-cli from the PATH exited $?: $out"
grep -q "EUROP" <<<"$out" || fail "veltra52-cli from the PATH said: $out"
bash "$(dirname "${BASH_SOURCE[0]}")/ProgramUnderWine.sh" \
    "C:\\Program Files\\VELTRA-52\\veltra52.exe" "$shots" \
    "$folder:$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/veltra52" ||
    fail "the installed program, above"
wineserver -w
wine msiexec /x "$msi" /qn || fail "msiexec /x exited $?"
[ -e "$folder/veltra52-cli.exe" ] && fail "uninstalling left the program"
[ -n "$(menu_entries)" ] && fail "uninstalling left the start-menu entries: $(menu_entries)"
[ "$failures" -eq 0 ] && echo "the MSI installs, runs from Program Files and the PATH, uninstalls"
exit "$failures"
