#!/usr/bin/env bash
# Sequence benchmark (not a test; CI never runs it).
#
#   scripts/bench-sequences.sh [rounds] [build dir]
#
# Runs the demo under a private Xvfb, once per mouse family (553 and 560, both gun models), and
# drives the three long sequences the way a person does: Save after a lighting change (the
# lighting panel's reset button, then Save), the factory reset (Reset, then OK) with xdotool,
# and a profile switch handed over by a second start (--profile 2). For each sequence the
# transfer trace (ORBIS_HID_TRACE) gives the time from its first to its last transfer, which is
# set against the pauses the firmware is owed between them (128 ms settle after the set commands
# that take one, 120 ms after every data-block report and a settle after the last, 8 ms after the
# keyboard-option, gun-data and current-profile commands): a ratio of 1.00 is the bare pauses.
# The span also holds the scene's own work between commands (settings files, page set-up);
# "in-cmd" sets only the gaps inside commands (settle to first report, report to report)
# against their pauses, which measures the pauses alone.
# During the 560 switch
# bench-xping (bench/xping.c) pings the window as a window manager does (_NET_WM_PING) and
# reports the median and worst answer time. Each line is the median over <rounds> (default 3).
set -euo pipefail

TITLE="ORBIS MOUSE R207"
# Window positions (the scene is 1024 x 640 and fills the window): the bottom bar's Reset and
# Save, the reset confirmation's OK, and the lighting panel's reset button.
RESET_AT="888 620"
SAVE_AT="968 620"
OK_AT="665 348"
LIGHT_RESET_AT=${LIGHT_RESET_AT:-"980 316"}

if [ "${1:-}" = "--inner" ]; then
    shift
    rounds=$1 bin=$2 ping=$3 out=$4
    click() { # <x> <y>: a click at a window position
        local wid
        wid=$(xdotool search --name "$TITLE" | head -1)
        xdotool mousemove --window "$wid" "$1" "$2" click 1
    }
    lines() { wc -l <"$1"; }
    quiet() { # waits until the trace stops growing for 1.5 s
        local size=-1
        while [ "$(stat -c %s "$1")" != "$size" ]; do
            size=$(stat -c %s "$1")
            sleep 1.5
        done
    }
    one() { # <family>
        local run data trace
        run=$(mktemp -d)
        cp -r "$bin"/. "$run/"
        mkdir -m 700 "$run/xdg-run" "$run/home"
        data="$run/home/.local/share/orbis-mouse-demo"
        mkdir -p "$data"
        cp -r "$run/modules" "$data/"
        sed -i "s/^icType=.*/icType=$1/; s/^isGun=.*/isGun=true/" "$data/modules/setting/apConfig.bin"
        sed -i "s/^profileName=.*/profileName=Standard0, Second1/" "$data/modules/setting/name.bin"
        trace="$run/trace.txt"
        : >"$trace"
        export XDG_RUNTIME_DIR="$run/xdg-run" HOME="$run/home" XDG_DATA_HOME="$run/home/.local/share" \
            XDG_CONFIG_HOME="$run/home/.config" ORBIS_HID_TRACE="$trace"
        (cd "$run" && exec ./orbis-mouse-demo >/dev/null 2>"$run/log.txt") &
        local pid=$!
        until grep -q " evt open ok" "$trace" 2>/dev/null; do sleep 0.2; done
        sleep 3 # the start-up picture and the scene's start
        quiet "$trace"

        local from
        from=$(lines "$trace")
        click $LIGHT_RESET_AT
        sleep 0.5
        quiet "$trace"
        from=$(lines "$trace")
        click $SAVE_AT
        sleep 0.5
        quiet "$trace"
        tail -n +$((from + 1)) "$trace" | sed "s/^/$1 save /" >>"$out"

        from=$(lines "$trace")
        click $RESET_AT
        sleep 0.3
        click $OK_AT
        sleep 0.5
        quiet "$trace"
        tail -n +$((from + 1)) "$trace" | sed "s/^/$1 reset /" >>"$out"

        from=$(lines "$trace")
        local pinger=""
        if [ "$1" = 560 ]; then
            "$ping" 14000 "$TITLE" >"$run/ping.txt" &
            pinger=$!
            sleep 1 # a second of pings before, as a reference
        fi
        (cd "$run" && ./orbis-mouse-demo --profile 2 >/dev/null 2>&1 || true)
        sleep 0.5
        quiet "$trace"
        tail -n +$((from + 1)) "$trace" | sed "s/^/$1 switch /" >>"$out"
        if [ -n "$pinger" ]; then
            wait "$pinger" || true
            echo "ping $(cat "$run/ping.txt")" >>"$out"
        fi
        if grep -q "cmd Failed" "$run/log.txt"; then
            grep "cmd Failed" "$run/log.txt" | sed "s/^/$1 failed /" >>"$out"
        fi
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
        rm -rf "$run"
    }
    for i in $(seq 1 "$rounds"); do
        echo "round $i" >>"$out"
        one 553
        one 560
    done
    exit 0
fi

cd "$(dirname "$0")/.."
. scripts/bench-common.sh
rounds=${1:-3}
build_dir=${2:-build}
bench_need_demo "$build_dir"
for tool in xdotool xvfb-run; do
    command -v "$tool" >/dev/null || { echo "$tool is needed" >&2; exit 1; }
done
bench_build_tools bench-xping

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/bin"
cp "$build_dir/bin/orbis-mouse-demo" "$work/bin/"
cp -r "$build_dir/bin/modules" "$work/bin/"
results="$work/results.txt"
: >"$results"
bus=()
if command -v dbus-run-session >/dev/null; then bus=(dbus-run-session --); fi
xvfb-run -a -s "-screen 0 1280x800x24" "${bus[@]}" "$(realpath "$0")" --inner "$rounds" \
    "$work/bin" "$(realpath "$bench_build/bench-xping")" "$results"
[ -n "${KEEP_RESULTS:-}" ] && cp "$results" "$KEEP_RESULTS"

# Per sequence: span from the first to the last transfer on the command interface, and the
# pauses owed between them.
awk '
BEGIN {
    split("01 02 0b 0d 10 11 12 13", s553); split("03 04", p553)
    split("03 04 0c 0d 0f", s560); split("01 02", p560)
    for (i in s553) settle["553", s553[i]] = 1
    for (i in p553) pause8["553", p553[i]] = 1
    for (i in s560) settle["560", s560[i]] = 1
    for (i in p560) pause8["560", p560[i]] = 1
}
function flush(   span, owed, k) {
    if (key == "" || n == 0) { n = 0; lastkind = ""; return }
    # The pause after each transfer but the last: the settle after a set command, 120 ms after
    # a block report and the settle after the last report, 8 ms after the short commands.
    owed = 0
    for (k = 1; k < n; k++) owed += after[k]
    span = t[n] - t[1]; lastkind = ""
    runs[key]++; r = runs[key]
    spans[key, r] = span; oweds[key, r] = owed
    if (owed > 0) ratios[key, r] = span / owed
    if (inOwed > 0) inRatios[key, r] = inGap / inOwed
    n = 0; inGap = 0; inOwed = 0
}
function addTransfer(ms, kind, code, fam) {
    n++; t[n] = ms; after[n] = 0
    if (kind == "feature-out") {
        cur = code
        if ((fam, code) in settle) after[n] = 128
        else if ((fam, code) in pause8) after[n] = 8
    } else if (kind == "write") {
        after[n] = 120
        # Inside one command: the pause before this report alone, no scene work in between.
        inGap += t[n] - t[n - 1]; inOwed += after[n - 1]
    }
}
$1 == "round" { next }
$1 == "ping" { pings++; pmed[pings] = $3; pmax[pings] = $4; next }
$2 == "failed" { failed[$1 " " $2]++; next }
{
    k = $1 " " $2
    if (k != key) { flush(); key = k }
    if ($4 != "cmd" || $5 == "open" || $5 == "close") next
    # A settle follows the last report of a block: credited when the block ends.
    if (lastkind == "write" && $5 != "write" && ($1, cur) in settle) after[n] += 128
    addTransfer($3, $5, $8, $1)
    lastkind = $5
}
function sortn(v, m,   i, j, x) { for (i = 2; i <= m; i++) { x = v[i]; for (j = i - 1; j >= 1 && v[j] > x; j--) v[j + 1] = v[j]; v[j + 1] = x } }
END {
    flush()
    printf "%-16s %10s %10s %8s %10s   (medians of %s rounds)\n", "", "wire ms", "owed ms", "ratio", "in-cmd", rounds
    for (k in runs) {
        m = runs[k]
        for (i = 1; i <= m; i++) { a[i] = spans[k, i]; b[i] = oweds[k, i]; c[i] = ratios[k, i]; e[i] = inRatios[k, i] }
        sortn(a, m); sortn(b, m); sortn(c, m); sortn(e, m)
        mid = int((m + 1) / 2)
        printf "%-16s %10.0f %10.0f %8.3f %10.3f\n", k, a[mid], b[mid], c[mid], e[mid]
        delete a; delete b; delete c; delete e
    }
    if (pings) {
        for (i = 1; i <= pings; i++) { x[i] = pmed[i]; y[i] = pmax[i] }
        sortn(x, pings); sortn(y, pings)
        printf "ping during the 560 switch: median %.1f ms, worst %.1f ms (medians of %d rounds)\n", x[int((pings + 1) / 2)], y[int((pings + 1) / 2)], pings
    }
    for (k in failed) printf "%s: %d lines\n", k, failed[k]
}' rounds="$rounds" "$results"
