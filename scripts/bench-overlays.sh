#!/usr/bin/env bash
# First-open benchmark of the pages over the main screen (not a test; CI never runs it).
#
#   scripts/bench-overlays.sh [rounds] [build dir]
#
# Runs build/bin/bench_first_open under a private Xvfb with the software renderer, as the
# program draws: in each round a fresh scene on a private copy of the factory tree, with the
# simulated mouse, opens each page by a click on its opener and times the click to the end of
# the next rendered frame; then opens it once more (its controls built already). Prints min /
# median / max over the rounds (default 10).
set -euo pipefail
cd "$(dirname "$0")/.."
rounds=${1:-10}
build_dir=${2:-build}
if [ ! -x "$build_dir/bin/bench_first_open" ]; then
    echo "no $build_dir/bin/bench_first_open: cmake --build $build_dir --target bench_first_open" >&2
    exit 1
fi
run=$(mktemp -d)
trap 'rm -rf "$run"' EXIT
mkdir -m 700 "$run/xdg-run"
cd "$build_dir/bin"
XDG_RUNTIME_DIR="$run/xdg-run" XDG_CONFIG_HOME="$run/config" GSETTINGS_BACKEND=memory \
    QT_QUICK_BACKEND=software QT_QPA_PLATFORM=xcb QT_LOGGING_RULES="*.debug=false" \
    xvfb-run -a -s "-screen 0 1280x800x24" ./bench_first_open "$rounds"
