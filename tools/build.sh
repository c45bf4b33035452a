#!/usr/bin/env bash
# Set-up, build and run. `tools/build.sh main` builds the program and runs the main job;
# `tools/build.sh test` builds the Debug build with the sanitizers and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

install_missing() {
    local pkgs=(cmake ninja-build g++ pkg-config libgtest-dev libgmock-dev libbenchmark-dev
        nlohmann-json3-dev libcairo2-dev fonts-dejavu-core)
    local missing=()
    for p in "${pkgs[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    if [ ${#missing[@]} -gt 0 ]; then
        echo "Installing: ${missing[*]}"
        local sudo=""
        [ "$(id -u)" -ne 0 ] && sudo=sudo
        $sudo apt-get update -qq
        DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
    fi
}

jobs=$(nproc 2>/dev/null || echo 2)

configure_build() { # dir type sanitize tests
    cmake -S "$root" -B "$1" -G Ninja -DCMAKE_BUILD_TYPE="$2" -DKORVU_SANITIZE="$3" \
        -DKORVU_TESTS="$4" -DKORVU_BENCH=ON >/dev/null
    cmake --build "$1" -j "$jobs"
}

case "${1:-}" in
main)
    install_missing
    configure_build build/release Release OFF OFF
    bin=build/release/bin
    out=build/out
    mkdir -p "$out"
    "$bin/korvu" --help
    "$bin/korvu" run examples/assembly.json examples/assembly.txt -o "$out/assembly.kvd" \
        --svg "$out" --png "$out" --pdf "$out/assembly.pdf"
    "$bin/korvu" dump "$out/assembly.kvd"
    echo "the drawing and its pictures are in $out/"
    ;;
test)
    install_missing
    configure_build build/debug Debug ON ON
    export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
    ctest --test-dir build/debug --output-on-failure -j "$jobs"
    ;;
*)
    echo "usage: tools/build.sh main|test" >&2
    exit 2
    ;;
esac
