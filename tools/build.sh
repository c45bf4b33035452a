#!/usr/bin/env bash
# Set-up, build and run. `tools/build.sh main` builds the program and runs the main job;
# `tools/build.sh test` builds the Debug build with the sanitizers and runs every test, then,
# when clang is there, builds the fuzz targets and runs each for a minute.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

install_missing() {
    local pkgs=(cmake ninja-build g++ pkg-config libgtest-dev libgmock-dev libbenchmark-dev
        nlohmann-json3-dev libcairo2-dev fonts-dejavu-core libfreexl-dev libshp-dev
        mdbtools)
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

# The fuzz targets, built with clang in their own folder, each run over its corpus: first every
# corpus file once (inputs that once crashed stay fixed), then a minute of fuzzing from the corpus,
# new inputs going to a scratch folder. A crash, a leak or a hung input fails the command.
fuzz_seconds=${KORVU_FUZZ_SECONDS:-60}
fuzz_targets=(document_load model_file transcript_replay)

run_fuzz() {
    if ! command -v clang++ >/dev/null 2>&1; then
        echo "clang++ not found: the fuzz targets are not built or run"
        return 0
    fi
    local dir=build/fuzz launcher=()
    # The instrumented build is most of the fuzz step's time: reuse a compiler cache when there.
    command -v ccache >/dev/null 2>&1 && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ \
        -DKORVU_FUZZ=ON -DKORVU_TESTS=OFF -DKORVU_BENCH=OFF "${launcher[@]}" >/dev/null
    cmake --build "$dir" -j "$jobs" --target "${fuzz_targets[@]/#/fuzz_}"
    local t exe corpus scratch log
    for t in "${fuzz_targets[@]}"; do
        exe=$dir/bin/fuzz_$t
        corpus=tests/fuzz/corpus/$t
        scratch=$dir/corpus/$t
        log=$dir/fuzz_$t.log
        mkdir -p "$scratch" "$dir/crashes/$t"
        echo "fuzz_$t: replaying $(find "$corpus" -type f | wc -l) corpus files"
        if ! find "$corpus" -type f -print0 | sort -z |
            xargs -0 -r "$exe" -rss_limit_mb=2048 -timeout=30 >"$log" 2>&1; then
            tail -n 60 "$log"
            echo "fuzz_$t: a corpus file fails (log: $log)" >&2
            return 1
        fi
        echo "fuzz_$t: fuzzing for ${fuzz_seconds}s"
        if ! "$exe" -max_total_time="$fuzz_seconds" -dict="tests/fuzz/fuzz_$t.dict" \
            -rss_limit_mb=2048 -timeout=30 -print_final_stats=1 \
            -artifact_prefix="$dir/crashes/$t/" "$scratch" "$corpus" >"$log" 2>&1; then
            tail -n 60 "$log"
            echo "fuzz_$t: found a fault; the input is in $dir/crashes/$t/ (log: $log)" >&2
            return 1
        fi
        grep -E '^#[0-9]+[[:space:]]+DONE' "$log" | tail -n 1
    done
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
    # Each further example on the same model: its drawing, pictures and structure.
    for name in partslist notes balloons datums sketched datumtargets welds surfacetexture \
        leaders; do
        mkdir -p "$out/$name"
        # An example with a user's drags plays them after its transcript.
        input=()
        if [ -f "examples/$name.input" ]; then input=(--input "examples/$name.input"); fi
        "$bin/korvu" run examples/assembly.json "examples/$name.txt" ${input[@]+"${input[@]}"} \
            -o "$out/$name.kvd" --svg "$out/$name" --png "$out/$name"
        "$bin/korvu" dump "$out/$name.kvd"
    done
    echo "the drawings and their pictures are in $out/"
    ;;
test)
    install_missing
    configure_build build/debug Debug ON ON
    export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
    ctest --test-dir build/debug --output-on-failure -j "$jobs"
    run_fuzz
    ;;
*)
    echo "usage: tools/build.sh main|test" >&2
    exit 2
    ;;
esac
