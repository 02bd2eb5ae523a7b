#!/usr/bin/env bash
# A screen narrower than the strip: the width rule makes the strip the
# screen's width less 20 pixels at 13 pixels from the left, and a drag by its
# surface still moves it (up to the screen's edge where the window manager
# keeps windows on the screen); moving only moves.
. "$(dirname "$0")/lib.sh" "$1"

export SCREEN=280x600x24
start_x
start_app
main=$(find_window 100) || { fail "the main window appears"; finish; }
check "the strip is as wide as the screen allows" eventually test "$(win_width "$main")" -eq 260
check "at 200 twips from the left" eventually test "$(win_x "$main")" -eq 13
xdotool mousemove --window "$main" 40 8 mousedown 1
xdotool mousemove 60 85
xdotool mousemove 83 85
xdotool mouseup 1
if promises offscreen; then
  check "a drag moves it sideways" eventually x_is "$main" 43
else
  check "a drag moves it sideways as far as $WM keeps it on the screen" eventually x_is "$main" 20
fi
check "and keeps its width" test "$(win_width "$main")" -eq 260
finish
