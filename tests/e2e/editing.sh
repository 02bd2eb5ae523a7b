#!/usr/bin/env bash
# Editing in a real X server: Ctrl+S without an open text opens the save
# window; once saved, Ctrl+S saves in place, keeping beside it a version
# changed behind the program; btnPosicao writes config.txt;
# btnClose ends the process, and so does closing the strip by the window
# manager (Alt+F4).
. "$(dirname "$0")/lib.sh" "$1"

app_gone() { ! kill -0 "$APP_PID" 2>/dev/null; }
is_active() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ]; }
# The program's exit status once it has ended by itself (up to 10 s).
ended_with() {
  for _ in $(seq 100); do
    if app_gone; then
      local status=0
      wait "$APP_PID" || status=$?
      APP_PID=""
      [ "$status" -eq "$1" ]
      return
    fi
    sleep 0.1
  done
  return 1
}

start_x
start_app
main=$(find_window 200) || window_missing "the main window appears"

xdotool mousemove --window "$main" 150 60 click 1
xdotool type --delay 30 "primeira"
xdotool key ctrl+s
eventually side_window >/dev/null || window_missing "Ctrl+S without an open text opens the save window"
save=$(side_window)
pass "Ctrl+S without an open text opens the save window"
check "nothing is written yet" test ! -e "$DATA/textos/nota.txt"

# The title box, then "Salvar".
xdotool mousemove --window "$save" 100 95 click 1
xdotool type --delay 30 "nota"
xdotool mousemove --window "$save" 248 150 click 1
check "the save window saves the text" eventually file_is "$DATA/textos/nota.txt" $'primeira\r\n'
check "the save window closes" eventually no_side_window

# Back in the strip: the caret at the end, a second line, Ctrl+S in place.
xdotool mousemove --window "$main" 150 60 click 1
xdotool key ctrl+End Return
xdotool type --delay 30 "segunda"
xdotool key ctrl+s
check "Ctrl+S saves the open text in place" \
  eventually file_is "$DATA/textos/nota.txt" $'primeira\r\nsegunda\r\n'
check "without the save window" no_side_window
# A third line, unsaved, and the file changed behind the program's back (a
# sync tool, another editor): Ctrl+S keeps that version beside the text,
# saves the strip's, and says so in a notice that leaves the keyboard here.
xdotool key Return
xdotool type --delay 30 "terceira"
printf 'estragado' >"$DATA/textos/nota.txt"
xdotool key ctrl+s
check "Ctrl+S over a version changed behind it saves the strip's text" \
  eventually file_is "$DATA/textos/nota.txt" $'primeira\r\nsegunda\r\nterceira\r\n'
other_version() { compgen -G "$DATA/textos/nota (outra versão *).txt" >/dev/null; }
check "and keeps that version beside it" eventually other_version
check "byte for byte" file_is "$(compgen -G "$DATA/textos/nota (outra versão *).txt")" 'estragado'
notice() {
  local id
  for id in $(xdotool search --onlyvisible --pid "$APP_PID" 2>/dev/null); do
    xprop -id "$id" _NET_WM_WINDOW_TYPE | grep -q DIALOG && { echo "$id"; return 0; }
  done
  return 1
}
check "a notice says so" eventually notice
check "the strip keeps the keyboard" eventually is_active "$main"

# Moved by its surface and widened by its left edge, as a hand would, then
# btnPosicao, the toolbar's seventh picture: 1800 twips from the left, 305
# from the bottom. The start-up window was never shown: it stands at its
# configured 1000 twips, which is pixel 67.
xdotool mousemove --window "$main" 60 8 mousedown 1
xdotool mousemove 140 95
xdotool mousemove 180 115
xdotool mouseup 1
check "the strip follows a drag by its surface" eventually x_is "$main" 120
xdotool mousemove --window "$main" 3 100 mousedown 1
xdotool mousemove 100 210
xdotool mousemove 80 207
xdotool mouseup 1
check "its left edge widens it" eventually width_is "$main" 334
h=$(win_height "$main")
x=$(win_x "$main")
y=$(win_y "$main")
w=$(win_width "$main")
xdotool mousemove --window "$main" 127 $((h - 13)) click 1
expected="$w"$'\r\n140\r\n280\r\n90\r\n1\r\n2\r\nArial\r\n1000|1000|'"$((x * 15))|$((y * 15))"$'\r\n*\r\n'
check "btnPosicao writes config.txt from the strip's place and width" \
  eventually file_is "$DATA/config.txt" "$expected"
file_is "$DATA/config.txt" "$expected" || { echo "config.txt:"; od -c "$DATA/config.txt"; }

# btnClose: 2120 twips from the left.
xdotool mousemove --window "$main" 148 $((h - 13)) click 1
check "btnClose ends the program" ended_with 0
check "and writes nothing" file_is "$DATA/textos/nota.txt" $'primeira\r\nsegunda\r\nterceira\r\n'

# Again, ended by the window manager instead.
start_app
main=$(find_window 200) || window_missing "the main window appears again"
xdotool mousemove --window "$main" 150 60 click 1
xdotool key alt+F4
check "closing the strip by the window manager ends the program" ended_with 0

finish
