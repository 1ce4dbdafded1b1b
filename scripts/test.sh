#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: the normal
# build, the same tests under AddressSanitizer and UndefinedBehaviorSanitizer,
# and the fuzz targets (built with clang) for a fixed number of runs. Every
# build treats warnings as errors.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/packages.sh
zr50_install_packages
export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)

cmake -S . -B build/ci -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZR50_WERROR=ON
cmake --build build/ci -j "$jobs"
ctest --test-dir build/ci --output-on-failure -j "$jobs"

cmake -S . -B build/asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZR50_WERROR=ON -DZR50_SANITIZE=ON
cmake --build build/asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir build/asan --output-on-failure -j "$jobs"

if [ -f fuzz/CMakeLists.txt ]; then
    CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=Debug \
        -DZR50_WERROR=ON -DZR50_FUZZ=ON -DBUILD_TESTING=OFF
    cmake --build build/fuzz -j "$jobs"
    for f in build/fuzz/fuzz/fuzz_*; do
        [ -f "$f" ] && [ -x "$f" ] || continue  # not the autogen folders
        name=$(basename "$f")
        corpus=build/fuzz/corpus/$name
        mkdir -p "$corpus"
        [ -d "fuzz/seeds/$name" ] && cp -n fuzz/seeds/"$name"/* "$corpus"/ 2>/dev/null || true
        echo "== $name"
        "$f" -runs=20000 -seed=1 "$corpus" 2>&1 | tail -n 2
    done
fi
echo "All tests passed."
