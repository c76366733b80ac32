#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program. Without arguments the program runs
# on the built-in simulated instrument; pass --hardware to use a real instrument on USB, or any
# other program options (see build/veltra52 --help).
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
install_missing_packages
echo "Building the program (the first start takes a few minutes)..."
# Only what starting needs: a build folder of the tests keeps its settings.
if [ ! -f "$top/build/CMakeCache.txt" ]; then
    cmake -S "$top" -B "$top/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELTRA_TESTS=OFF \
        -DVELTRA_BENCH=OFF >/dev/null
fi
cmake --build "$top/build" -j "$(nproc)" --target veltra52 veltra52-cli
args=("$@")
if [ ${#args[@]} -eq 0 ]; then
    args=(--simulate)
elif [ "${args[0]}" = "--hardware" ]; then
    args=("${args[@]:1}")
fi
exec "$top/build/veltra52" "${args[@]}"
