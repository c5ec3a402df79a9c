#!/usr/bin/env bash
# Configures (once) and builds into ./build. Extra arguments go to the first configure.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/generator.sh
if [ ! -f build/CMakeCache.txt ]; then
    cmake_generator build
    cmake -S . -B build "${GENERATOR[@]}" "$@"
fi
cmake --build build -j"$(nproc)"
