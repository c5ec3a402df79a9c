#!/usr/bin/env bash
# Checks the layers the source folders form: every #include "folder/..." of a folder's files
# must name the folder itself or one the table below lets it use, and the graph of the folders'
# includes must have no cycle (tsort finds one). Usage: scripts/check-layers.sh [source root]
#
#   base <- platform <- device <- bridge <- app      sim beside device (the simulated hidapi)
#                  \<- hooks  <-/                    hooks: input capture, instance messages
set -euo pipefail
root=${1:-"$(dirname "$0")/.."}
cd "$root"

declare -A uses=(
    [base]=""
    [platform]="base"
    [device]="base platform"
    [sim]="base platform device"
    [hooks]="base platform"
    [bridge]="base platform device hooks"
    [app]="base platform device sim hooks bridge"
)

status=0
edges=""
for folder in "${!uses[@]}"; do
    [ -d "$folder" ] || continue
    while IFS=: read -r file line; do
        target=${line#*\"}
        target=${target%%/*}
        [ "$target" = "$folder" ] && continue
        [ -n "${uses[$target]+x}" ] || continue # a system or generated header
        edges+="$folder $target"$'\n'
        case " ${uses[$folder]} " in
        *" $target "*) ;;
        *)
            echo "$file: $folder/ includes $target/ (allowed: ${uses[$folder]:-none})" >&2
            status=1
            ;;
        esac
    done < <(grep -rE --include='*.cpp' --include='*.h' '^#include "[a-z_]+/' "$folder" || true)
done

if ! cycle=$(printf '%s' "$edges" | sort -u | tsort 2>&1 >/dev/null); then
    echo "the folders' includes form a cycle:" >&2
    echo "$cycle" >&2
    status=1
fi
[ $status -eq 0 ] && echo "layers: $(printf '%s' "$edges" | sort -u | grep -c .) folder dependencies, all downward, no cycle"
exit $status
