#!/usr/bin/env bash
# Start-up benchmark (not a test; CI never runs it).
#
#   scripts/bench-startup.sh [rounds] [build dir] [earlier build dir]
#
# Builds a bare reference program from bench/ (one frameless, translucent 1024 x 640 Qt Quick
# widget with a rectangle and a text, the same software renderer), then starts the demo and
# the reference alternately <rounds> times (default 15) under a private Xvfb and prints
# min / median / max of: fork to first mapped window, fork to first painted content, and peak
# RSS, with the demo/reference ratios computed per round. Every start runs from its own copy
# of the programs with its own XDG_RUNTIME_DIR, HOME and data folders (the demo's data tree
# seeded beforehand, as on any start after the first), so no start finds another's instance
# lock or data. With an earlier build dir (a build of an older commit), its demo starts in every
# round as well and is summarised beside the current one: a before-and-after in one run.
set -euo pipefail

SETTLE_MS=1500 # peak RSS is read this long after the first paint

if [ "${1:-}" = "--inner" ]; then
    shift
    rounds=$1 demo_bin=$2 ref_bin=$3 watch=$4 out=$5 before_bin=${6:-}
    one() { # <name> <program dir> <program>
        local run
        run=$(mktemp -d)
        cp -r "$2"/. "$run/"
        mkdir -m 700 "$run/xdg-run" "$run/home"
        # The demo's data tree is seeded already, as on every start but the first.
        if [ -d "$run/modules" ]; then
            mkdir -p "$run/home/.local/share/orbis-mouse-demo"
            cp -r "$run/modules" "$run/home/.local/share/orbis-mouse-demo/"
        fi
        (cd "$run" && XDG_RUNTIME_DIR="$run/xdg-run" HOME="$run/home" \
            XDG_DATA_HOME="$run/home/.local/share" XDG_CONFIG_HOME="$run/home/.config" \
            "$watch" "$SETTLE_MS" "$run/$3" 2>/dev/null) | sed "s/^/$1 /" >>"$out"
        rm -rf "$run"
    }
    starts=("demo $demo_bin orbis-mouse-demo" "ref $ref_bin bench-reference")
    [ -n "$before_bin" ] && starts+=("before $before_bin orbis-mouse-demo")
    for i in $(seq 1 "$rounds"); do
        # Rotate which program starts first in a round, so none always finds the caches warmed
        # by the others.
        n=${#starts[@]}
        for k in $(seq 0 $((n - 1))); do
            # shellcheck disable=SC2086
            one ${starts[$(((i + k) % n))]}
        done
    done
    exit 0
fi

cd "$(dirname "$0")/.."
. scripts/bench-common.sh
rounds=${1:-15}
build_dir=${2:-build}
before_dir=${3:-}
bench_need_demo "$build_dir"
[ -z "$before_dir" ] || bench_need_demo "$before_dir"
bench_build_tools

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/demo" "$work/ref"
cp "$build_dir/bin/orbis-mouse-demo" "$work/demo/"
cp -r "$build_dir/bin/modules" "$work/demo/"
cp "$bench_build/bench-reference" "$work/ref/"
before_arg=()
if [ -n "$before_dir" ]; then
    mkdir "$work/before"
    cp "$before_dir/bin/orbis-mouse-demo" "$work/before/"
    cp -r "$before_dir/bin/modules" "$work/before/"
    before_arg=("$work/before")
fi
results="$work/results.txt"
: >"$results"

# A session bus, as every desktop has: without one, each start that looks for a tray would
# spawn dbus-launch to make one, a cost no desktop user pays.
bus=()
if command -v dbus-run-session >/dev/null; then bus=(dbus-run-session --); fi
xvfb-run -a -s "-screen 0 1280x800x24" "${bus[@]}" "$(realpath "$0")" --inner "$rounds" "$work/demo" \
    "$work/ref" "$(realpath "$bench_build/bench-xwatch")" "$results" "${before_arg[@]}"

# Pair the i-th demo line with the i-th reference line (one round), then summarise.
awk -v rounds="$rounds" '
function sortn(a, n,   i, j, t) { for (i = 2; i <= n; i++) { t = a[i]; for (j = i - 1; j >= 1 && a[j] > t; j--) a[j + 1] = a[j]; a[j + 1] = t } }
function row(label, a, n, unit, fmt,   m) {
    sortn(a, n)
    m = (n % 2) ? a[(n + 1) / 2] : (a[n / 2] + a[n / 2 + 1]) / 2
    printf "%-28s " fmt "  " fmt "  " fmt "  %s\n", label, a[1], m, a[n], unit
}
$1 == "demo" { nd++; dm[nd] = $2; dp[nd] = $3; dr[nd] = $4 / 1024 }
$1 == "ref"  { nr++; rm[nr] = $2; rp[nr] = $3; rr[nr] = $4 / 1024 }
$1 == "before" { nb++; bm[nb] = $2; bp[nb] = $3; br[nb] = $4 / 1024 }
END {
    n = (nd < nr) ? nd : nr
    if (nb > 0 && nb < n) n = nb
    if (n == 0) { print "no complete round" > "/dev/stderr"; exit 1 }
    for (i = 1; i <= n; i++) { qm[i] = dm[i] / rm[i]; qp[i] = dp[i] / rp[i]; qr[i] = dr[i] / rr[i] }
    printf "%d of %d rounds complete (settle %d ms before reading peak RSS)\n", n, rounds, '"$SETTLE_MS"'
    printf "%-28s %8s  %8s  %8s\n", "", "min", "median", "max"
    row("demo: mapped window", dm, n, "ms", "%8.1f");  row("reference: mapped window", rm, n, "ms", "%8.1f")
    row("demo: painted content", dp, n, "ms", "%8.1f"); row("reference: painted content", rp, n, "ms", "%8.1f")
    row("demo: peak RSS", dr, n, "MiB", "%8.1f");       row("reference: peak RSS", rr, n, "MiB", "%8.1f")
    row("ratio: mapped window", qm, n, "", "%8.2f")
    row("ratio: painted content", qp, n, "", "%8.2f")
    row("ratio: peak RSS", qr, n, "", "%8.2f")
    if (nb == 0) exit 0
    for (i = 1; i <= n; i++) { em[i] = bm[i] / rm[i]; ep[i] = bp[i] / rp[i]; er[i] = br[i] / rr[i] }
    row("earlier: mapped window", bm, n, "ms", "%8.1f")
    row("earlier: painted content", bp, n, "ms", "%8.1f")
    row("earlier: peak RSS", br, n, "MiB", "%8.1f")
    row("earlier ratio: mapped window", em, n, "", "%8.2f")
    row("earlier ratio: painted", ep, n, "", "%8.2f")
    row("earlier ratio: peak RSS", er, n, "", "%8.2f")
}' "$results"
