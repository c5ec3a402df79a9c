#!/usr/bin/env bash
# Installs the Debian 12 packages needed to build, run and test the program.
set -euo pipefail
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
PACKAGES=(
    cmake g++ make ninja-build pkg-config
    qt6-base-dev qt6-declarative-dev libgl-dev
    qt6-tools-dev qt6-l10n-tools qt6-translations-l10n qt6-wayland
    qml6-module-qtquick qml6-module-qtqml qml6-module-qtqml-workerscript
    qml6-module-qtquick-window qml6-module-qtquick-templates
    qml6-module-qtqml-models
    libhidapi-dev libudev-dev libxtst-dev libx11-dev libxcb1-dev
    librsvg2-bin imagemagick fonts-wqy-microhei
    xvfb xauth xdotool x11-apps x11-utils dbus dbus-daemon weston
    openbox
    gsettings-desktop-schemas libglib2.0-0
    dpkg-dev appstream desktop-file-utils lintian
    g++-mingw-w64-x86-64-posix
)
missing=()
for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    $SUDO apt-get update
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi
