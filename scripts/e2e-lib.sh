# Sourced by the end-to-end scenarios: nimbrel.exe under Wine and Xvfb, driven by real input
# (xdotool) and checked by its effects. Every scenario starts from a fresh copy of a template
# prefix that holds the demo menu, a program that marks its launches and a shortcut to it.

E2E_TEMPLATE="$PWD/build/wineprefix-e2e-template"
export WINEPREFIX="$PWD/build/wineprefix-e2e"
source scripts/wine-env.sh
source scripts/demo-menu.sh

PROGRAMS_UNIX="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs"
DATA_UNIX="$WINEPREFIX/drive_c/ProgramData/Corvath/Nimbrel/1.0"
MARKER_UNIX="$WINEPREFIX/drive_c/e2e/marker.txt"
SHOTS="$PWD/build/artifacts"
MENU_EXE="$PWD/build/mingw/nimbrel.exe"
RUN_EXE="$PWD/build/mingw/run.exe"

make_template() {
    [ -d "$E2E_TEMPLATE/drive_c" ] && return 0
    local keep=$WINEPREFIX
    export WINEPREFIX="$E2E_TEMPLATE"
    fresh_wine_prefix
    fill_demo_menu
    mkdir -p "$WINEPREFIX/drive_c/e2e-tools"
    cp build/mingw/tests/Marker.exe build/mingw/tests/WindowInfo.exe "$WINEPREFIX/drive_c/e2e-tools/"
    local programs='C:\ProgramData\Microsoft\Windows\Start Menu\Programs'
    wine build/mingw/tests/MakeShortcut.exe "$programs\Marker starten.lnk" 'C:\e2e-tools\Marker.exe' 'gestartet'
    # Entries one and three folders down: "Zubehör\Marker eins", "Zubehör\Werkzeug\Größen\Märker tief".
    mkdir -p "$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Zubehör/Werkzeug/Größen"
    wine build/mingw/tests/MakeShortcut.exe "$programs\Zubehör\Marker eins.lnk" 'C:\e2e-tools\Marker.exe' 'eins'
    wine build/mingw/tests/MakeShortcut.exe "$programs\Zubehör\Werkzeug\Größen\Märker tief.lnk" \
        'C:\e2e-tools\Marker.exe' 'tief'
    wineserver -w
    wineserver -k >/dev/null 2>&1 || true
    export WINEPREFIX="$keep"
}

reset_prefix() {
    wineserver -k >/dev/null 2>&1 || true
    rm -rf "$WINEPREFIX"
    cp -a "$E2E_TEMPLATE" "$WINEPREFIX"
    # The tools as built now: a template kept from an earlier build may hold older ones.
    cp build/mingw/tests/Marker.exe build/mingw/tests/WindowInfo.exe "$WINEPREFIX/drive_c/e2e-tools/"
}

# Polls a condition (a command) up to a number of tenths of a second.
wait_for() {
    local tenths=$1
    shift
    for _ in $(seq 1 "$tenths"); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}

# The main window: of the windows named "Nimbrel" (the hidden application window is one), the
# one that has a size.
menu_window() {
    local id
    for id in $(xdotool search --onlyvisible --name '^Nimbrel$' 2>/dev/null); do
        eval "$(xdotool getwindowgeometry --shell "$id" 2>/dev/null)"
        [ "${WIDTH:-0}" -gt 100 ] && { echo "$id"; return; }
    done
}
has_menu_window() { [ -n "$(menu_window)" ]; }
no_menu_window() { [ -z "$(menu_window)" ]; }
menu_running() { kill -0 "$MENU_PID" 2>/dev/null; }
menu_ended() { ! menu_running; }

# Starts the menu from a folder (the executable's folder, default the build's) and waits for its
# window; MENU_PID is the Wine process.
start_menu() {
    local exe=${1:-$MENU_EXE}
    # The pointer away from where the window shows: the selection follows it over the tree.
    xdotool mousemove 1010 750
    wine "$exe" >/dev/null 2>&1 &
    MENU_PID=$!
    wait_for 300 has_menu_window || return 1
    WIN=$(menu_window)
    # The first paint and the topmost timer.
    wait_for 30 calibrate
}

# The menu's exit code once it ended (waits up to 20 s); 124 when it did not end.
menu_exit_code() {
    wait_for 200 menu_ended || return 124
    wait "$MENU_PID"
}

stop_menu() {
    kill "$MENU_PID" 2>/dev/null || true
    wineserver -k >/dev/null 2>&1 || true
}

window_geometry() {
    eval "$(xdotool getwindowgeometry --shell "$WIN" 2>/dev/null)"
    WX=$X WY=$Y WW=$WIDTH WH=$HEIGHT
}

shot() { import -window root "$1" 2>/dev/null; }

# The rows of the tree's highlight, as offsets below the caption bar in the column of the names.
highlight_rows() {
    local file=/tmp/nimbrel-e2e-calibrate.png
    shot "$file" || return 1
    # Below the caption bar, which is drawn in a highlight colour too.
    convert "$file" -crop "1x300+$((WX + 120))+$((WY + 24))" -depth 8 txt:- 2>/dev/null |
        sed -nE 's/^([0-9]+),([0-9]+): *\(([0-9]+),([0-9]+),([0-9]+).*/\2 \3 \4 \5/p' |
        awk '$4 > 150 && $2 < 130 && $4 - $2 > 60 { print $1 }'
}

# The tree's rows: the selected first row is drawn in the menu highlight colour and gives the top;
# the pointer on the fourth row below it (the selection follows) gives the rows' pitch, which the
# highlight's own height may miss by a pixel (a pixel a row adds up three folders down).
calibrate() {
    window_geometry || return 1
    local rows
    rows=$(highlight_rows)
    [ -n "$rows" ] || return 1
    ROW_TOP=$((WY + 24 + $(echo "$rows" | head -1)))
    ROW_H=$(($(echo "$rows" | tail -1) - $(echo "$rows" | head -1) + 1))
    [ "$ROW_H" -ge 10 ] && [ "$ROW_H" -le 40 ] || return 1
    xdotool mousemove "$(row_x)" "$(row_y 4)"
    local fourth=""
    for _ in $(seq 1 20); do
        sleep 0.1
        rows=$(highlight_rows)
        [ -n "$rows" ] && [ $((WY + 24 + $(echo "$rows" | head -1))) -gt $((ROW_TOP + ROW_H * 3)) ] && {
            fourth=$((WY + 24 + $(echo "$rows" | head -1)))
            break
        }
    done
    xdotool mousemove 1010 750
    # A tree of fewer rows keeps the highlight's height.
    [ -z "$fourth" ] || ROW_H=$(((fourth - ROW_TOP) / 4))
}

row_y() { echo $((ROW_TOP + $1 * ROW_H + ROW_H / 2)); }
# A point on the name of a row's entry at a level below the root (1: the programs folder's own
# entries), where a hand clicks it: each level is indented by 19 pixels.
row_x() { echo $((WX + 70 + 19 * (${1:-1} - 1))); }

# Points at row n (of level l): the selection follows the mouse.
point_row() {
    xdotool mousemove "$(row_x "${2:-1}")" "$(row_y "$1")"
    sleep 0.3
}

# Points at row n (of level l) and clicks it.
click_row() {
    xdotool mousemove "$(row_x "${2:-1}")" "$(row_y "$1")"
    sleep 0.3
    xdotool click 1
}

# The tree's area of the screen now.
tree_shot() {
    shot /tmp/nimbrel-e2e-full.png
    convert /tmp/nimbrel-e2e-full.png -crop "300x440+$((WX + 14))+$((ROW_TOP))" "$1"
}

# Pixels that differ between two pictures.
differing() { local n; n=$(compare -metric AE "$1" "$2" null: 2>&1 | grep -oE '^[0-9]+' | head -1); echo "${n:-0}"; }

# The tree's area differs from a picture by more (gt) or fewer (lt) pixels than a threshold; the
# current area is left in the given file.
tree_differs() {
    local reference=$1 relation=$2 threshold=$3 current=$4
    tree_shot "$current"
    [ "$(differing "$reference" "$current")" -"$relation" "$threshold" ]
}

# A string value whole, blanks and all (reg_value gives the first word of the data).
reg_string() {
    wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' |
        awk -v n="$2" '$1 == n { sub(/^[ \t]*[^ \t]+[ \t]+REG_[A-Z_]+[ \t]+/, ""); print }'
}

reg_value() {
    wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | awk -v n="$2" '$1 == n { print $3 }'
}

notepad_window() { xdotool search --onlyvisible --name 'Notepad' 2>/dev/null | head -1; }
has_notepad_window() { [ -n "$(notepad_window)" ]; }

# The extended window style of the menu's window, read from another process (hex, empty when
# there is no such window).
menu_exstyle() { wine 'C:\e2e-tools\WindowInfo.exe' exstyle Nimbrel 2>/dev/null | tr -d '\r' | head -1; }
menu_is_topmost() {
    local style
    style=$(menu_exstyle)
    [ -n "$style" ] && [ $((0x$style & 0x8)) -ne 0 ]
}
# The titles of all visible windows of the prefix, a line each.
window_titles() { wine 'C:\e2e-tools\WindowInfo.exe' titles 2>/dev/null | tr -d '\r'; }

# Clicks the centre of a control of the main window given by its designed client rectangle's
# left, top, width and height (the client area starts 4 right of and 20 below the window's corner).
click_control() {
    window_geometry
    xdotool mousemove $((WX + 4 + $1 + $3 / 2)) $((WY + 20 + $2 + $4 / 2))
    sleep 0.3
    xdotool click 1
}

# The client area of a visible window by its title: DX, DY (its corner on the screen), DW, DH.
dialog_client() {
    local area
    area=$(wine 'C:\e2e-tools\WindowInfo.exe' client "$1" 2>/dev/null | tr -d '\r' | head -1)
    [ -n "$area" ] || return 1
    read -r DX DY DW DH <<<"$area"
}
has_dialog() { dialog_client "$1"; }
no_dialog() { ! dialog_client "$1"; }

# Clicks a point of a dialog's client area (dialog_client has found it).
click_in_dialog() {
    xdotool mousemove $((DX + $1)) $((DY + $2))
    sleep 0.3
    xdotool click 1
    sleep 0.3
}

# Another program's window appears and the user clicks into it: the menu loses the activation.
activate_other_window() {
    wine notepad >/dev/null 2>&1 &
    OTHER_PID=$!
    wait_for 200 has_notepad_window || return 1
    local other
    other=$(notepad_window)
    eval "$(xdotool getwindowgeometry --shell "$other" 2>/dev/null)"
    # Its text area, well inside the window (the menu may overlap its other parts).
    xdotool mousemove $((X + 40)) $((Y + 80)) click 1
}
