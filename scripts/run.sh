#!/usr/bin/env bash
# Installs what is needed, builds, and runs the demo: the program with a simulated mouse.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
exec build/bin/orbis-mouse-demo
