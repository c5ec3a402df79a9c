#!/usr/bin/env bash
# Takes a screenshot of the demo program (the application with a simulated mouse) under a
# virtual X server.
#
#   scripts/screenshot.sh <build dir> <output.png> [language code] [main|startup]
#
# The demo works in its own data tree under a private XDG data home, seeded here from the
# build's factory tree, so the chosen language (default: the installed one) touches neither the
# build's data nor the user's demo data. "main" (default) waits for the main screen; "startup"
# catches the start-up picture shown during the first second after connecting.
set -euo pipefail

# Runs inside the virtual display: start the demo, wait for its window, wait for the wanted
# screen, grab the window's area of the root window.
capture() {
    local work=$1 output=$2 mode=$3 title=$4 demo=$5
    cd "$work"
    XDG_RUNTIME_DIR="$work" XDG_DATA_HOME="$work/data" "$demo" >"$work/demo.log" 2>&1 &
    local pid=$!
    local window=""
    for _ in $(seq 1 100); do
        window=$(xdotool search --onlyvisible --name "$title" 2>/dev/null | head -n 1 || true)
        [ -n "$window" ] && break
        sleep 0.1
    done
    if [ -z "$window" ]; then
        echo "the demo window did not appear; its output:" >&2
        cat "$work/demo.log" >&2
        kill "$pid" 2>/dev/null || true
        return 1
    fi
    # The start-up picture stays for the first second after the connect; the main screen
    # follows it.
    if [ "$mode" = "startup" ]; then sleep 0.4; else sleep 3; fi
    eval "$(xdotool getwindowgeometry --shell "$window")"
    import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$output"
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
}

if [ "${1:-}" = "--capture" ]; then
    shift
    capture "$@"
    exit
fi

if [ $# -lt 2 ]; then
    echo "usage: $0 <build dir> <output.png> [language code] [main|startup]" >&2
    exit 2
fi
build_dir=$(cd "$1" && pwd)
output=$(realpath -m "$2")
language=${3:-}
mode=${4:-main}
title="ORBIS MOUSE R207"

if [ ! -x "$build_dir/bin/orbis-mouse-demo" ]; then
    echo "no demo program in $build_dir/bin" >&2
    exit 1
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
tree="$work/data/orbis-mouse-demo"
mkdir -p "$tree"
cp -r "$build_dir/share/orbis-mouse/modules" "$tree/"
if [ -n "$language" ]; then
    sed -i "s/^language=.*/language=$language/" "$tree/modules/setting/apConfig.bin"
fi

xvfb-run -a -s "-screen 0 1280x800x24" "$(realpath "$0")" --capture "$work" "$output" "$mode" \
    "$title" "$build_dir/bin/orbis-mouse-demo"
echo "saved $output"
