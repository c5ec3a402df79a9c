#!/usr/bin/env bash
# Configures (once) and builds into ./build. Extra arguments go to the first configure.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ ! -f build/CMakeCache.txt ]; then
    cmake -S . -B build "$@"
fi
cmake --build build -j"$(nproc)"
