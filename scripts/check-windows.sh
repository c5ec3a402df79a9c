#!/usr/bin/env bash
# Compiles the Windows side for syntax: every C++ file the build's Windows branch lists (base/,
# device/, app/, bridge/, hooks/, platform/ with platform/windows/ in place of platform/linux/,
# and the real program's entry; cmake/print-sources.cmake prints them from the same lists the
# build uses) goes through MinGW-w64's g++ with -fsyntax-only, against Debian's Qt 6 headers and
# the build's own defines (Qt's Linux headers lack the Windows export attributes, hence
# -Wno-attributes). It proves that the Windows backends and the code around them parse
# and type-check with a Windows compiler and Windows headers; nothing is linked or run, moc and
# the QML compiler do not run, and Debian's Qt headers stand in for a Windows Qt.
# Usage: scripts/check-windows.sh [source root]   (needs g++-mingw-w64-x86-64-posix)
set -euo pipefail
root=$(cd "${1:-"$(dirname "$0")/.."}" && pwd)
cxx=x86_64-w64-mingw32-g++-posix
command -v "$cxx" >/dev/null || { echo "check-windows: $cxx missing (g++-mingw-w64-x86-64-posix)" >&2; exit 1; }

qt=$(pkg-config --variable=includedir Qt6Core 2>/dev/null || echo /usr/include/x86_64-linux-gnu/qt6)
[ -d "$qt/QtCore" ] || qt=/usr/include/x86_64-linux-gnu/qt6
version=$(sed -n 's/^project(orbis-mouse VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")

flags=(-std=c++17 -fsyntax-only -Wall -Wextra -Wno-attributes -DORBIS_VERSION="\"$version\"" -DUNICODE -D_UNICODE
       -I"$root" -I"$qt")
for module in QtCore QtGui QtWidgets QtNetwork QtConcurrent QtQml QtQuick QtQuickWidgets; do
    flags+=(-I"$qt/$module")
done
flags+=(-I/usr/include/hidapi)

mapfile -t sources < <(cmake -DORBIS_FOR_WINDOWS=ON -DORBIS_SOURCE_ROOT="$root" \
    -P "$root/cmake/print-sources.cmake")
failed=0
for src in "${sources[@]}"; do
    if ! "$cxx" "${flags[@]}" "$src"; then
        echo "check-windows: $src" >&2
        failed=$((failed + 1))
    fi
done
echo "check-windows: ${#sources[@]} sources, $failed failed"
[ "$failed" -eq 0 ]
