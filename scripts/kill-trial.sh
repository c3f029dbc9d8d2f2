#!/usr/bin/env bash
# Kills a program at random moments while it saves "links.dat" and while it writes the file-backed
# registry (50 kills each, a minute at most), and checks after every kill that the store holds
# exactly one complete save, and that temporary files never pile up: at most one is left, and the
# next save removes it. Ends with one line "kill trial: N passed, M failed" (one count per store).
set -uo pipefail
cd "$(dirname "$0")/.."

saver=${1:-build/native/tests/nimbrel_store_saver}
kills=${KILLS:-50}
deadline=$((SECONDS + 60))
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export ASAN_OPTIONS=detect_leaks=0

# trial NAME PATH TEMPORARY-GLOB: the saver's modes are NAME-loop, NAME-once and NAME-check.
trial() {
    local name=$1 path=$2 pattern=$3 i pid left
    "$saver" "$name-once" "$path" || { echo "$name: the first save failed"; return 1; }
    for ((i = 1; i <= kills; i++)); do
        if [ $SECONDS -ge $deadline ]; then echo "$name: out of time after $((i - 1)) kills"; return 1; fi
        "$saver" "$name-loop" "$path" &
        pid=$!
        sleep "0.0$((RANDOM % 9 + 1))"
        kill -9 "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
        if ! "$saver" "$name-check" "$path"; then echo "$name: kill $i left a store that is not one complete save"; return 1; fi
        left=$(compgen -G "$pattern" | wc -l)
        if [ "$left" -gt 1 ]; then echo "$name: kill $i left $left temporary files"; return 1; fi
    done
    "$saver" "$name-once" "$path" || { echo "$name: the save after the kills failed"; return 1; }
    left=$(compgen -G "$pattern" | wc -l)
    if [ "$left" -ne 0 ]; then echo "$name: the next save left $left temporary files"; return 1; fi
    echo "$name: $kills kills, every store whole"
}

passed=0
failed=0
mkdir -p "$work/links" "$work/registry"
if trial links "$work/links/links.dat" "$work/links/links.dat.*.tmp"; then passed=$((passed + 1)); else failed=$((failed + 1)); fi
if trial registry "$work/registry" "$work/registry/*.tmp*"; then passed=$((passed + 1)); else failed=$((failed + 1)); fi
echo "kill trial: $passed passed, $failed failed"
[ $failed -eq 0 ]
