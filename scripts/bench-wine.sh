#!/usr/bin/env bash
# The benchmarks that need the platform's shell: cross-built and run under Wine and Xvfb in a
# prefix of their own (made on first use and kept).
set -euo pipefail
cd "$(dirname "$0")/.."
export WINEPREFIX="$PWD/build/wineprefix-bench"
source scripts/wine-env.sh
cmake --preset mingw-bench >/dev/null
cmake --build --preset mingw-bench -j2 >/dev/null
if [ ! -d "$WINEPREFIX/drive_c" ]; then fresh_wine_prefix; fi
status=0
xvfb-run -a -s "-screen 0 1280x1024x24" wine build/mingw-bench/bench/shell_tree_bench.exe || status=1
xvfb-run -a -s "-screen 0 1280x1024x24" wine build/mingw-bench/bench/dir_file_list_bench.exe || status=1
xvfb-run -a -s "-screen 0 1280x1024x24" wine build/mingw-bench/bench/shell_list_bench.exe || status=1
xvfb-run -a -s "-screen 0 1280x1024x24" wine build/mingw-bench/bench/find_wine_bench.exe || status=1
xvfb-run -a -s "-screen 0 1280x1024x24" \
    wine build/mingw-bench/bench/startup_bench.exe build/mingw-bench/nimbrel.exe build/mingw-bench/bench/MinimalWindow.exe \
    build/mingw-bench/bench/ShellTreeFloor.exe build/mingw-bench/run.exe build/mingw-bench/bench/ControlsWindow.exe ||
    status=1
wineserver -k >/dev/null 2>&1 || true
echo "nimbrel.exe: $(stat -c %s build/mingw-bench/nimbrel.exe) bytes (static, stripped)"
echo "run.exe: $(stat -c %s build/mingw-bench/run.exe) bytes (static, stripped)"
exit $status
