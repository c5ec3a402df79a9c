#!/usr/bin/env bash
# Builds the Debian package into a scratch folder and checks it: the files it must hold, the
# udev rule, the validity of the desktop entries and the metainfo it carries (when the
# validators are installed), its dependencies, and lintian (no errors) when lintian is
# installed.
#   scripts/check-deb.sh [build dir]
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="$(cd "${1:-build}" && pwd)"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT

deb="$("$here/build-deb.sh" "$build" "$scratch/out")"
echo "package: $(basename "$deb")"
fail=0
problem() { echo "FAIL: $*"; fail=1; }

listing="$(dpkg-deb -c "$deb" | awk '{print $NF}' | sed 's|^\./|/|')"
for f in /usr/bin/orbis-mouse \
         /usr/share/orbis-mouse/modules/setting/apConfig.bin \
         /usr/share/orbis-mouse/modules/setting/apConfigD.bin \
         /usr/share/orbis-mouse/modules/setting/pD.bin \
         /usr/share/orbis-mouse/modules/i18n/zh_CN.ini \
         /usr/share/orbis-mouse/modules/img/logo.ico \
         /usr/share/applications/io.github.orbis_mouse.desktop \
         /usr/share/metainfo/io.github.orbis_mouse.metainfo.xml \
         /usr/share/icons/hicolor/scalable/apps/orbis-mouse.svg \
         /usr/share/man/man1/orbis-mouse.1.gz \
         /usr/share/doc/orbis-mouse/copyright \
         /etc/xdg/autostart/orbis-mouse-autostart.desktop; do
    grep -qx -- "$f" <<<"$listing" || problem "missing $f"
done
rule="$(grep -E '^(/usr)?/lib/udev/rules.d/70-orbis-mouse.rules$' <<<"$listing" || true)"
[ -n "$rule" ] || problem "the udev rule is not in udev's rules folder"
if grep -q '^/usr/local/' <<<"$listing"; then problem "files under /usr/local"; fi

dpkg-deb -x "$deb" "$scratch/root"
if [ -n "$rule" ]; then
    grep -q 'TAG+="uaccess"' "$scratch/root$rule" || problem "the udev rule does not tag uaccess"
    if grep -Eq 'MODE="?0?[0-7][0-7][2367]' "$scratch/root$rule"; then
        problem "the udev rule makes nodes world-writable"
    fi
fi
grep -q '^Exec=orbis-mouse --hidden$' "$scratch/root/etc/xdg/autostart/orbis-mouse-autostart.desktop" ||
    problem "the autostart entry does not start the program hidden"
gzip -t "$scratch/root/usr/share/man/man1/orbis-mouse.1.gz" || problem "man page not gzip"
for option in --hidden --profile --version --help; do
    zcat "$scratch/root/usr/share/man/man1/orbis-mouse.1.gz" | grep -q -- "${option//-/\\\\-}" ||
        problem "the man page does not document $option"
done
depends="$(dpkg-deb -f "$deb" Depends)"
for dep in qml6-module-qtquick libhidapi-hidraw0 libqt6quick6; do
    grep -q "$dep" <<<"$depends" || problem "Depends lacks $dep"
done

if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$scratch/root/usr/share/applications/io.github.orbis_mouse.desktop" \
        "$scratch/root/etc/xdg/autostart/orbis-mouse-autostart.desktop" || problem "desktop entries"
fi
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net \
        "$scratch/root/usr/share/metainfo/io.github.orbis_mouse.metainfo.xml" || problem "metainfo"
fi
if command -v lintian >/dev/null; then
    # lintian reports errors with "E:" lines and exits non-zero on them.
    lintian "$deb" 2>&1 | tee "$scratch/lintian.txt" || true
    if grep -q '^E:' "$scratch/lintian.txt"; then problem "lintian reports errors"; fi
else
    echo "lintian not installed: skipped"
fi
[ "$fail" -eq 0 ] && echo "package checks passed"
exit "$fail"
