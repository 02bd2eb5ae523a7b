#!/usr/bin/env bash
# The main window's own gestures in a real X server: the horizontal maximize by
# a double-click on its surface, moving it and resizing it by its left edge
# with the mouse, the collapse into the start-up window (which any button
# drags) and the way back.
. "$(dirname "$0")/lib.sh" "$1"

export SCREEN=1280x800x24
start_x
start_app
main=$(find_window 200) || window_missing "the main window appears"
# The default place: 1000 twips from the left and top, 294 pixels wide.
check "the strip opens at its default place" eventually x_is "$main" 67

visible() { xdotool search --onlyvisible --pid "$APP_PID" 2>/dev/null | grep -qx "$1"; }
hidden() { ! visible "$1"; }

# The top band, left of the collapse button, is the window's own surface.
xdotool mousemove --window "$main" 40 8 click --repeat 2 --delay 60 1
# 1280 pixels less 300 twips (20 pixels), at 200 twips (13 pixels).
check "a double-click stretches the strip across the screen" eventually width_is "$main" 1260
check "the stretched strip starts 200 twips from the left" eventually x_is "$main" 13
check "the top edge stays" eventually y_is "$main" 67
shot maximized
xdotool mousemove --window "$main" 40 8 click --repeat 2 --delay 60 1
check "a second double-click gives back the width" eventually width_is "$main" 294
check "and the left edge" eventually x_is "$main" 67

# A double-click on the text box is the text box's own.
xdotool mousemove --window "$main" 100 60 click --repeat 2 --delay 60 1
check "a double-click on the text box leaves the strip alone" throughout width_is "$main" 294

# Press on the surface, move, release: the strip follows, the press point
# staying under the cursor.
xdotool mousemove --window "$main" 60 8 mousedown 1
xdotool mousemove 140 95
xdotool mousemove 180 115
xdotool mouseup 1
check "dragging the surface moves the strip" eventually x_is "$main" 120
check "down as well" eventually y_is "$main" 107
check "moving keeps the width" width_is "$main" 294

# 3 pixels in from the left edge, then 40 pixels to the left: the cursor is
# put onto the edge at the press, the right edge stays where it is.
# The next moves wait for the program to have put it there: moved earlier,
# they would race the program's own move of the cursor.
right=$(($(win_x "$main") + 294))
pointer_x_is() { [ "$(xdotool getmouselocation --shell | sed -n 's/^X=//p')" -eq "$1" ]; }
xdotool mousemove --window "$main" 3 100 mousedown 1
check "the press puts the cursor onto the left edge" eventually pointer_x_is "$(win_x "$main")"
xdotool mousemove 100 210
xdotool mousemove 80 207
xdotool mouseup 1
check "the left edge widens the strip by 40 pixels" eventually width_is "$main" 334
check "the right edge stays put" test $(($(win_x "$main") + $(win_width "$main"))) -eq "$right"

# Collapse with always-on-top on: the start-up window stands in for the
# strip, and in front as the strip was.
h=$(win_height "$main")
xdotool mousemove --window "$main" 108 $((h - 13)) click 1
check "btnTop keeps the strip in front" eventually has_state "$main" _NET_WM_STATE_ABOVE
w=$(win_width "$main")
left=$(win_x "$main")
top=$(win_y "$main")
xdotool mousemove --window "$main" $((w / 2)) 25 click 1
check "the collapse button hides the strip" eventually hidden "$main"
ini=$(find_window 50) || window_missing "the start-up window appears"
check "the start-up window is 56 pixels wide" width_is "$ini" 56
check "the start-up window is kept in front" eventually has_state "$ini" _NET_WM_STATE_ABOVE
check "the start-up window has no task-bar button" has_state "$ini" _NET_WM_STATE_SKIP_TASKBAR
strip=$main
shot collapsed

# Any button drags the start-up window by its background: the program moves
# it itself, following the pointer while the button is held.
for button in 1 2 3; do
  x0=$(win_x "$ini")
  xdotool mousemove --window "$ini" 10 10 mousedown "$button"
  xdotool mousemove_relative 20 10
  xdotool mousemove_relative 20 10
  xdotool mouseup "$button"
  check "button $button drags the start-up window" eventually x_is "$ini" $((x0 + 40))
done

xdotool mousemove --window "$ini" 28 38 click 1
check "the start-up window is hidden again" eventually hidden "$ini"
# Look for the strip afresh: it must be the same window, not a new one.
if main=$(find_window 200); then
  pass "btnShow brings the strip back"
  check "at the width it had" eventually width_is "$main" 334
  check "at the place it had" eventually x_is "$main" "$left"
  check "at the height it had" eventually y_is "$main" "$top"
  check "the strip is in front again" eventually has_state "$main" _NET_WM_STATE_ABOVE
  check "it is the same window" test "$main" = "$strip"
  check "still without a task-bar button" has_state "$main" _NET_WM_STATE_SKIP_TASKBAR
else
  window_missing "btnShow brings the strip back"
fi

finish
