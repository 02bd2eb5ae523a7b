#!/usr/bin/env bash
# The save window in a real X server, with the default settings: left of the
# strip it would stand mostly off the screen, so it opens on the right; its
# left arrow still puts it where the user asks, and a title typed into it
# saves the strip's text into the text folder. While another program is
# active, the save window and the collapsed window stay in sight, off the
# task bar.
. "$(dirname "$0")/lib.sh" "$1"

start_x
start_app
main=$(find_window 200) || window_missing "the main window appears"
check "the window manager puts the strip in its place" eventually x_is "$main" 67

# Conditions for `eventually`: they read the windows afresh each time.
x_is() { [ "$(win_x "$1")" -eq "$2" ]; }
y_is() { [ "$(win_y "$1")" -eq "$2" ]; }

h=$(win_height "$main")
# The side window is placed from where the program believes the strip stands.
# The positions button writes that belief into line 8 of config.txt; when it
# differs from where the window really is, the placement checks below cannot
# pass, and this says why.
xdotool mousemove --window "$main" 127 $((h - 13)) click 1
line8() { sed -n 8p "$DATA/config.txt" | tr -d '\r'; }
believed() { [ "$(line8)" = "1000|1000|1000|1000" ]; }
if eventually believed; then
  pass "the program knows where the strip stands"
else
  fail "the program knows where the strip stands: line 8 is $(line8), the strip is at 67,67"
fi

xdotool mousemove --window "$main" 150 60 click 1
xdotool type --delay 30 "ola mundo"
# btnSave, the toolbar's second picture: 390 twips from the left, 305 from the bottom.
xdotool mousemove --window "$main" 33 $((h - 13)) click 1
eventually side_window >/dev/null || window_missing "btnSave opens the save window"
save=$(side_window)
pass "btnSave opens the save window"

check "the save window is 294 pixels wide" test "$(win_width "$save")" -eq 294
# Alignment 1 would put it 4410 + 60 twips left of the strip, off the screen.
check "it opens 4 pixels right of the strip instead" \
  eventually x_is "$save" $(($(win_x "$main") + 298))
check "at the strip's top" eventually y_is "$save" "$(win_y "$main")"
check "no task-bar button" eventually has_state "$save" _NET_WM_STATE_SKIP_TASKBAR
shot save-right

# The user goes to another program, to copy a title say.
activate_other_program
check "the save window stays in sight while another program is active" \
  throughout is_viewable "$save"
check "and the strip" is_viewable "$main"
check "the save window keeps off the task bar" has_state "$save" _NET_WM_STATE_SKIP_TASKBAR
xdotool windowactivate "$save" 2>/dev/null || true

# btnEsq, the left arrow, at 120, 480 twips: where the user asks, on the
# screen or not, where the window manager lets a window stand off the screen.
xdotool mousemove --window "$save" 12 39 click 1
if promises offscreen; then
  check "the left arrow puts it 298 pixels left of the strip" \
    eventually x_is "$save" $(($(win_x "$main") - 298))
else
  check "the left arrow puts it left of the strip, kept on the screen by $WM" \
    eventually x_is "$save" 0
fi
check "still at the strip's top" y_is "$save" "$(win_y "$main")"
# btnDir, the right arrow, at 4040, 480 twips.
xdotool mousemove --window "$save" 276 39 click 1
check "the right arrow puts it back" eventually x_is "$save" $(($(win_x "$main") + 298))

# The title box, then "Salvar".
xdotool mousemove --window "$save" 100 95 click 1
xdotool type --delay 30 "lista"
xdotool mousemove --window "$save" 248 150 click 1
check "the text is saved under its title" \
  eventually file_is "$DATA/textos/lista.txt" $'ola mundo\r\n'
check "the save window closes" eventually no_side_window
check "the strip stays" test "$(win_width "$main")" -eq 294

# Collapsed, then another program active.
xdotool mousemove --window "$main" 147 25 click 1
check "the strip collapses" eventually lacks_window "$main"
ini=$(find_window 50) || window_missing "the collapsed window appears"
activate_other_program
check "the collapsed window stays in sight while another program is active" \
  throughout is_viewable "$ini"
check "the collapsed window keeps off the task bar" has_state "$ini" _NET_WM_STATE_SKIP_TASKBAR

finish
