#!/usr/bin/env bash
# What a new user meets in a real X server: the keyboard is the strip's at
# once; a notification area that starts after the program still gets its
# icon, whose menu shows the strip and closes the program; a quick click on
# the collapsed window's background leaves it where it was; Alt+F4 on the
# collapsed window ends the program; a layout pass gives the strip back the
# states another program took from it.
. "$(dirname "$0")/lib.sh" "$1"
FAKETRAY=${2:?usage: trust.sh APP FAKETRAY}
TRAY_PID=""
trap 'if [ -n "$TRAY_PID" ]; then kill "$TRAY_PID" 2>/dev/null || true; fi; cleanup' EXIT

start_x
start_app
main=$(find_window 200) || { fail "the main window appears"; finish; }
check "the strip has the keyboard at start" eventually active_is "$main"
xdotool type --delay 20 "tecla"
xdotool key ctrl+s
# Ctrl+S with no text open opens the save window: the keys reached the text box.
check "typing goes to the text box without a click" eventually has_side_window
xdotool key Escape
check "Escape closes the save window" eventually no_side_window

# Another program takes the strip's task-bar state; the next layout pass
# (the text grows past the minimum height) gives it back.
xdotool windowactivate --sync "$main" 2>/dev/null || true
xprop -id "$main" -f _NET_WM_STATE 32a -set _NET_WM_STATE "" 2>/dev/null || true
wmctrl -i -r "$main" -b remove,skip_taskbar 2>/dev/null || true
check "the state is gone" eventually lacks_state "$main" _NET_WM_STATE_SKIP_TASKBAR
xdotool key --delay 20 Return Return Return Return Return Return Return Return Return
check "a layout pass sets it again" eventually has_state "$main" _NET_WM_STATE_SKIP_TASKBAR

# The tray starts after the program.
"$FAKETRAY" >"$WORK/tray.log" 2>&1 &
TRAY_PID=$!
docked() { grep -q '^docked ' "$WORK/tray.log"; }
check "a tray that starts after the program gets the icon" eventually docked
icon=$(awk '/^docked/ {print $2; exit}' "$WORK/tray.log")

# Collapsed, then "Mostrar" from the icon's menu.
xdotool mousemove --window "$main" 147 25 click 1
check "the strip collapses" eventually lacks_window "$main"
ini=$(find_window 50) || { fail "the collapsed window appears"; finish; }
at_x=$(win_x "$ini")
at_y=$(win_y "$ini")
# A quick click on its background, then, a moment after the release (the
# pace of a hand, not a wait for a result), the pointer goes far away.
xdotool mousemove --window "$ini" 5 5 click 1 sleep 0.2 mousemove 600 500
stays_at() { [ "$(win_x "$1"),$(win_y "$1")" = "$2,$3" ]; }
check "a quick click leaves the collapsed window where it was" throughout stays_at "$ini" "$at_x" "$at_y"

menu_open() { [ "$(xdotool search --onlyvisible --pid "$APP_PID" 2>/dev/null | wc -l)" -ge 2 ]; }
if [ -n "$icon" ]; then
  xdotool mousemove --window "$icon" 12 12 click 3
  check "a right click on the icon opens its menu" eventually menu_open
  xdotool key Down Return
  check "\"Mostrar\" brings the strip back" eventually is_viewable "$main"
  check "with the keyboard" eventually active_is "$main"
else
  fail "no icon to click"
fi

# The window manager's close (Alt+F4, or a task switcher's) on the collapsed
# window ends the program as its power button does.
xdotool mousemove --window "$main" 147 25 click 1
check "collapsed again" eventually lacks_window "$main"
ini=$(find_window 50) || window_missing "the collapsed window appears again"
wmctrl -i -c "$ini"
ended() { ! kill -0 "$APP_PID" 2>/dev/null; }
check "closing the collapsed window ends the program" eventually ended
finish
