#!/usr/bin/env bash
# make run: builds nimbrel.exe and starts it under Wine in a prefix of its own (made on first use,
# with a demo menu, and kept). With a display it opens there; without one it runs under Xvfb,
# saves a screenshot, prints its path and ends.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset mingw >/dev/null
cmake --build --preset mingw -j "$(nproc 2>/dev/null || echo 2)" --target nimbrel run MakeShortcut >/dev/null
export WINEPREFIX="$PWD/build/wineprefix-run"
source scripts/wine-env.sh
source scripts/demo-menu.sh
if [ ! -d "$WINEPREFIX/drive_c" ]; then
    echo "making the Wine prefix $WINEPREFIX with a demo menu (once)"
    fresh_wine_prefix
    fill_demo_menu
fi
if [ -n "${DISPLAY:-}" ]; then
    exec wine build/mingw/nimbrel.exe
fi
mkdir -p build/artifacts
shot="$PWD/build/artifacts/nimbrel-run.png"
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    wine build/mingw/nimbrel.exe & pid=$!
    for i in $(seq 1 100); do xdotool search --name "^Nimbrel$" >/dev/null 2>&1 && break; sleep 0.1; done
    sleep 2
    import -window root "$1"
    kill $pid 2>/dev/null || true
    wineserver -k 2>/dev/null || true' run "$shot"
echo "no display: ran under Xvfb; screenshot: $shot"
