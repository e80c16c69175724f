#!/usr/bin/env bash
# Sets up a Debian/Ubuntu machine for semtra, builds it, and then either starts the bot
# (`./setup.sh run`) or runs every test (`./setup.sh test`).
set -euo pipefail
cd "$(dirname "$0")"

mode=${1:-run}
build_dir=${SEMTRA_BUILD_DIR:-build}
packages=(g++ cmake make pkg-config libgtest-dev libgmock-dev libbenchmark-dev
          dpkg-dev qt6-base-dev qt6-multimedia-dev fonts-liberation)

install_missing() {
    local missing=()
    for p in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq "${missing[@]}"
}

build() {
    cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build "$build_dir" -j "$(nproc)"
}

case "$mode" in
run)
    install_missing
    build
    # The window where there is a display, the terminal chat where there is none.
    if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
        exec "$build_dir/bin/semtra"
    fi
    exec "$build_dir/bin/semtra-cli"
    ;;
test)
    install_missing
    build
    ctest --test-dir "$build_dir" --output-on-failure -j "$(nproc)"
    ;;
*)
    echo "usage: ./setup.sh [run|test]" >&2
    exit 2
    ;;
esac
