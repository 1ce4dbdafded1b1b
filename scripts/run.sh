#!/usr/bin/env bash
# Installs what is missing, builds ZR50 and KDImager3 and starts ZR50 from its
# installation tree.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/packages.sh
zr50_install_packages
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF
cmake --build build/release
exec build/release/dist/KD_270/ZR50 "$@"
