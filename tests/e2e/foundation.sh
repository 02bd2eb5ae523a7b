#!/usr/bin/env bash
# First run in an empty data folder: the default config.txt, the strip's place,
# no task-bar button, translucency that follows the pointer, always-on-top.
. "$(dirname "$0")/lib.sh" "$1"

start_x
start_app
main=$(find_window 200) || window_missing "the main window appears"

expected=$'294\r\n140\r\n280\r\n90\r\n1\r\n2\r\nArial\r\n1000|1000|1000|1000\r\n*\r\n'
check "config.txt is created with the default lines" \
  test "$(cat "$DATA/config.txt"; echo x)" = "${expected}x"

check "the strip is 294 pixels wide" test "$(win_width "$main")" -eq 294
check "the strip stands at 1000 twips from the left" near "$(win_x "$main")" 67
check "the strip stands at 1000 twips from the top" near "$(win_y "$main")" 67
check "the strip is 1270 twips taller than its 140-pixel text box" near "$(win_height "$main")" 225
check "no task-bar button" eventually has_state "$main" _NET_WM_STATE_SKIP_TASKBAR
check "translucent at 90 % before the pointer comes" test "$(win_alpha "$main")" -eq 230

translucency_follows_the_pointer "$main"

h=$(win_height "$main")
xdotool mousemove --window "$main" 108 $((h - 13)) click 1
check "btnTop keeps the strip in front" eventually has_state "$main" _NET_WM_STATE_ABOVE
shot always-on-top
xdotool mousemove --window "$main" 108 $((h - 13)) click 1
check "a second click lets it go" eventually lacks_state "$main" _NET_WM_STATE_ABOVE
check "still no task-bar button" has_state "$main" _NET_WM_STATE_SKIP_TASKBAR

finish
