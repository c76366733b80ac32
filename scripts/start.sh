#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program. Without arguments the program runs
# on the built-in simulated instrument; pass --hardware to use a real instrument on USB, or any
# other program options (see build/veltra52 --help).
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
install_missing_packages
build_tree "$top/build" -DVELTRA_TESTS=OFF
args=("$@")
if [ ${#args[@]} -eq 0 ]; then
    args=(--simulate)
elif [ "${args[0]}" = "--hardware" ]; then
    args=("${args[@]:1}")
fi
exec "$top/build/veltra52" "${args[@]}"
