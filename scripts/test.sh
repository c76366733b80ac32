#!/usr/bin/env bash
# Installs what is missing, checks the sources' format, builds, and runs every test twice: in a
# normal build and in a build with AddressSanitizer and UndefinedBehaviorSanitizer, where any
# report fails the run. Then each fuzz target runs for a few seconds under libFuzzer.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
install_missing_packages
jobs="$(nproc)"

# The repository's .clang-format, kept by every source (hidapi's copy keeps its own).
(cd "$top" && git ls-files -z '*.cpp' '*.h' ':!third_party' | xargs -0 clang-format-14 --dry-run -Werror) || {
    echo "Sources differ from .clang-format: run clang-format-14 -i on the files above."
    exit 1
}

build_tree "$top/build" -DVELTRA_TESTS=ON
ctest --test-dir "$top/build" --output-on-failure -j "$jobs"

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:halt_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$top/tests/lsan.supp"
build_tree "$top/build-sanitize" -DVELTRA_TESTS=ON -DVELTRA_SANITIZE=ON -DVELTRA_BENCH=OFF
ctest --test-dir "$top/build-sanitize" --output-on-failure -j "$jobs"

bash "$top/scripts/fuzz.sh" "${VELTRA_FUZZ_SECONDS:-3}"
