#!/usr/bin/env bash
# The Windows program from its portable zip, under Wine in a real X server
# (Xvfb with openbox). The zip holds the program, with its icon and version,
# the DLLs it loads and three plugins, nothing else. Unzipped into an empty
# folder, it writes config.txt beside itself, shows the strip at its place,
# translucent while the pointer is away, off the task bar, in front while the
# pin is pressed; a text typed and saved lands in textos\ beside it in
# Windows-1252; the next start reads the settings back from beside the
# executable.
#   windows.sh path/to/corvale-scrivulets-<version>-win64.zip
# WINEPREFIX: the Wine prefix to use (a new one otherwise, some seconds more).
# WINDOWS_SCREENSHOT: where to write a picture of the strip and the save window.
#
# Wine hands the program's frameless windows to the window manager (openbox
# here) from their first map, so that a click gives them the keyboard as on
# Windows; the platform layer sees to that.
# shellcheck source=tests/e2e/lib.sh
. "$(dirname "$0")/lib.sh" "$1"
ZIP=$(realpath "$APP")

export WINEPREFIX=${WINEPREFIX:-$WORK/wine}
export WINEDEBUG=-all
wine_cleanup() {
  if [ -n "$APP_PID" ]; then kill "$APP_PID" 2>/dev/null || true; fi
  wineserver -k 2>/dev/null || true
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
has_resource() { wrestool -l "$EXE" | grep -q "$1"; }
version_is() { wrestool -x --raw -t16 "$EXE" | tr -d '\000' | grep -aq "ProductVersion$1"; }
tray_shown() { xdotool search --onlyvisible --name '^Wine System Tray$' >/dev/null 2>&1; }
has_keyboard() { [ "$(xdotool getwindowfocus)" = "$1" ]; }

expected_files="./Qt6Core.dll ./Qt6Gui.dll ./Qt6Network.dll ./Qt6Svg.dll ./Qt6Widgets.dll ./corvale-scrivulets.exe \
./iconengines/qsvgicon.dll ./libgcc_s_seh-1.dll ./libstdc++-6.dll ./libwinpthread-1.dll \
./platforms/qwindows.dll ./styles/qwindowsvistastyle.dll"
check "the zip holds the program, the DLLs it loads and three plugins, nothing else" test \
  "$(cd "$HOME_DIR" && find . -type f | LC_ALL=C sort | xargs)" = "$expected_files"
check "the executable carries the program's icon" has_resource group_icon
check "and its version, $VERSION" version_is "$VERSION"

start_x
# A Brazilian keyboard, which has a key for ç. xdotool types a letter that is
# on no key by mapping a spare key for the moment, and Wine does not always
# take that up in time.
setxkbmap -layout br
# The fonts the program offers, where Debian has a metric twin (Wine brings none).
for pair in "Arial=Liberation Sans" "Times New Roman=Liberation Serif" "Verdana=DejaVu Sans"; do
  wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "${pair%%=*}" /d "${pair#*=}" /f \
    >/dev/null 2>&1
done

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
printf '294\r\n140\r\n280\r\n90\r\n1\r\n2\r\nArial\r\n1000|1000|6000|1500\r\n*\r\n' \
  >"$HOME_DIR/config.txt"
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

# A click on the text box gives it the keyboard, and it keeps it when the
# strip, active now, turns opaque under the pointer (which the strip sees
# once the pointer moves).
xdotool mousemove --window "$main" 150 60 click 1
moves=0
pointer_moves_opaque() { xdotool mousemove --window "$main" $((150 + ++moves % 2)) 60; alpha_is "$main" 255; }
check "opaque under the pointer" eventually_long pointer_moves_opaque
check "the strip has the keyboard" has_keyboard "$main"
xdotool type --delay 60 "Preço do almoço"
xdotool key ctrl+s
save=$(eventually side_window) || { fail "Ctrl+S opens the save window"; finish; }
xdotool mousemove --window "$save" 100 95 click 1
xdotool type --delay 60 "lembrete"
if [ -n "${WINDOWS_SCREENSHOT:-}" ]; then
  sleep 0.5
  # Both windows and a margin round them.
  left=$(($(win_x "$save") - 16)) top=$(($(win_y "$main") - 16))
  right=$(($(win_x "$main") + $(win_width "$main") + 16))
  bottom=$(($(win_y "$save") + $(win_height "$save") + 16))
  import -window root -crop "$((right - left))x$((bottom - top))+$left+$top" +repage \
    "$WINDOWS_SCREENSHOT"
fi
xdotool mousemove --window "$save" 248 150 click 1
check "the text lands in textos beside the executable, in Windows-1252" \
  eventually file_is "$HOME_DIR/textos/lembrete.txt" 'Pre\0347o do almo\0347o\r\n'

finish
