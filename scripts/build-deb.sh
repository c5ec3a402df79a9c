#!/usr/bin/env bash
# Builds the Debian package from a configured build folder (default ./build) into an output
# folder (default: the build folder) and prints the package's path.
#   scripts/build-deb.sh [build dir] [output dir]
set -euo pipefail
build="${1:-build}"
out="${2:-$build}"
if [ ! -f "$build/CPackConfig.cmake" ]; then
    echo "No configured build in $build (run scripts/build.sh first)." >&2
    exit 1
fi
# Only what the package holds; the tests are not needed for it.
cmake --build "$build" -j"$(nproc)" --target orbis-mouse orbis_packaging >&2
mkdir -p "$out"
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$out" >&2
rm -rf "$out/_CPack_Packages"
ls "$out"/orbis-mouse_*.deb | tail -n 1
