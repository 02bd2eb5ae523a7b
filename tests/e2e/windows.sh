#!/usr/bin/env bash
# The Windows program from its two downloads, under Wine in a real X server
# (Xvfb with openbox).
# The zip holds the program, with its icon, manifest and version, the DLLs it
# loads, three plugins, a read-me and the licences, nothing else. Unzipped
# into an empty folder, the program writes config.txt beside itself, shows the
# strip at its place, translucent while the pointer is away, off the task bar,
# in front while the pin is pressed; the next start reads the settings back
# from beside the executable.
# The installer, run silently in a fresh Wine prefix, installs the same files
# and its uninstaller for the user into %LOCALAPPDATA%\Programs, with a Start
# menu entry and an entry in "Apps and features". The program started from
# there keeps its texts beside itself: a click on the strip's text box takes
# the keyboard, and a text typed and saved lands in textos\ in Windows-1252.
# An install over it keeps the texts, the settings and the choice of starting
# with Windows; the uninstaller takes away what was installed and nothing else.
#   windows.sh path/to/corvale-scrivulets-<version>-win64.zip [installer]
# The installer is by default the .exe beside the zip.
# WINEPREFIX: the Wine prefix for the zip's program (a new one otherwise, some
# seconds more); the installer always gets a new one.
# WINDOWS_SCREENSHOT: where to write a picture of the strip and the save window.
#
# Wine hands the program's frameless windows to the window manager (openbox
# here) from their first map, so that a click gives them the keyboard as on
# Windows; the platform layer sees to that.
# shellcheck source=tests/e2e/lib.sh
. "$(dirname "$0")/lib.sh" "$1"
ZIP=$(realpath "$APP")
INSTALLER=$(realpath "${2:-${ZIP%.zip}.exe}")
LICENSE_FILE=$(dirname "$0")/../../LICENSE

export WINEPREFIX=${WINEPREFIX:-$WORK/wine}
export WINEDEBUG=-all
prefixes=("$WINEPREFIX" "$WORK/wine-installer")
wine_cleanup() {
  if [ -n "$APP_PID" ]; then kill "$APP_PID" 2>/dev/null || true; fi
  for prefix in "${prefixes[@]}"; do WINEPREFIX=$prefix wineserver -k 2>/dev/null || true; done
  cleanup
}
trap wine_cleanup EXIT

unzip -q "$ZIP" -d "$WORK/unzipped"
EXE=$(find "$WORK/unzipped" -name corvale-scrivulets.exe)
HOME_DIR=$(dirname "$EXE")
VERSION=$(basename "$ZIP" | sed 's/^corvale-scrivulets-\(.*\)-win64.zip$/\1/')
start_wine() {
  wine "$EXE" >"$WORK/app.log" 2>&1 &
  APP_PID=$!
}
app_gone() { ! kill -0 "$APP_PID" 2>/dev/null; }
file_is() { [ -f "$1" ] && [ "$(od -An -c "$1")" = "$(printf '%b' "$2" | od -An -c)" ]; }
files_in() { (cd "$1" && find . -type f | LC_ALL=C sort | xargs); }
has_resource() { wrestool -l "$EXE" | grep -q "$1"; }
version_has() { wrestool -x --raw -t16 "$EXE" | tr -d '\000' | grep -aqF "$1"; }
manifest_has() { wrestool -x --raw -t24 "$EXE" | grep -qF "$1"; }
crlf_only() { ! LC_ALL=C grep -q $'[^\r]$' "$1"; }
tray_shown() { xdotool search --onlyvisible --name '^Wine System Tray$' >/dev/null 2>&1; }
has_keyboard() { [ "$(xdotool getwindowfocus)" = "$1" ]; }
# The fonts the program offers, where Debian has a metric twin (Wine brings none).
replace_fonts() {
  for pair in "Arial=Liberation Sans" "Times New Roman=Liberation Serif" "Verdana=DejaVu Sans"; do
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "${pair%%=*}" /d "${pair#*=}" /f \
      >/dev/null 2>&1
  done
}
# One of the Wine user's shell folders, as a Unix path: shell_folder Startup.
shell_folder() {
  winepath -u "$(wine reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders' \
    /v "$1" | tr -d '\r' | sed -n "s/^ *$1 *REG_SZ *//Ip")"
}

expected_files="./LEIA-ME.txt ./Qt6Core.dll ./Qt6Gui.dll ./Qt6Network.dll ./Qt6Svg.dll ./Qt6Widgets.dll \
./corvale-scrivulets.exe ./iconengines/qsvgicon.dll ./libgcc_s_seh-1.dll ./libstdc++-6.dll \
./libwinpthread-1.dll ./licencas/corvale-scrivulets.txt ./licencas/gcc-runtime.txt \
./licencas/gpl-3.0.txt ./licencas/qt-lgpl-3.0.txt ./licencas/qt-terceiros.txt \
./licencas/winpthreads.txt ./platforms/qwindows.dll ./styles/qwindowsvistastyle.dll"
check "the zip holds the program, the DLLs it loads, three plugins, the read-me and the licences" \
  test "$(files_in "$HOME_DIR")" = "$expected_files"
check "the executable carries the program's icon" has_resource group_icon
check "and its version, $VERSION" version_has "ProductVersion$VERSION"
copyright=$(grep -m1 '^Copyright' "$LICENSE_FILE")
check "and LICENSE's copyright, $copyright" version_has "LegalCopyright$copyright"
for part in '<supportedOS Id="{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"/>' \
  '<dpiAwareness xmlns="http://schemas.microsoft.com/SMI/2016/WindowsSettings">PerMonitorV2' \
  '<dpiAware xmlns="http://schemas.microsoft.com/SMI/2005/WindowsSettings">true/pm</dpiAware>' \
  '<longPathAware xmlns="http://schemas.microsoft.com/SMI/2016/WindowsSettings">true</longPathAware>' \
  '<requestedExecutionLevel level="asInvoker"'; do
  check "its manifest says $part" manifest_has "$part"
done
check "the read-me has Windows' line ends" crlf_only "$HOME_DIR/LEIA-ME.txt"
for row in "corvale-scrivulets.txt=$copyright" \
  "qt-lgpl-3.0.txt=qt6-base_6.4.2+dfsg.orig.tar.xz" "qt-lgpl-3.0.txt=GNU LESSER GENERAL PUBLIC LICENSE" \
  "qt-terceiros.txt=The FreeType Project LICENSE" "gpl-3.0.txt=GNU GENERAL PUBLIC LICENSE" \
  "gcc-runtime.txt=GCC RUNTIME LIBRARY EXCEPTION" "winpthreads.txt=Copyright (c) 2011 mingw-w64 project"; do
  check "licencas\\${row%%=*} holds \"${row#*=}\"" grep -qF "${row#*=}" "$HOME_DIR/licencas/${row%%=*}"
done

start_x
# A Brazilian keyboard, which has a key for ç. xdotool types a letter that is
# on no key by mapping a spare key for the moment, and Wine does not always
# take that up in time.
setxkbmap -layout br
replace_fonts

start_wine
main=$(find_window 200) || { fail "the strip appears"; finish; }
check "config.txt is written beside the executable with CR LF line ends" eventually file_is \
  "$HOME_DIR/config.txt" '294\r\n140\r\n280\r\n90\r\n1\r\n2\r\nArial\r\n1000|1000|1000|1000\r\n*\r\n'
check "the strip stands at 1000 twips from the left" near "$(win_x "$main")" 67
check "the strip stands at 1000 twips from the top" near "$(win_y "$main")" 67
check "the strip is 294 pixels wide" test "$(win_width "$main")" -eq 294
check "the strip is 1270 twips taller than its 140-pixel text box" near "$(win_height "$main")" 225
check "translucent at 90 % before the pointer comes" test "$(win_alpha "$main")" -eq 230
check "the window manager has the strip from the start, off the task bar" \
  eventually has_state "$main" _NET_WM_STATE_SKIP_TASKBAR
# With no tray on the X server, Wine shows the notification area as a window
# of its own, and only once a program puts an icon there.
check "the tray icon is there" eventually tray_shown
translucency_follows_the_pointer "$main"

# btnClose, the toolbar's last picture.
h=$(win_height "$main")
xdotool mousemove --window "$main" 148 $((h - 13)) click 1
check "btnClose ends the program" eventually app_gone
APP_PID=""

# The second start reads its settings from beside the executable: the strip
# 6000 twips from the left, 1500 from the top, so the save window fits on
# its left.
settings='294\r\n140\r\n280\r\n90\r\n1\r\n2\r\nArial\r\n1000|1000|6000|1500\r\n*\r\n'
printf '%b' "$settings" >"$HOME_DIR/config.txt"
start_wine
main=$(find_window 200) || { fail "the strip appears again"; finish; }
check "the strip stands where config.txt beside the executable puts it" \
  test "$(win_x "$main"),$(win_y "$main")" = "400,100"
h=$(win_height "$main")
xdotool mousemove --window "$main" 108 $((h - 13)) click 1
check "the pin keeps the strip in front" eventually has_state "$main" _NET_WM_STATE_ABOVE
check "the strip is kept off the task bar" has_state "$main" _NET_WM_STATE_SKIP_TASKBAR
xdotool mousemove --window "$main" 108 $((h - 13)) click 1
check "a second click lets it go" eventually lacks_state "$main" _NET_WM_STATE_ABOVE
check "still off the task bar" has_state "$main" _NET_WM_STATE_SKIP_TASKBAR
xdotool mousemove --window "$main" 148 $((h - 13)) click 1
eventually app_gone || fail "btnClose ends the program again"
APP_PID=""
# Its notification area goes with it, and cannot take the keyboard later.
wineserver -k

# --- The installer, for a user of a fresh prefix.
export WINEPREFIX=${prefixes[1]}
replace_fonts
KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Corvale Scrivulets'
uninstall_value() { wine reg query "$KEY" /v "$1" 2>/dev/null | tr -d '\r' | sed -n "s/^ *$1 *REG_[A-Z]* *//p"; }
uninstall_entry_gone() { ! wine reg query "$KEY" >/dev/null 2>&1; }
wine "$INSTALLER" /S
place=$(uninstall_value InstallLocation)
check "the installer puts the program in the user's programs folder" \
  test "$place" = "$(wine cmd /c echo '%LOCALAPPDATA%' | tr -d '\r')\\Programs\\Corvale Scrivulets"
for row in "DisplayName=Corvale Scrivulets" "DisplayVersion=$VERSION" "Publisher=Equipe Corvale" \
  "DisplayIcon=$place\\corvale-scrivulets.exe,0" "UninstallString=\"$place\\Desinstalar.exe\"" \
  "NoModify=0x1" "NoRepair=0x1"; do
  check "\"Apps and features\" has $row" test "$(uninstall_value "${row%%=*}")" = "${row#*=}"
done
INSTALLED=$(winepath -u "$place")
check "the installed folder holds the zip's files and the uninstaller" \
  test "$(files_in "$INSTALLED")" = "$(xargs -n1 <<<"$expected_files ./Desinstalar.exe" | LC_ALL=C sort | xargs)"
MENU=$(shell_folder Programs)/Corvale\ Scrivulets.lnk
STARTUP=$(shell_folder Startup)/Corvale\ Scrivulets.lnk
lnk_to_program() { [ -f "$1" ] && tr -d '\000' <"$1" | grep -aqF 'Corvale Scrivulets\corvale-scrivulets.exe'; }
check "the Start menu has an entry for the program" lnk_to_program "$MENU"
check "and no Startup shortcut unless asked for" test ! -e "$STARTUP"

EXE=$INSTALLED/corvale-scrivulets.exe
start_wine
main=$(find_window 200) || { fail "the installed program shows the strip"; finish; }
check "the installed program writes config.txt beside itself" eventually test -f "$INSTALLED/config.txt"
# Wine's notification area, a window of its own, takes the keyboard when it
# appears.
check "its tray icon is there" eventually_long tray_shown
# A click on the text box gives it the keyboard, and it keeps it when the
# strip, active now, turns opaque under the pointer (which the strip sees
# once the pointer moves).
xdotool mousemove --window "$main" 150 60 click 1
check "opaque under the pointer" eventually_long pointer_moves_opaque "$main" 150 60
check "the strip has the keyboard" has_keyboard "$main"
xdotool type --delay 60 "Preço do almoço"
xdotool key ctrl+s
save=$(eventually side_window) || { fail "Ctrl+S opens the save window"; finish; }
xdotool mousemove --window "$save" 100 95 click 1
xdotool type --delay 60 "lembrete"
if [ -n "${WINDOWS_SCREENSHOT:-}" ]; then
  # Time for the typed title to be drawn before the picture: no check follows it.
  sleep 0.5
  # Both windows and a margin round them.
  left=$(($(win_x "$save") - 16)) top=$(($(win_y "$main") - 16))
  right=$(($(win_x "$main") + $(win_width "$main") + 16))
  bottom=$(($(win_y "$save") + $(win_height "$save") + 16))
  import -window root -crop "$((right - left))x$((bottom - top))+$left+$top" +repage \
    "$WINDOWS_SCREENSHOT"
fi
xdotool mousemove --window "$save" 248 150 click 1
check "the text lands in textos beside the installed program, in Windows-1252" \
  eventually file_is "$INSTALLED/textos/lembrete.txt" 'Pre\0347o do almo\0347o\r\n'
h=$(win_height "$main")
xdotool mousemove --window "$main" 148 $((h - 13)) click 1
eventually app_gone || fail "btnClose ends the installed program"
APP_PID=""

# As if starting with Windows had been asked for at the first install.
cp "$MENU" "$STARTUP"
cp "$INSTALLED/config.txt" "$WORK/config-before.txt"
wine "$INSTALLER" /S
check "an install over it keeps the text" file_is "$INSTALLED/textos/lembrete.txt" 'Pre\0347o do almo\0347o\r\n'
check "and config.txt" cmp -s "$INSTALLED/config.txt" "$WORK/config-before.txt"
check "and starting with Windows" lnk_to_program "$STARTUP"

wine "$INSTALLED/Desinstalar.exe" /S
# The uninstaller works from a copy of itself, and forgets the entry last.
check "the uninstaller takes the entry out of \"Apps and features\"" eventually_long uninstall_entry_gone
check "and every file it installed, leaving the text and config.txt" \
  test "$(files_in "$INSTALLED")" = "./config.txt ./textos/lembrete.txt"
check "and the Start menu entry and the Startup shortcut" test ! -e "$MENU" -a ! -e "$STARTUP"

finish
