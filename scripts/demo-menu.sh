# Sourced: fill_demo_menu <prefix> fills the all-users Programs folder of a Wine prefix with a
# small menu of folders and shortcuts (written by the shell's own link object) to programs that
# every prefix has, with German names.
fill_demo_menu() {
    local programs="C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs"
    local unix="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs"
    local shortcut="build/mingw/tests/MakeShortcut.exe"
    mkdir -p "$unix/Zubehör" "$unix/Spiele" "$unix/Systemprogramme"
    wine "$shortcut" "$programs\\Zubehör\\Editor.lnk" 'C:\windows\notepad.exe'
    wine "$shortcut" "$programs\\Zubehör\\Taschenrechner.lnk" 'C:\windows\system32\calc.exe'
    wine "$shortcut" "$programs\\Zubehör\\Schriftzeichen.lnk" 'C:\windows\system32\charmap.exe'
    wine "$shortcut" "$programs\\Spiele\\Minensucher.lnk" 'C:\windows\system32\winemine.exe'
    wine "$shortcut" "$programs\\Systemprogramme\\Wine-Konfiguration.lnk" 'C:\windows\system32\winecfg.exe'
    wine "$shortcut" "$programs\\Systemprogramme\\Registrierungs-Editor.lnk" 'C:\windows\regedit.exe'
    wine "$shortcut" "$programs\\Über Wine.lnk" 'C:\windows\system32\winver.exe'
    wine "$shortcut" "$programs\\Eingabeaufforderung.lnk" 'C:\windows\system32\cmd.exe'
    wineserver -w
}
