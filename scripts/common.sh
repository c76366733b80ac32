# Shared by start.sh and test.sh: installs what is missing from Debian's packages and builds.
set -euo pipefail
top="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

# install_missing_packages [LIST]: the packages of LIST (default: packages.txt) not yet installed.
install_missing_packages() {
    local list="${1:-$top/scripts/packages.txt}"
    local missing=()
    local pkg
    while read -r pkg; do
        [ -n "$pkg" ] || continue
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$pkg")
        fi
    done <"$list"
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
}

# build_tree DIR [extra cmake arguments...]
build_tree() {
    local dir="$1"
    shift
    cmake -S "$top" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
    cmake --build "$dir" -j "$(nproc)"
}
