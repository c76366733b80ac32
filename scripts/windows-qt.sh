#!/usr/bin/env bash
# Qt for Windows, built here with MinGW-w64 from Debian's own qtbase source, into a cache folder
# outside the clone: only the first run on a machine pays for it (about 45 minutes on 2 cores).
# Prints the prefix of the built Qt as its last line.
#   bash scripts/windows-qt.sh
# VELTRA_QT_CACHE chooses the cache folder (default: ~/.cache/veltra52).
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

qt_version=6.4.2
debian_version=6.4.2+dfsg-10
# Only what the program uses: Core, Gui, Widgets, PrintSupport and Test, the windows and offscreen
# platforms, the Windows styles. OpenGL stays on ("dynamic", opengl32 loaded at run time): the
# windows platform plugin does not build without it. Debian's source lacks the Windows tablet
# code. The third-party libraries are Qt's own copies, built in.
qt_options=(
    -DCMAKE_BUILD_TYPE=Release
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
    -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_xml=OFF
    -DFEATURE_concurrent=OFF -DFEATURE_tabletevent=OFF -DFEATURE_opengl_dynamic=ON
    -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_png=OFF
    -DFEATURE_system_jpeg=OFF -DFEATURE_system_freetype=OFF -DFEATURE_system_harfbuzz=OFF
    -DFEATURE_system_doubleconversion=OFF -DFEATURE_system_md4c=OFF
)
# What a complete install holds; a cache folder lacking any of these is rebuilt, never used.
qt_parts=(
    bin/Qt6Core.dll bin/Qt6Gui.dll bin/Qt6Widgets.dll bin/Qt6PrintSupport.dll bin/Qt6Test.dll
    plugins/platforms/qwindows.dll plugins/platforms/qoffscreen.dll
    plugins/imageformats/qico.dll plugins/styles/qwindowsvistastyle.dll
    lib/cmake/Qt6/Qt6Config.cmake lib/cmake/Qt6Widgets/Qt6WidgetsConfig.cmake
    lib/cmake/Qt6PrintSupport/Qt6PrintSupportConfig.cmake lib/cmake/Qt6Test/Qt6TestConfig.cmake
)

key="$(printf '%s\n' "$qt_version" "$debian_version" "${qt_options[@]}" \
    "$(x86_64-w64-mingw32-g++-posix -dumpfullversion 2>/dev/null)" | sha256sum | cut -c1-12)"
cache="${VELTRA_QT_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/veltra52}"
prefix="$cache/qt-$qt_version-mingw-$key"

complete() {
    [ -f "$prefix/.complete" ] || return 1
    local part
    for part in "${qt_parts[@]}"; do
        [ -s "$prefix/$part" ] || return 1
    done
}

if complete; then
    echo "$prefix"
    exit 0
fi

install_missing_packages "$top/scripts/packages-windows.txt"
started=$SECONDS
step() { echo "Qt for Windows: $1 ($((SECONDS - started)) s so far)" >&2; }
if [ -e "$prefix" ]; then
    step "the cache at $prefix is incomplete: building it again"
    rm -rf "$prefix"
fi
work="$cache/work-$key"
rm -rf "$work"
mkdir -p "$work/apt/lists/partial" "$work/apt/cache/archives/partial"

step "fetching Debian's qtbase $debian_version source (about 46 MB)"
# The source from the archive this machine already uses, whatever mirror that is: the URI of
# its Debian release's main component as apt knows it (one-line or deb822 sources alike).
codename="$(. /etc/os-release && echo "${VERSION_CODENAME:-bookworm}")"
archive="$(apt-cache policy | awk -v codename="$codename" '
    $1 ~ /^[0-9]+$/ && $3 == codename "/main" { uri = $2; next }
    uri != "" && /release / && /l=Debian,/ && index($0, "n=" codename ",") { print uri; exit }
    { uri = "" }')"
if [ -z "$archive" ]; then
    echo "Qt for Windows: apt lists no Debian $codename archive (main) to take the source from" >&2
    exit 1
fi
echo "deb-src $archive $codename main" >"$work/apt/sources.list"
apt_options=(-o Dir::Etc::SourceList="$work/apt/sources.list" -o Dir::Etc::SourceParts=/dev/null
    -o Dir::State::Lists="$work/apt/lists" -o Dir::Cache="$work/apt/cache"
    -o APT::Sandbox::User=root)
apt-get "${apt_options[@]}" -qq update >&2
(cd "$work" && apt-get "${apt_options[@]}" -qq source --download-only "qt6-base=$debian_version" >&2)

step "unpacking, with Debian's security fixes"
tar -C "$work" -xJf "$work/qt6-base_${debian_version%-*}.orig.tar.xz"
tar -C "$work" -xJf "$work/qt6-base_$debian_version.debian.tar.xz"
src="$work/qtbase-everywhere-src-$qt_version"
# The fixes taken from later Qt releases; the rest of Debian's patches are about its own packages.
for patch in $(sed -n '/^# Debian specific/q;/^[^#]/p' "$work/debian/patches/series"); do
    patch -d "$src" -p1 -s <"$work/debian/patches/$patch"
done

step "configuring"
cmake -G Ninja -S "$src" -B "$work/build" -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-w64.cmake" -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    "${qt_options[@]}" >"$work/configure.log" 2>&1 || {
    tail -40 "$work/configure.log" >&2
    exit 1
}
step "building (about 45 minutes on 2 cores)"
cmake --build "$work/build" -j "$(nproc)" >"$work/build.log" 2>&1 || {
    tail -40 "$work/build.log" >&2
    exit 1
}
step "installing into $prefix"
cmake --install "$work/build" >"$work/install.log" 2>&1 || {
    tail -40 "$work/install.log" >&2
    exit 1
}
cp "$src/LICENSES/LGPL-3.0-only.txt" "$prefix/" 2>/dev/null || true
cp "$src/LICENSES/GPL-3.0-only.txt" "$prefix/" 2>/dev/null || true
touch "$prefix/.complete"
complete || {
    echo "Qt for Windows: the install at $prefix lacks parts the program needs" >&2
    exit 1
}
rm -rf "$work"
step "done"
echo "$prefix"
