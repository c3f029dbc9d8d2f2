#!/usr/bin/env bash
# The end-to-end tier: each scenario runs nimbrel.exe under Wine in a fresh copy of a prepared
# prefix, drives it with real input and checks what it did. Runs inside one Xvfb display
# (scripts/test.sh starts it); ends with "e2e: N passed, M failed". A scenario name as argument
# runs only the scenarios whose names contain it.
set -uo pipefail
cd "$(dirname "$0")/.."
source scripts/e2e-lib.sh

# Rows of the demo menu, top to bottom, as the shell sorts them (folders first).
ROW_ZUBEHOER=5
ROW_CMD=6
ROW_MARKER=7
ROW_SPIELE=2
ROW_SYSTEM=4

fail() {
    echo "  failed: $*"
    return 1
}

# 1. A click on a folder expands it and the window stays; a second click collapses it.
scenario_folder_click() {
    start_menu || fail "no window" || return 1
    point_row $ROW_ZUBEHOER
    tree_shot /tmp/e2e-before.png
    click_row $ROW_ZUBEHOER
    sleep 0.5
    tree_shot /tmp/e2e-open.png
    has_menu_window || fail "the window closed on a folder click" || return 1
    [ "$(differing /tmp/e2e-before.png /tmp/e2e-open.png)" -gt 3000 ] || fail "the folder did not open" || return 1
    # The new rows are the folder's three shortcuts: the row below the folder changed.
    click_row $ROW_ZUBEHOER
    sleep 0.5
    tree_shot /tmp/e2e-closed.png
    has_menu_window || fail "the window closed on the second click" || return 1
    [ "$(differing /tmp/e2e-before.png /tmp/e2e-closed.png)" -lt 1000 ] || fail "the folder did not close" || return 1
    stop_menu
}

# 2. A click on an entry launches it, the window closes, the process exits with 0; with
#    "AddMenuSelection" the entry lands in links.dat once, also after a second launch.
scenario_launch() {
    wine reg add 'HKCU\Software\Corvath\Nimbrel\1.0\Options' /v AddMenuSelection /t REG_DWORD /d 1 /f >/dev/null 2>&1
    for round in 1 2; do
        start_menu || fail "no window (round $round)" || return 1
        click_row $ROW_MARKER
        local code
        menu_exit_code
        code=$?
        [ "$code" -eq 0 ] || fail "exit code $code (round $round)" || return 1
        wait_for 100 test -s "$MARKER_UNIX" || fail "the entry was not started (round $round)" || return 1
        wineserver -w
    done
    [ "$(grep -c 'gestartet' "$MARKER_UNIX")" -eq 2 ] || fail "not two launches: $(cat "$MARKER_UNIX")" || return 1
    local links
    links=$(iconv -f WINDOWS-1252 -t UTF-8 "$DATA_UNIX/links.dat" 2>/dev/null | tr -d '\r')
    local expected=$'Marker starten\tC:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\Marker starten.lnk'
    [ "$links" = "$expected" ] || fail "links.dat holds: $links" || return 1
}

# 3. Activating another window closes the menu; while a dialog opened from it shows, it stays.
scenario_activation() {
    start_menu || fail "no window" || return 1
    # The platform's delete confirmation is a dialog of the menu's own command.
    point_row $ROW_CMD
    xdotool click 3
    sleep 0.5
    shot "$SHOTS/e2e-context-menu.png"
    xdotool key Up Up Return
    sleep 1
    shot /tmp/e2e-after-delete.png
    wait_for 100 bash -c 'xdotool search --name "Datei löschen|Delete|Confirm" >/dev/null 2>&1' ||
        fail "no confirmation dialog" || return 1
    has_menu_window || fail "the menu closed while its dialog showed" || return 1
    xdotool key Escape
    sleep 1
    has_menu_window || fail "the menu closed after the cancelled dialog" || return 1
    [ -e "$PROGRAMS_UNIX/Eingabeaufforderung.lnk" ] || fail "a cancelled delete deleted" || return 1
    activate_other_window
    local code
    menu_exit_code
    code=$?
    kill "$OTHER_PID" 2>/dev/null
    [ "$code" -eq 0 ] || fail "the menu did not end when another window was activated ($code)" || return 1
}

scenarios=(scenario_folder_click scenario_launch scenario_activation)

mkdir -p "$SHOTS"
make_template
passed=0
failed=0
for scenario in "${scenarios[@]}"; do
    if [ $# -gt 0 ] && [[ $scenario != *"$1"* ]]; then continue; fi
    echo "[ RUN  ] $scenario"
    reset_prefix
    if "$scenario"; then
        echo "[  OK  ] $scenario"
        passed=$((passed + 1))
    else
        echo "[ FAIL ] $scenario"
        shot "$SHOTS/e2e-failed-$scenario.png"
        failed=$((failed + 1))
    fi
    stop_menu
done
wineserver -k >/dev/null 2>&1 || true
echo "e2e: $passed passed, $failed failed"
[ $failed -eq 0 ]
