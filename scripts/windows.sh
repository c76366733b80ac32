#!/usr/bin/env bash
# Both programs for Windows, built here with MinGW-w64 into build-windows/: veltra52.exe (the
# windows, on a Qt for Windows that scripts/windows-qt.sh builds once into a cache) and
# veltra52-cli.exe, beside their DLLs and data folders; a zip of that folder and an MSI installer.
# With "test", then the tests under wine in a fresh wine prefix: the test programs, the command
# line against the Linux one, the program on Windows' own platform inside Xvfb, the installed MSI.
#   bash scripts/windows.sh [test]
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
mode="${1:-build}"
install_missing_packages "$top/scripts/packages-windows.txt"
dir="$top/build-windows"
version="$(sed -n 's/^project(veltra52 VERSION \([0-9.]*\).*/\1/p' "$top/CMakeLists.txt")"
started=$SECONDS

qt="$(bash "$top/scripts/windows-qt.sh" | tail -1)"
echo "Building the Windows programs into $dir (Qt from $qt)"
cmake -S "$top" -B "$dir" -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-w64.cmake" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELTRA_TESTS=ON -DVELTRA_WINDOWS_FACE=ON \
    -DVELTRA_WINDOWS_PREFIX="$qt" -DQT_HOST_PATH=/usr \
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake >/dev/null
cmake --build "$dir" -j "$(nproc)"

# The program folder as it is installed: the programs, the Qt and MinGW runtime DLLs with the
# platform, icon and style plugins, the data folders, the licences.
stage="$dir/package/VELTRA-52"
rm -rf "$dir/package"
mkdir -p "$stage/Loggers" "$stage/platforms" "$stage/imageformats" "$stage/styles"
for program in veltra52.exe veltra52-cli.exe; do
    x86_64-w64-mingw32-strip -o "$stage/$program" "$dir/$program"
done
for dll in Qt6Core Qt6Gui Qt6Widgets Qt6PrintSupport libstdc++-6 libgcc_s_seh-1 libwinpthread-1 \
    platforms/qwindows imageformats/qico styles/qwindowsvistastyle; do
    cp "$dir/$dll.dll" "$stage/$dll.dll"
done
cp "$qt/LGPL-3.0-only.txt" "$stage/qt-licence.txt"
for folder in Images Languages Version; do
    mkdir -p "$stage/$folder"
    find "$top/data/$folder" -maxdepth 1 -type f ! -name .keep -exec cp {} "$stage/$folder/" \;
done
cp "$top/data/debian/copyright" "$stage/copyright.txt"
cp "$top/third_party/hidapi/LICENSE-bsd.txt" "$stage/hidapi-licence.txt"
rm -f "$dir/veltra52-$version-windows.zip"
(cd "$dir/package" && zip -qr "$dir/veltra52-$version-windows.zip" VELTRA-52)
# wixl installs no empty folder from a file list: the Loggers folder holds a note.
echo "Logger files saved by veltra52-cli go here." >"$stage/Loggers/README.txt"
(cd "$stage" && find . -type f | sed 's|^\./||' | sort |
    wixl-heat --var var.SourceDir --directory-ref INSTALLDIR --component-group ProgramFiles \
        --win64 -p "" >"$dir/package/files.wxs")
# wixl takes the files' sources relative to the folder it runs in (the icon's too).
(cd "$stage" && wixl --arch x64 -D Version="$version" -D SourceDir=. -D Win64=yes \
    -o "$dir/veltra52-$version.msi" "$top/data/windows/veltra52.wxs" "$dir/package/files.wxs")
# The program folder at the end of the system's PATH while it is installed: "=-*Path" is the
# system variable, set on install and removed on uninstall; "[~];" appends to it.
msibuild "$dir/veltra52-$version.msi" -q "CREATE TABLE \`Environment\` (\`Environment\` CHAR(72) NOT NULL, \`Name\` CHAR(255) NOT NULL LOCALIZABLE, \`Value\` CHAR(255) LOCALIZABLE, \`Component_\` CHAR(72) NOT NULL PRIMARY KEY \`Environment\`)"
msibuild "$dir/veltra52-$version.msi" -q "INSERT INTO \`Environment\` (\`Environment\`, \`Name\`, \`Value\`, \`Component_\`) VALUES ('PathEntry', '=-*Path', '[~];[INSTALLDIR]', 'PathEntry')"
for action in "RemoveEnvironmentStrings', 3300" "WriteEnvironmentStrings', 5200"; do
    msibuild "$dir/veltra52-$version.msi" -q "INSERT INTO \`InstallExecuteSequence\` (\`Action\`, \`Sequence\`) VALUES ('$action)"
done
echo "Windows package: $dir/veltra52-$version-windows.zip, $dir/veltra52-$version.msi" \
    "($((SECONDS - started)) s)"

[ "$mode" = test ] || exit 0

# A wine prefix of this run's own, removed afterwards.
export WINEPREFIX="$(mktemp -d)"
export WINEDEBUG=-all
trap 'wineserver -k 2>/dev/null; rm -rf "$WINEPREFIX"' EXIT
wineboot -i >/dev/null 2>&1
echo "Windows tests under wine"
ctest --test-dir "$dir" --output-on-failure
# What needs Windows' own platform (real windows and their messages), inside Xvfb.
xvfb-run -a wine "$dir/window_tests.exe" -platform windows --gtest_filter='*WindowsDeviceChange*' \
    >"$dir/native-tests.log" 2>&1 || true
grep -q '^\[  PASSED  \] 1 test' "$dir/native-tests.log" || {
    cat "$dir/native-tests.log"
    exit 1
}
bash "$top/tests/windows/ProgramUnderWine.sh" "$(winepath -w "$dir/veltra52.exe")" \
    "$dir/screenshots/build" "$dir"
# The command line does under wine what it does on Linux: the same files and reports.
linux="$top/build/veltra52-cli"
if [ ! -x "$linux" ]; then
    cmake -S "$top" -B "$top/build-cli" -DVELTRA_WINDOWS_FACE=OFF -DVELTRA_TESTS=OFF \
        -DVELTRA_BENCH=OFF >/dev/null
    cmake --build "$top/build-cli" -j "$(nproc)" --target veltra52-cli
    linux="$top/build-cli/veltra52-cli"
fi
bash "$top/tests/windows/SameAsLinux.sh" "$linux" "$dir/veltra52-cli.exe"
bash "$top/tests/windows/InstalledPackage.sh" "$dir/veltra52-$version.msi" \
    "$dir/screenshots/installed"
echo "Windows tests passed ($((SECONDS - started)) s)"
