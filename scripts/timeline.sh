#!/usr/bin/env bash
# The start's timeline: builds nimbrel.exe, run.exe and the start-up benchmark's programs with the
# timeline option (a build of its own, never the product's), has the benchmark start each N times
# (5 by default) under Wine in the benchmarks' prefix with its 500-entry Programs folder, and
# prints each step's median milliseconds since the process was created, by the program's own
# clock, with the moment the benchmark saw the first frame.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-5}
export WINEPREFIX="$PWD/build/wineprefix-bench"
source scripts/wine-env.sh
cmake --preset mingw-timeline >/dev/null
cmake --build --preset mingw-timeline -j2 --target nimbrel run ShellTreeFloor MinimalWindow startup_bench >/dev/null
if [ ! -d "$WINEPREFIX/drive_c" ]; then fresh_wine_prefix; fi

timeline() {
    local program=$1 file=$2
    rm -f "$file"
    # Started as the start-up benchmark starts it, which adds the moment it saw the first frame.
    xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
        wine build/mingw-timeline/bench/startup_bench.exe --timeline "'"$program"'" '"$runs"' \
            "'"$(winepath -w "$file" 2>/dev/null || echo "$file")"'" >/dev/null 2>&1
        wineserver -k >/dev/null 2>&1 || true'
    # The median of each step over the runs, in the order of the first run.
    awk -F'\t' '
        { sub(/\r$/, "") }
        $0 == "--" { next }
        { if (!($1 in seen)) { seen[$1] = 1; order[++n] = $1 } values[$1] = values[$1] " " $2 }
        END {
            for (i = 1; i <= n; i++) {
                k = split(values[order[i]], v, " ")
                for (a = 1; a <= k; a++) for (b = a + 1; b <= k; b++) if (v[b] + 0 < v[a] + 0) { t = v[a]; v[a] = v[b]; v[b] = t }
                printf "| %s | %.0f ms |\n", order[i], v[int((k + 1) / 2)]
            }
        }' "$file"
}

echo "nimbrel.exe, median of $runs starts:"
timeline build/mingw-timeline/nimbrel.exe /tmp/nimbrel-timeline.txt
echo "shell tree floor, median of $runs starts:"
timeline build/mingw-timeline/bench/ShellTreeFloor.exe /tmp/floor-timeline.txt
echo "run.exe, median of $runs starts:"
timeline build/mingw-timeline/run.exe /tmp/run-timeline.txt
echo "minimal window (no marks of its own), median of $runs starts:"
timeline build/mingw-timeline/bench/MinimalWindow.exe /tmp/minimal-timeline.txt
