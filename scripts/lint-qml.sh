#!/usr/bin/env bash
# QML lint for the scene, run by CI:
#
#   scripts/lint-qml.sh [build dir] [--update]
#
# 1. Runs the QML module's lint target (orbis_core_qmllint, made by qt_add_qml_module) and
#    counts its warnings by kind. An unqualified access to one of the context properties the
#    native side sets (ui_View, hid, ui_Ctl, and ui_AutoSwitch of the automatic profile choice)
#    is expected and counted apart; every other kind is compared with
#    scripts/qmllint-baseline.txt and the run fails when a count grows.
#    --update writes the current counts to the baseline (after a change that lowers them).
# 2. Checks that no component of modules/qml/basic/ names the scene's root (mainIten) or an id
#    of the main screen or its pages: the basic components take everything through their own
#    properties and the Theme singleton.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=build
update=0
for a in "$@"; do
    case $a in
    --update) update=1 ;;
    *) build_dir=$a ;;
    esac
done
baseline=scripts/qmllint-baseline.txt
out=$(mktemp)
trap 'rm -f "$out"' EXIT

# qmllint ends with a failure status whenever it warns; the counts below decide.
cmake --build "$build_dir" --target orbis_core_qmllint >"$out" 2>&1 || true
if ! grep -q -e '^Warning: ' -e 'Built target orbis_core_qmllint' "$out"; then
    cat "$out" >&2
    echo "lint-qml: the lint target did not run" >&2
    exit 2
fi

# One line per warning: its kind. The message's quoted names are dropped, so "Property "x" not
# found on type "Y"" counts as one kind; an unqualified access is named by the identifier at its
# position, so the context properties can be told apart.
counts=$(grep '^Warning: ' "$out" | sed -E 's/^Warning: //' | awk '
{
    # <file>:<line>:<column>: <message>
    if (!match($0, /^[^:]+:[0-9]+:[0-9]+: /)) { print "other"; next }
    split(substr($0, 1, RLENGTH - 2), pos, ":")
    msg = substr($0, RLENGTH + 1)
    if (msg ~ /^Unqualified access/) {
        name = ""
        n = 0
        while ((getline text < pos[1]) > 0) {
            if (++n == pos[2]) { name = substr(text, pos[3]); break }
        }
        close(pos[1])
        match(name, /^[A-Za-z_][A-Za-z0-9_]*/)
        name = substr(name, 1, RLENGTH)
        if (name == "ui_View" || name == "hid" || name == "ui_Ctl" || name == "ui_AutoSwitch")
            print "context property (expected)"
        else
            print "Unqualified access"
        next
    }
    gsub(/"[^"]*"/, "X", msg)
    print msg
}' | sort | uniq -c | sed -E 's/^ *([0-9]+) /\1\t/')

echo "qmllint warnings by kind:"
printf '%s\n' "$counts" | awk -F'\t' 'NF == 2 { printf "%6d  %s\n", $1, $2 }'

status=0
if [ "$update" = 1 ]; then
    {
        echo "# qmllint warnings by kind (count<TAB>kind), written by scripts/lint-qml.sh --update."
        echo "# CI fails when a kind's count grows beyond the number here."
        printf '%s\n' "$counts" | grep -v 'context property' || true
    } >"$baseline"
    echo "baseline written to $baseline"
else
    # Every kind found must be within its baseline count (a kind not listed is allowed none).
    while IFS=$'\t' read -r n kind; do
        [ -n "$kind" ] || continue
        [ "$kind" = "context property (expected)" ] && continue
        allowed=$(awk -F'\t' -v k="$kind" '!/^#/ && $2 == k { print $1 }' "$baseline")
        allowed=${allowed:-0}
        if [ "$n" -gt "$allowed" ]; then
            echo "lint-qml: $n warnings of kind \"$kind\", the baseline allows $allowed" >&2
            status=1
        fi
    done <<<"$counts"
    [ "$status" = 0 ] && echo "within the baseline ($baseline)"
fi

# The basic components stay free of the scene's ids: those of main.qml, MainScreen.qml and
# Overlays.qml (the root, the main screen's panels, the pages).
ids=$(grep -hoE '^\s*id: *[A-Za-z_][A-Za-z0-9_]*' modules/qml/*.qml | sed -E 's/.*id: *//' | sort -u)
for f in modules/qml/basic/*.qml; do
    own=$( (grep -oE '^\s*id: *[A-Za-z_][A-Za-z0-9_]*' "$f" || true) | sed -E 's/.*id: *//' | sort -u)
    for id in $ids; do
        grep -qx "$id" <<<"$own" && continue
        # A use of the name, not a property of the same name being set (`name:`).
        if grep -vE '^\s*//' "$f" | grep -E "(^|[^A-Za-z0-9_.\"/])$id\b" | grep -qvE "\b$id\s*:"; then
            echo "lint-qml: $f names the scene's id \"$id\"" >&2
            status=1
        fi
    done
done
exit $status
