#!/usr/bin/env bash
# Builds natively and for Windows, runs the native unit tests and the Windows tests under Wine, and
# ends with one line that counts both tiers.
set -uo pipefail
cd "$(dirname "$0")/.."

jobs=$(nproc 2>/dev/null || echo 2)
log_dir=build/logs
mkdir -p "$log_dir"

build() {
    cmake --preset "$1" >"$log_dir/configure-$1.log" 2>&1 || { cat "$log_dir/configure-$1.log"; return 1; }
    cmake --build --preset "$1" -j "$jobs" >"$log_dir/build-$1.log" 2>&1 || { grep -E "error|Error" "$log_dir/build-$1.log" | head -50; return 1; }
}

passed=0
failed=0
# Adds one GoogleTest run's counts from its log; a run that printed no summary counts as one failure.
count() {
    local log=$1 p f
    p=$(grep -E '^\[  PASSED  \] [0-9]+ test' "$log" | tail -1 | grep -oE '[0-9]+' | head -1)
    f=$(grep -E '^\[  FAILED  \] [0-9]+ test' "$log" | tail -1 | grep -oE '[0-9]+' | head -1)
    if [ -z "$p" ] && [ -z "$f" ]; then
        echo "no test summary in $log"
        f=1
    fi
    passed=$((passed + ${p:-0}))
    failed=$((failed + ${f:-0}))
}

status=0
echo "== building (native, Windows cross build)"
build native || status=1
build mingw || status=1
if [ $status -ne 0 ]; then
    echo "tests: 0 passed, 1 failed"
    exit 1
fi

echo "== tier 1: native unit tests"
ASAN_OPTIONS=detect_leaks=1 build/native/tests/nimbrel_unit_tests --gtest_brief=1 2>&1 | tee "$log_dir/unit.log"
[ "${PIPESTATUS[0]}" -eq 0 ] || status=1
count "$log_dir/unit.log"

echo "== tier 1 again under ThreadSanitizer: the workers and the hand-over between threads"
# Without address-space randomisation: the sanitizer's fixed memory layout needs it on newer kernels.
if build tsan; then
    setarch "$(uname -m)" -R build/tsan/tests/nimbrel_unit_tests --gtest_brief=1 >"$log_dir/unit-tsan.log" 2>&1
    tsan_status=$?
    grep -E '^\[  (PASSED|FAILED)  \]|WARNING: ThreadSanitizer' "$log_dir/unit-tsan.log" | sort | uniq -c
else
    tsan_status=1
fi
# A run already counted above: only a race or a failure adds one.
if [ "$tsan_status" -ne 0 ]; then
    status=1
    failed=$((failed + 1))
fi

echo "== kill during save: links.dat and the file-backed registry"
bash scripts/kill-trial.sh 2>&1 | tee "$log_dir/kill-trial.log"
[ "${PIPESTATUS[0]}" -eq 0 ] || status=1
kp=$(grep -oE '^kill trial: [0-9]+ passed' "$log_dir/kill-trial.log" | grep -oE '[0-9]+')
kf=$(grep -oE '[0-9]+ failed' "$log_dir/kill-trial.log" | tail -1 | grep -oE '[0-9]+')
[ -n "$kp" ] || kf=1
passed=$((passed + ${kp:-0}))
failed=$((failed + ${kf:-0}))

echo "== tier 2: Windows integration tests under Wine"
source scripts/wine-env.sh
fresh_wine_prefix
export NIMBREL_ARTIFACTS="$PWD/build/artifacts"
mkdir -p "$NIMBREL_ARTIFACTS"
xvfb-run -a -s "-screen 0 1280x1024x24" \
    wine build/mingw/tests/nimbrel_win32_tests.exe --gtest_brief=1 2>&1 | tr -d '\r' | tee "$log_dir/win32.log"
[ "${PIPESTATUS[0]}" -eq 0 ] || status=1
count "$log_dir/win32.log"
wineserver -k >/dev/null 2>&1 || true

echo "== tier 2 at 150 %: the main window at 144 pixels per inch"
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1
wineserver -w
NIMBREL_EXPECT_DPI=144 xvfb-run -a -s "-screen 0 1280x1024x24" \
    wine build/mingw/tests/nimbrel_win32_tests.exe --gtest_brief=1 --gtest_filter='Win32Dpi.*' 2>&1 | tr -d '\r' | tee "$log_dir/win32-dpi144.log"
[ "${PIPESTATUS[0]}" -eq 0 ] || status=1
count "$log_dir/win32-dpi144.log"
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96 /f >/dev/null 2>&1
wineserver -k >/dev/null 2>&1 || true
echo "== tier 3: end-to-end runs of nimbrel.exe under Wine, driven by real input"
xvfb-run -a -s "-screen 0 1024x768x24" bash scripts/e2e.sh 2>&1 | tee "$log_dir/e2e.log"
[ "${PIPESTATUS[0]}" -eq 0 ] || status=1
ep=$(sed -nE 's/^e2e: ([0-9]+) passed, ([0-9]+) failed$/\1/p' "$log_dir/e2e.log" | tail -1)
ef=$(sed -nE 's/^e2e: ([0-9]+) passed, ([0-9]+) failed$/\2/p' "$log_dir/e2e.log" | tail -1)
[ -n "$ep" ] || ef=1
passed=$((passed + ${ep:-0}))
failed=$((failed + ${ef:-0}))
wineserver -k >/dev/null 2>&1 || true

# Screenshots the Windows tests took, as PNG for a person to look at.
for shot in "$NIMBREL_ARTIFACTS"/*.bmp; do
    [ -e "$shot" ] || continue
    convert "$shot" "${shot%.bmp}.png" && rm -f "$shot" && echo "screenshot: ${shot%.bmp}.png"
done

[ $failed -eq 0 ] || status=1
echo "tests: $passed passed, $failed failed"
exit $status
