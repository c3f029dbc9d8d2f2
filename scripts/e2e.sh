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
# With "Zubehör" open: its folder "Werkzeug", then "Editor" and "Marker eins"; with "Werkzeug"
# and its "Größen" open too, "Märker tief" three folders down.
ROW_WERKZEUG=6
ROW_GROESSEN=7
ROW_TIEF=8
ROW_EINS=8

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
    # The folder's three shortcuts appear below it.
    wait_for 50 tree_differs /tmp/e2e-before.png gt 3000 /tmp/e2e-open.png || fail "the folder did not open" || return 1
    shot "$SHOTS/e2e-folder-open.png"
    has_menu_window || fail "the window closed on a folder click" || return 1
    click_row $ROW_ZUBEHOER
    wait_for 50 tree_differs /tmp/e2e-before.png lt 1000 /tmp/e2e-closed.png || fail "the folder did not close" || return 1
    has_menu_window || fail "the window closed on the second click" || return 1
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
    wineserver -k >/dev/null 2>&1
    [ "$code" -eq 0 ] || fail "the menu did not end when another window was activated ($code)" || return 1
}


# Closes the menu the way a user does: another window takes the activation. Returns its exit code.
close_menu() {
    activate_other_window
    local code
    menu_exit_code
    code=$?
    [ $code -eq 0 ] || shot "$SHOTS/e2e-not-closed.png"
    # The other window's program ends with the prefix's server; the registry is written then.
    wineserver -k >/dev/null 2>&1
    wait "$OTHER_PID" 2>/dev/null
    return $code
}

# Opens the tree's context menu and picks the item n steps down from the top.
context_menu_pick() {
    point_row 1
    xdotool click 3
    sleep 0.5
    for _ in $(seq 1 "$1"); do xdotool key Down; done
    xdotool key Return
    sleep 0.5
}

OPTIONS='HKCU\Software\Corvath\Nimbrel\1.0\Options'

# 5. "Aktueller Benutzer" and "Große Schrift" are stored at exit; stored sizes are made valid.
scenario_options() {
    start_menu || fail "no window" || return 1
    context_menu_pick 2
    context_menu_pick 5
    close_menu || fail "the menu did not end" || return 1
    [ "$(reg_value "$OPTIONS" ShellStartMenuFolderIndex)" = "0x0" ] || fail "folder index not 0" || return 1
    [ "$(reg_value "$OPTIONS" ShellStartMenuFolderSize)" = "0xc" ] || fail "size not 12" || return 1
    local stored expected
    for pair in 9:0x8 100:0xc; do
        stored=${pair%%:*} expected=${pair##*:}
        wine reg add "$OPTIONS" /v ShellStartMenuFolderSize /t REG_DWORD /d "$stored" /f >/dev/null 2>&1
        start_menu || fail "no window for size $stored" || return 1
        close_menu || fail "the menu did not end" || return 1
        [ "$(reg_value "$OPTIONS" ShellStartMenuFolderSize)" = "$expected" ] ||
            fail "size $stored came back as $(reg_value "$OPTIONS" ShellStartMenuFolderSize)" || return 1
    done
}

# 5b. The user's picture has no window of its own: a right click over it still opens the menu,
#     through the window it is painted on ("Mittlere Schrift", stored at exit).
scenario_picture_menu() {
    start_menu || fail "no window" || return 1
    window_geometry
    # The picture's designed client rectangle: 347, 8, 168 x 98.
    xdotool mousemove $((WX + 4 + 347 + 84)) $((WY + 20 + 8 + 49))
    sleep 0.3
    xdotool click 3
    sleep 0.5
    shot "$SHOTS/e2e-picture-menu.png"
    for _ in 1 2 3 4; do xdotool key Down; done
    xdotool key Return
    sleep 0.5
    close_menu || fail "the menu did not end" || return 1
    [ "$(reg_value "$OPTIONS" ShellStartMenuFolderSize)" = "0xa" ] ||
        fail "size after the picture's menu: $(reg_value "$OPTIONS" ShellStartMenuFolderSize)" || return 1
}

# True when a w x h box of the picture at (x, y) holds a white pixel (a control's border).
white_near() {
    convert "$1" -crop "${4}x${5}+${2}+${3}" -depth 8 txt:- 2>/dev/null |
        sed -nE 's/^[0-9]+,[0-9]+: *\(([0-9]+),([0-9]+),([0-9]+).*/\1 \2 \3/p' |
        awk '$1 >= 230 && $2 >= 230 && $3 >= 230 { found = 1 } END { exit !found }'
}

# A drag with the left button in paced steps, as a hand makes it: from (x, y) by (dx, dy).
drag() {
    local x=$1 y=$2 dx=$3 dy=$4
    xdotool mousemove "$x" "$y"
    sleep 0.2
    xdotool mousedown 1
    sleep 0.2
    for step in 1 2 3 4; do
        xdotool mousemove $((x + dx * step / 4)) $((y + dy * step / 4))
        sleep 0.1
    done
    xdotool mouseup 1
    sleep 0.5
    # Under Wine without a window manager a window keeps the pointer after a move or size of its
    # frame until the next click; a click on the user picture (which does nothing) ends that.
    window_geometry
    xdotool mousemove $((WX + WW - 90)) $((WY + 70)) click 1
    sleep 0.3
}

# 6. A moved and resized window comes back at the same place and size; the tree and the column
#    on the right follow the window's edges.
scenario_placement() {
    start_menu || fail "no window" || return 1
    window_geometry
    drag $((WX + 150)) $((WY + 8)) 60 50
    window_geometry
    local moved_x=$WX moved_y=$WY
    [ $((moved_x)) -ge 40 ] || fail "the window did not move ($WX,$WY)" || return 1
    drag $((WX + WW - 2)) $((WY + WH - 2)) 80 60
    window_geometry
    local width=$WW height=$WH
    [ "$width" -ge 580 ] || fail "the window did not grow ($WW x $WH)" || return 1
    shot /tmp/e2e-resized.png
    # The tree's right border keeps 178 pixels to the window's right edge, its bottom 14 to the
    # bottom; the version line stays at the bottom right.
    white_near /tmp/e2e-resized.png $((WX + WW - 182)) $((WY + 200)) 8 1 ||
        fail "the tree did not follow the right edge" || return 1
    white_near /tmp/e2e-resized.png $((WX + 100)) $((WY + WH - 18)) 1 8 ||
        fail "the tree did not follow the bottom edge" || return 1
    close_menu
    local code=$?
    [ $code -eq 0 ] || fail "the menu did not end well ($code)" || return 1
    start_menu || fail "no window on the second start" || return 1
    window_geometry
    [ "$WX" -eq "$moved_x" ] && [ "$WY" -eq "$moved_y" ] && [ "$WW" -eq "$width" ] && [ "$WH" -eq "$height" ] ||
        fail "came back at $WX,$WY $WW x $WH, not $moved_x,$moved_y $width x $height" || return 1
    shot "$SHOTS/e2e-placement.png"
}

# 7. With no usable data directory the folder dialog appears; cancelling it ends the program
#    with no main window and exit code 0, and nothing is written.
scenario_no_data_directory() {
    wine reg add 'HKLM\Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders' \
        /v "Common AppData" /t REG_SZ /d 'C:\fehlt' /f >/dev/null 2>&1
    mkdir -p "$WINEPREFIX/drive_c/app"
    cp "$MENU_EXE" "$WINEPREFIX/drive_c/app/nimbrel.exe"
    echo "kein Ordner" >"$WINEPREFIX/drive_c/app/Corvath"
    wine 'C:\app\nimbrel.exe' >/dev/null 2>&1 &
    MENU_PID=$!
    wait_for 300 bash -c 'xdotool search --onlyvisible --name "Applikationspfad" >/dev/null 2>&1' ||
        fail "no folder dialog" || return 1
    shot "$SHOTS/e2e-folder-dialog.png"
    no_menu_window || fail "the main window showed" || return 1
    xdotool key Escape
    local code
    menu_exit_code
    code=$?
    [ "$code" -eq 0 ] || fail "exit code $code" || return 1
    wineserver -w
    ! wine reg query 'HKCU\Software\Corvath' >/dev/null 2>&1 || fail "the registry was written" || return 1
    [ -z "$(find "$WINEPREFIX/drive_c" -name links.dat 2>/dev/null)" ] || fail "a links.dat was written" || return 1
    [ "$(cat "$WINEPREFIX/drive_c/app/Corvath")" = "kein Ordner" ] || fail "the file beside it changed" || return 1
}

# 10. A damaged links.dat does not stop the menu: it shows, and its entries are the file's lines.
scenario_damaged_links() {
    mkdir -p "$DATA_UNIX"
    local variant
    for variant in random bom long; do
        case $variant in
            random) head -c 4096 /dev/urandom >"$DATA_UNIX/links.dat" ;;
            bom) printf '\xff\xfe' >"$DATA_UNIX/links.dat" ;;
            long) { printf 'Lang\t'; head -c 1048576 /dev/zero | tr '\0' 'x'; printf '\r\n'; } >"$DATA_UNIX/links.dat" ;;
        esac
        start_menu || fail "no window with a $variant links.dat" || return 1
        close_menu || fail "the menu did not end ($variant)" || return 1
        [ -e "$DATA_UNIX/links.dat" ] || fail "links.dat is gone ($variant)" || return 1
    done
    # The long line came back whole.
    [ "$(stat -c %s "$DATA_UNIX/links.dat")" -ge 1048576 ] || fail "the long line was cut" || return 1
}

# 4. Dragging an entry onto a folder moves the file; dropping it on itself does nothing; a
#    movement of 10 pixels starts no drag.
scenario_drag() {
    start_menu || fail "no window" || return 1
    local x
    x=$(row_x)
    # 10 pixels to the right on a folder, and release: no drag, nothing moves.
    xdotool mousemove "$x" "$(row_y $ROW_SPIELE)"
    sleep 0.3
    xdotool mousedown 1
    sleep 0.2
    xdotool mousemove $((x + 5)) "$(row_y $ROW_SPIELE)"
    sleep 0.1
    xdotool mousemove $((x + 10)) "$(row_y $ROW_SPIELE)"
    sleep 0.2
    xdotool mouseup 1
    sleep 1.5
    has_menu_window || fail "the window closed" || return 1
    [ -d "$PROGRAMS_UNIX/Spiele" ] || fail "the folder moved" || return 1
    # The folder may have opened: start from a fresh window for the real drags.
    stop_menu
    start_menu || fail "no window for the drag" || return 1
    # The entry onto itself: a drag that ends where it began moves nothing.
    drag_rows $ROW_MARKER $ROW_MARKER 30
    [ -e "$PROGRAMS_UNIX/Marker starten.lnk" ] || fail "a drop on itself moved the entry" || return 1
    # The entry onto a folder.
    drag_rows $ROW_MARKER $ROW_SPIELE 0
    wait_for 50 test -e "$PROGRAMS_UNIX/Spiele/Marker starten.lnk" || fail "the entry was not moved" || return 1
    [ ! -e "$PROGRAMS_UNIX/Marker starten.lnk" ] || fail "the entry is still in its old folder" || return 1
    has_menu_window || fail "the window closed during the drag" || return 1
}

# Presses on one row (of a level), moves in steps to another (and dx to the side), releases there.
drag_rows() {
    local from=$1 to=$2 dx=$3 x
    x=$(row_x "${4:-1}")
    xdotool mousemove "$x" "$(row_y "$from")"
    sleep 0.3
    xdotool mousedown 1
    sleep 0.2
    local y0 y1
    y0=$(row_y "$from")
    y1=$(row_y "$to")
    for step in 1 2 3 4 5 6; do
        xdotool mousemove $((x + 25 * step / 6)) $((y0 + (y1 - y0) * step / 6))
        sleep 0.15
    done
    xdotool mousemove $((x + dx)) "$y1"
    sleep 0.3
    xdotool mouseup 1
    # The end of a drag keeps the window open for a second.
    sleep 1.5
}

# Deletes the entry under the pointer by the context menu's "Löschen" and the platform's
# confirmation.
delete_pointed_entry() {
    xdotool click 3
    sleep 0.5
    xdotool key Up Up Return
    wait_for 100 bash -c 'xdotool search --onlyvisible --name "Datei löschen|Delete|Confirm" >/dev/null 2>&1' ||
        fail "no confirmation" || return 1
    xdotool key Return
}

# 8. "Löschen" deletes an entry after the platform's confirmation; the tree refreshes.
scenario_delete() {
    start_menu || fail "no window" || return 1
    point_row $ROW_CMD
    tree_shot /tmp/e2e-before-delete.png
    delete_pointed_entry || return 1
    wait_for 50 test ! -e "$PROGRAMS_UNIX/Eingabeaufforderung.lnk" || fail "the entry was not deleted" || return 1
    point_row $ROW_CMD
    wait_for 50 tree_differs /tmp/e2e-before-delete.png gt 300 /tmp/e2e-after-delete.png ||
        fail "the tree did not refresh" || return 1
    has_menu_window || fail "the menu closed" || return 1
}

# 9. The links menu with three entries shows three items with names and icons; a click opens
#    the entry's file.
scenario_links_menu() {
    local tools="$WINEPREFIX/drive_c/e2e-tools"
    cp "$tools/Marker.exe" "$tools/Eins.exe"
    cp "$tools/Marker.exe" "$tools/Zwei.exe"
    cp "$tools/Marker.exe" "$tools/Drei.exe"
    mkdir -p "$DATA_UNIX"
    printf 'Eins\tC:\\e2e-tools\\Eins.exe\r\nZwei\tC:\\e2e-tools\\Zwei.exe\r\nDrei\tC:\\e2e-tools\\Drei.exe\r\n' \
        >"$DATA_UNIX/links.dat"
    start_menu || fail "no window" || return 1
    window_geometry
    # The arrow button: client (384, 423), 41 x 28; the client area starts 4 right, 20 down.
    local bx=$((WX + 4 + 384 + 20)) by=$((WY + 20 + 423 + 14))
    xdotool mousemove "$bx" "$by"
    sleep 0.3
    xdotool click 1
    # The third item: three rows below the pointer, once the menu shows.
    LINKS_BX=$bx LINKS_BY=$by
    wait_for 50 links_menu_shown || fail "no menu at the pointer" || return 1
    local item_h=$ITEM_H
    xdotool mousemove $((bx + 40)) $((by + item_h * 2 + item_h / 2))
    sleep 0.3
    xdotool click 1
    wait_for 100 test -s "$MARKER_UNIX" || fail "no entry was opened" || return 1
    grep -q 'Drei.exe' "$MARKER_UNIX" || fail "the third item opened $(cat "$MARKER_UNIX")" || return 1
}

links_menu_shown() {
    shot "$SHOTS/e2e-links-menu.png"
    ITEM_H=$(menu_item_height "$SHOTS/e2e-links-menu.png" "$LINKS_BX" "$LINKS_BY")
    [ "${ITEM_H:-0}" -ge 12 ]
}

# The height of the popup menu's items below a point: the menu is a light box with three rows,
# measured as a third of its height.
menu_item_height() {
    local file=$1 x=$(($2 + 40)) y=$3
    local light
    light=$(convert "$file" -crop "1x200+${x}+${y}" -depth 8 txt:- 2>/dev/null |
        sed -nE 's/^[0-9]+,([0-9]+): *\(([0-9]+),([0-9]+),([0-9]+).*/\1 \2 \3 \4/p' |
        awk '$2 > 150 && $3 > 150 && $4 > 150 { print $1 }' | tail -1)
    [ -n "$light" ] && echo $(((light + 1) / 3))
}

# 11. After several clicks, an entry three folders down and one folder down launches: the window
#     closes, the exit code is 0, and links.dat holds both, umlauts and all.
scenario_launch_nested() {
    wine reg add 'HKCU\Software\Corvath\Nimbrel\1.0\Options' /v AddMenuSelection /t REG_DWORD /d 1 /f >/dev/null 2>&1
    start_menu || fail "no window" || return 1
    # A folder opened and closed first.
    click_row $ROW_SPIELE
    sleep 0.5
    click_row $ROW_SPIELE
    sleep 0.5
    local level=1
    for row in $ROW_ZUBEHOER $ROW_WERKZEUG $ROW_GROESSEN; do
        click_row "$row" $level
        sleep 0.7
        has_menu_window || fail "the window closed on the folder of row $row" || return 1
        level=$((level + 1))
    done
    shot "$SHOTS/e2e-three-folders-down.png"
    click_row $ROW_TIEF 4
    local code
    menu_exit_code
    code=$?
    [ "$code" -eq 0 ] || fail "exit code $code after the entry three folders down" || return 1
    wait_for 100 grep -q 'tief' "$MARKER_UNIX" || fail "the entry three folders down was not started" || return 1
    wineserver -w
    start_menu || fail "no window for the second round" || return 1
    click_row $ROW_ZUBEHOER
    sleep 0.7
    click_row $ROW_EINS 2
    menu_exit_code
    code=$?
    [ "$code" -eq 0 ] || fail "exit code $code after the entry one folder down" || return 1
    wait_for 100 grep -q 'eins' "$MARKER_UNIX" || fail "the entry one folder down was not started" || return 1
    wineserver -w
    [ "$(grep -c 'Marker.exe' "$MARKER_UNIX")" -eq 2 ] || fail "not two launches: $(cat "$MARKER_UNIX")" || return 1
    local links programs='C:\ProgramData\Microsoft\Windows\Start Menu\Programs'
    links=$(iconv -f WINDOWS-1252 -t UTF-8 "$DATA_UNIX/links.dat" 2>/dev/null | tr -d '\r')
    local expected
    expected=$(printf 'Märker tief\t%s\\Zubehör\\Werkzeug\\Größen\\Märker tief.lnk\nMarker eins\t%s\\Zubehör\\Marker eins.lnk' \
        "$programs" "$programs")
    [ "$links" = "$expected" ] || fail "links.dat holds: $links" || return 1
}

# 12. A drag out of a subfolder moves exactly the dragged entry; the tree shows it in its new
#     folder, from where it launches.
scenario_drag_nested() {
    start_menu || fail "no window" || return 1
    local level=1
    for row in $ROW_ZUBEHOER $ROW_WERKZEUG $ROW_GROESSEN; do
        click_row "$row" $level
        sleep 0.7
        level=$((level + 1))
    done
    point_row $ROW_TIEF 4
    drag_rows $ROW_TIEF $ROW_SPIELE 0 4
    local programs=$PROGRAMS_UNIX
    wait_for 50 test -e "$programs/Spiele/Märker tief.lnk" || fail "the entry was not moved" || return 1
    [ ! -e "$programs/Zubehör/Werkzeug/Größen/Märker tief.lnk" ] || fail "the entry is still in its folder" || return 1
    [ -d "$programs/Zubehör/Werkzeug/Größen" ] || fail "its folder went with it" || return 1
    [ -d "$programs/Zubehör/Werkzeug" ] || fail "the folder above went with it" || return 1
    menu_running || fail "the program ended" || return 1
    has_menu_window || fail "the window closed" || return 1
    shot "$SHOTS/e2e-drag-nested.png"
    # "Spiele" opened shows it first ("Märker tief" before "Minensucher"); a click starts it.
    click_row $ROW_SPIELE
    sleep 0.7
    click_row $((ROW_SPIELE + 1)) 2
    wait_for 100 grep -q 'tief' "$MARKER_UNIX" || fail "the moved entry is not where the tree shows it" || return 1
}

# 13. The drag threshold across rows: a press on an entry and a move of exactly 10 pixels down
#     into the folder below moves nothing; 11 pixels move the entry into that folder.
scenario_drag_threshold() {
    start_menu || fail "no window" || return 1
    click_row $ROW_SPIELE
    sleep 0.7
    local x y below
    x=$(row_x 2)
    # Two pixels above the bottom of the entry's row: the folder's row begins 3 pixels lower.
    y=$((ROW_TOP + (ROW_SPIELE + 2) * ROW_H - 3))
    below=$(basename "$(find "$PROGRAMS_UNIX" -mindepth 1 -maxdepth 1 -type d | sort | sed -n 3p)")
    for distance in 10 11; do
        xdotool mousemove "$x" "$y"
        sleep 0.3
        xdotool mousedown 1
        sleep 0.2
        xdotool mousemove "$x" $((y + distance / 2))
        sleep 0.1
        xdotool mousemove "$x" $((y + distance))
        sleep 0.3
        xdotool mouseup 1
        sleep 1.5
        if [ "$distance" -eq 10 ]; then
            [ -e "$PROGRAMS_UNIX/Spiele/Minensucher.lnk" ] || fail "a move of 10 pixels moved the entry" || return 1
            has_menu_window || fail "the window closed" || return 1
        fi
    done
    wait_for 30 bash -c '! test -e "$0/Spiele/Minensucher.lnk"' "$PROGRAMS_UNIX" ||
        fail "a move of 11 pixels did not move the entry" || return 1
    [ -n "$(find "$PROGRAMS_UNIX" -mindepth 2 -name Minensucher.lnk -not -path '*/Spiele/*')" ] ||
        fail "the entry is nowhere (the folder below was $below)" || return 1
}

# 14. The window is topmost after it shows, seen from another process, and has the modal frame.
scenario_topmost() {
    start_menu || fail "no window" || return 1
    wait_for 50 menu_is_topmost || fail "not topmost: extended style $(menu_exstyle)" || return 1
    [ $((0x$(menu_exstyle) & 0x81)) -eq $((0x81)) ] || fail "no tool window with a modal frame: $(menu_exstyle)" || return 1
}

# 15. The placement is written at every move: moved, then ended hard, the menu comes back there.
scenario_placement_hard_end() {
    start_menu || fail "no window" || return 1
    window_geometry
    drag $((WX + 150)) $((WY + 8)) 80 40
    window_geometry
    local moved_x=$WX moved_y=$WY
    [ "$moved_x" -ge 60 ] || fail "the window did not move ($WX,$WY)" || return 1
    pkill -9 -f 'nimbrel.exe' || fail "no process to end" || return 1
    wait_for 100 menu_ended || fail "the process did not end" || return 1
    start_menu || fail "no window on the second start" || return 1
    window_geometry
    [ "$WX" -eq "$moved_x" ] && [ "$WY" -eq "$moved_y" ] || fail "came back at $WX,$WY, not $moved_x,$moved_y" || return 1
}

# Clicks one of the four captioned buttons (its designed top) and waits for the menu's end;
# fails unless the exit code is 0.
button_ends_menu() {
    click_control 347 "$1" 160 41
    local code
    menu_exit_code
    code=$?
    [ "$code" -eq 0 ] || fail "exit code $code after the $2 button"
}

# A visible window's title matches an extended regular expression (case ignored).
title_shows() { window_titles | grep -qiE "$1"; }

# 16. The control-panel, information and run buttons each close the menu (exit code 0) and start
#     their program: the control panel, the system's about box (its real name, no "MZ"), and
#     "run.exe" beside the program (a stand-in that marks its start).
scenario_buttons() {
    start_menu || fail "no window" || return 1
    button_ends_menu 200 "control panel" || return 1
    wait_for 100 title_shows 'control|systemsteuerung' || fail "no control panel: $(window_titles)" || return 1
    wineserver -k >/dev/null 2>&1
    start_menu || fail "no window for information" || return 1
    button_ends_menu 248 "information" || return 1
    wait_for 100 title_shows 'Wine' || fail "no about box: $(window_titles)" || return 1
    shot "$SHOTS/e2e-information.png"
    ! title_shows 'MZ' || fail "a title holds MZ: $(window_titles)" || return 1
    wineserver -k >/dev/null 2>&1
    mkdir -p "$WINEPREFIX/drive_c/app"
    cp "$MENU_EXE" "$WINEPREFIX/drive_c/app/nimbrel.exe"
    cp "$WINEPREFIX/drive_c/e2e-tools/Marker.exe" "$WINEPREFIX/drive_c/app/run.exe"
    start_menu 'C:\app\nimbrel.exe' || fail "no window for run" || return 1
    button_ends_menu 304 "run" || return 1
    wait_for 100 grep -qi 'run.exe' "$MARKER_UNIX" || fail "run.exe was not started" || return 1
}

FOLDER_DIALOG='Ordner erstellen'
LINK_DIALOG='Dateilinks verwalten'

# Points at a row, clicks "Ordner erstellen", types a name into the dialog and takes it with Enter.
# Fails when no dialog showed, when the menu closed meanwhile, or when the dialog stayed.
create_folder_named() {
    point_row "$1"
    click_control 347 352 160 41
    wait_for 100 has_dialog "$FOLDER_DIALOG" || fail "no dialog" || return 1
    shot "$SHOTS/e2e-folder-dialog.png"
    has_menu_window || fail "the menu closed while the dialog showed" || return 1
    xdotool type --delay 80 "$2"
    sleep 0.3
    xdotool key Return
    wait_for 50 no_dialog "$FOLDER_DIALOG" || fail "the dialog stayed" || return 1
    has_menu_window || fail "the menu closed with the dialog" || return 1
}

# 17. "Ordner erstellen": a name makes the folder in the selected menu folder, and beside a
#     selected entry, and the tree shows it; a device name makes nothing; with no selection no
#     dialog shows; the menu stays open meanwhile and closes on the next loss of activation.
scenario_create_folder() {
    start_menu || fail "no window" || return 1
    point_row $ROW_ZUBEHOER
    tree_shot /tmp/e2e-before-folder.png
    create_folder_named $ROW_ZUBEHOER "Kartenspiele" || return 1
    wait_for 50 test -d "$PROGRAMS_UNIX/Zubehör/Kartenspiele" || fail "no folder in Zubehör" || return 1
    # The tree refreshed and opened the folder: its entries and the new folder show below it.
    point_row $ROW_ZUBEHOER
    wait_for 50 tree_differs /tmp/e2e-before-folder.png gt 3000 /tmp/e2e-after-folder.png ||
        fail "the tree does not show the new folder" || return 1
    shot "$SHOTS/e2e-folder-made.png"
    create_folder_named $ROW_SPIELE "CON" || return 1
    [ -z "$(find "$PROGRAMS_UNIX" -iname 'con*')" ] || fail "a device name made $(find "$PROGRAMS_UNIX" -iname 'con*')" || return 1
    [ -z "$(find "$DATA_UNIX" -mindepth 1 -type d)" ] || fail "left in the data directory: $(find "$DATA_UNIX" -mindepth 1)" || return 1
    close_menu || fail "the menu did not close on the loss of activation after the dialog" || return 1

    start_menu || fail "no window for the second run" || return 1
    create_folder_named $ROW_MARKER "Neben dem Marker" || return 1
    wait_for 50 test -d "$PROGRAMS_UNIX/Neben dem Marker" || fail "no folder beside the entry" || return 1
    [ -f "$PROGRAMS_UNIX/Marker starten.lnk" ] || fail "the entry is gone" || return 1
    close_menu || fail "the menu did not close (second run)" || return 1

    # The selected entry deleted: the refreshed tree selects nothing until the pointer is on it
    # again, and the pointer goes straight to the button. The new folder is a row above it.
    start_menu || fail "no window for the third run" || return 1
    point_row $((ROW_CMD + 1))
    delete_pointed_entry || return 1
    wait_for 50 test ! -e "$PROGRAMS_UNIX/Eingabeaufforderung.lnk" || fail "the entry was not deleted" || return 1
    sleep 0.5
    shot "$SHOTS/e2e-folder-no-selection.png"
    click_control 347 352 160 41
    ! wait_for 30 has_dialog "$FOLDER_DIALOG" || fail "a dialog showed without a selection" || return 1
    has_menu_window || fail "the menu closed on the button" || return 1
    close_menu || fail "the menu did not close (third run)" || return 1
}

# The links list as links.dat holds it, lines joined by "|".
links_file() { iconv -f WINDOWS-1252 -t UTF-8 "$DATA_UNIX/links.dat" 2>/dev/null | tr -d '\r' | paste -sd '|'; }

# 18. The link manager: a file chosen in its browser is added, links are moved and removed, the
#     check box switches "AddMenuSelection"; on closing the links are what it showed, and at exit
#     links.dat holds them, "LinkDirectory" the browsed folder and the option its state. The menu
#     stays open while the dialog shows and closes on the next loss of activation.
scenario_link_manager() {
    local tools="$WINEPREFIX/drive_c/e2e-tools"
    cp "$tools/Marker.exe" "$tools/Eins.exe"
    cp "$tools/Marker.exe" "$tools/Zwei.exe"
    mkdir -p "$DATA_UNIX"
    printf 'Eins\tC:\\e2e-tools\\Eins.exe\r\nkaputt\r\nZwei\tC:\\e2e-tools\\Zwei.exe\r\n' >"$DATA_UNIX/links.dat"
    start_menu || fail "no window" || return 1
    click_control 432 423 41 28
    wait_for 100 has_dialog "$LINK_DIALOG" || fail "no dialog: $(window_titles)" || return 1
    has_menu_window || fail "the menu closed while the dialog showed" || return 1
    sleep 0.5
    # The browser: focus the folder tree (its empty lower part) and find the tools' folder by
    # typing its name; the file list follows. Then the marker program in the file list.
    click_in_dialog 200 300
    xdotool type --delay 60 "e2e-tools"
    sleep 1.5
    click_in_dialog 900 300
    xdotool type --delay 60 "Marker"
    sleep 0.5
    shot "$SHOTS/e2e-link-browser.png"
    click_in_dialog 24 660   # add
    # The links: Eins, Zwei, Marker. The first up goes to the end: Zwei, Marker, Eins.
    click_in_dialog 600 600
    xdotool key Home
    sleep 0.3
    click_in_dialog 112 659  # up
    # Marker, now second, removed: Zwei, Eins.
    click_in_dialog 600 600
    xdotool key Home Down
    sleep 0.3
    click_in_dialog 64 660   # remove
    click_in_dialog 272 660  # the check box
    shot "$SHOTS/e2e-link-manager.png"
    click_in_dialog 947 659  # "Schließen"
    wait_for 50 no_dialog "$LINK_DIALOG" || fail "the dialog stayed" || return 1
    has_menu_window || fail "the menu closed with the dialog" || return 1
    close_menu || fail "the menu did not close on the loss of activation after the dialog" || return 1
    local links
    links=$(links_file)
    [ "$links" = $'Zwei\tC:\\e2e-tools\\Zwei.exe|Eins\tC:\\e2e-tools\\Eins.exe' ] || fail "links.dat holds: $links" || return 1
    [ "$(reg_value "$OPTIONS" LinkDirectory)" = 'C:\e2e-tools' ] ||
        fail "LinkDirectory is $(reg_value "$OPTIONS" LinkDirectory)" || return 1
    [ "$(reg_value "$OPTIONS" AddMenuSelection)" = 0x1 ] ||
        fail "AddMenuSelection is $(reg_value "$OPTIONS" AddMenuSelection)" || return 1
}

RUN_TITLE='Ausführen'
RUN_KEY='HKCU\Software\Corvath\Nimbrel\1.0\Run'

# The run box's process (it runs on its own once the menu started it) has ended.
run_box_ended() { ! pgrep -f 'run.exe' >/dev/null 2>&1; }

# 19. "Ausführen" starts run.exe beside the menu, and the menu closes. A typed program with an
#     argument starts (the marker holds the argument) and is stored; a command that does not exist
#     is told in a box titled with it, the run box stays and the history does not change; the next
#     run box offers the stored command first (Enter starts it again); Esc ends it, nothing stored.
scenario_run_box() {
    mkdir -p "$WINEPREFIX/drive_c/app"
    cp "$MENU_EXE" "$RUN_EXE" "$WINEPREFIX/drive_c/app/"
    start_menu 'C:\app\nimbrel.exe' || fail "no window" || return 1
    button_ends_menu 304 "run" || return 1
    wait_for 150 has_dialog "$RUN_TITLE" || fail "no run box: $(window_titles)" || return 1
    sleep 0.5
    shot "$SHOTS/e2e-run-box.png"
    # A command that does not exist: told, the box stays, nothing stored.
    xdotool type --delay 60 'C:\gibt\es\nicht.exe'
    click_run_ok || return 1
    wait_for 100 has_dialog 'C:\gibt\es\nicht.exe' || fail "no message box: $(window_titles)" || return 1
    shot "$SHOTS/e2e-run-box-failed.png"
    xdotool key Return
    wait_for 50 no_dialog 'C:\gibt\es\nicht.exe' || fail "the message box stayed" || return 1
    has_dialog "$RUN_TITLE" || fail "the run box closed after the failure" || return 1
    [ -z "$(reg_string "$RUN_KEY" MRUList)" ] || fail "a failed command was stored" || return 1
    # The marker with an argument: started, the box ends, the command stored.
    # The failed command is selected in the field: typing replaces it.
    xdotool type --delay 60 'C:\e2e-tools\Marker.exe hallo Welt'
    click_run_ok || return 1
    wait_for 100 grep -q 'Marker.exe hallo Welt' "$MARKER_UNIX" ||
        fail "not started: $(cat "$MARKER_UNIX" 2>/dev/null)" || return 1
    wait_for 100 run_box_ended || fail "the run box did not end" || return 1
    [ "$(reg_string "$RUN_KEY" a)" = 'C:\e2e-tools\Marker.exe hallo Welt' ] ||
        fail "stored: $(reg_string "$RUN_KEY" a)" || return 1
    # The next run box offers it: Enter starts it again.
    wine 'C:\app\run.exe' >/dev/null 2>&1 &
    wait_for 150 has_dialog "$RUN_TITLE" || fail "no second run box" || return 1
    sleep 0.5
    xdotool key Return
    wait_for 100 bash -c "[ \"\$(grep -c 'hallo Welt' '$MARKER_UNIX')\" -eq 2 ]" || fail "the stored command was not offered" || return 1
    wait_for 100 run_box_ended || fail "the second run box did not end" || return 1
    # Esc: nothing started, nothing stored.
    wine 'C:\app\run.exe' >/dev/null 2>&1 &
    wait_for 150 has_dialog "$RUN_TITLE" || fail "no third run box" || return 1
    sleep 0.5
    xdotool type --delay 60 'calc'
    xdotool key Escape
    sleep 0.3
    # The completion may take the first Esc.
    has_dialog "$RUN_TITLE" && xdotool key Escape
    wait_for 100 run_box_ended || fail "Esc did not end the run box" || return 1
    [ "$(reg_string "$RUN_KEY" MRUList)" = a ] || fail "Esc stored: $(reg_string "$RUN_KEY" MRUList)" || return 1
}

# Clicks the run box's OK button.
click_run_ok() {
    dialog_client "$RUN_TITLE" || fail "no run box" || return 1
    click_in_dialog 165 124
}

# 20. The menu by keys: from a row the pointer left, Down and Enter start the next row's entry (the
#     marker runs, the menu ends with 0); Esc ends the menu with 0 and starts nothing.
scenario_keys() {
    start_menu || fail "no window" || return 1
    point_row $ROW_CMD
    xdotool mousemove 1010 750
    sleep 0.3
    xdotool key Down
    sleep 0.3
    shot "$SHOTS/e2e-keys.png"
    xdotool key Return
    local code
    menu_exit_code
    code=$?
    [ "$code" -eq 0 ] || fail "exit code $code after Enter" || return 1
    wait_for 100 grep -q 'gestartet' "$MARKER_UNIX" || fail "Enter started nothing" || return 1
    wineserver -w
    start_menu || fail "no window for Esc" || return 1
    xdotool mousemove 1010 750
    xdotool key Escape
    menu_exit_code
    code=$?
    [ "$code" -eq 0 ] || fail "exit code $code after Esc" || return 1
    [ "$(grep -c 'gestartet' "$MARKER_UNIX")" -eq 1 ] || fail "Esc started something" || return 1
}

# Type-to-find: "zzz" finds nothing, Esc gives the tree back as it was, Esc closes; "edi" and
# Enter start the entry named "Editor" (here pointed at the marker program); Home, Down, Down,
# Enter opens the folder of the menu's third row.
scenario_find() {
    local programs='C:\ProgramData\Microsoft\Windows\Start Menu\Programs'
    wine build/mingw/tests/MakeShortcut.exe "$programs\Zubehör\Editor.lnk" 'C:\e2e-tools\Marker.exe' 'Editor' ||
        fail "no shortcut" || return 1
    start_menu || fail "no window" || return 1
    tree_shot /tmp/nimbrel-e2e-find-before.png
    xdotool type --delay 60 zzz
    sleep 1
    shot "$SHOTS/e2e-find-none.png"
    tree_differs /tmp/nimbrel-e2e-find-before.png gt 500 /tmp/nimbrel-e2e-find-none.png ||
        fail "typing showed no search" || return 1
    xdotool key Escape
    sleep 0.5
    # The same rows, open folders and selection; keys used show the selection's focus frame.
    tree_differs /tmp/nimbrel-e2e-find-before.png lt 60 /tmp/nimbrel-e2e-find-after.png ||
        fail "Esc did not give the tree back as it was" || return 1
    menu_running || fail "the first Esc closed the menu" || return 1
    xdotool key Escape
    local code
    menu_exit_code
    code=$?
    [ "$code" -eq 0 ] || fail "exit code $code after the second Esc" || return 1
    [ ! -s "$MARKER_UNIX" ] || fail "something started" || return 1

    start_menu || fail "no window for the search" || return 1
    xdotool type --delay 60 edi
    sleep 1
    shot "$SHOTS/e2e-find.png"
    xdotool key Return
    menu_exit_code
    code=$?
    [ "$code" -eq 0 ] || fail "exit code $code after Enter" || return 1
    wait_for 100 grep -q 'Editor' "$MARKER_UNIX" || fail "Enter started nothing" || return 1
    no_menu_window || fail "the window stayed" || return 1

    start_menu || fail "no window for the keys" || return 1
    tree_shot /tmp/nimbrel-e2e-keys-before.png
    xdotool key Home Down Down Return
    sleep 0.5
    tree_differs /tmp/nimbrel-e2e-keys-before.png gt 500 /tmp/nimbrel-e2e-keys-after.png ||
        fail "Down Down Enter opened nothing" || return 1
    menu_running || fail "opening a folder closed the menu" || return 1
    [ "$(grep -c 'Editor' "$MARKER_UNIX")" -eq 1 ] || fail "the keys started something" || return 1
}

scenarios=(scenario_folder_click scenario_launch scenario_activation scenario_options scenario_picture_menu
    scenario_placement
    scenario_no_data_directory scenario_damaged_links scenario_drag scenario_delete scenario_links_menu
    scenario_launch_nested scenario_drag_nested scenario_drag_threshold scenario_topmost scenario_placement_hard_end
    scenario_buttons scenario_create_folder scenario_link_manager
    scenario_run_box scenario_keys scenario_find)

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
