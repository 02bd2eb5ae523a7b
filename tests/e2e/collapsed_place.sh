#!/usr/bin/env bash
# Where the collapsed window stands outlives any number of collapse and expand
# rounds, whichever way the strip comes back: the collapsed window's own
# button, the tray menu's "Mostrar" or a second launch. After each round the
# positions button stores where the collapsed window last stood, in line 8 of
# config.txt, and it comes back there at the next collapse.
. "$(dirname "$0")/lib.sh" "$1"
FAKETRAY=${2:?usage: collapsed_place.sh APP FAKETRAY}
TRAY_PID=""
trap 'if [ -n "$TRAY_PID" ]; then kill "$TRAY_PID" 2>/dev/null || true; fi; cleanup' EXIT

start_x
"$FAKETRAY" >"$WORK/tray.log" 2>&1 &
TRAY_PID=$!
start_app
main=$(find_window 200) || window_missing "the strip appears"
docked() { grep -q '^docked ' "$WORK/tray.log"; }
eventually_long docked || { fail "the tray takes the icon"; finish; }
icon=$(awk '/^docked/ {print $2; exit}' "$WORK/tray.log")

line8() { sed -n 8p "$DATA/config.txt" | tr -d '\r'; }
stored_is() { [ "$(line8 | cut -d'|' -f1,2)" = "$1" ]; }
at() { [ "$(win_x "$1"),$(win_y "$1")" = "$2" ]; }
menu_open() { [ "$(xdotool search --onlyvisible --pid "$APP_PID" 2>/dev/null | wc -l)" -ge 2 ]; }

round=0 last=""
for route in button button button tray tray tray launch launch launch; do
  round=$((round + 1))
  # The collapse button, 450 x 330 twips at the top of the strip.
  xdotool mousemove --window "$main" 147 25 click 1
  eventually lacks_window "$main" || { fail "round $round: the strip collapses"; break; }
  ini=$(find_window 50) || window_missing "round $round: the collapsed window appears"
  if [ -n "$last" ] && ! eventually at "$ini" "$last"; then
    fail "round $round: the collapsed window is back at $last, not at $(win_x "$ini"),$(win_y "$ini")"
  fi
  if [ "$round" -eq 1 ]; then
    # Dragged away from where start-up put it, with the middle button, which
    # the window follows itself; then left alone for the other rounds.
    xdotool mousemove --window "$ini" 10 10 mousedown 2
    xdotool mousemove 325 245
    xdotool mousemove 330 250
    xdotool mouseup 2
    eventually at "$ini" 320,240 || { fail "the collapsed window follows the drag"; break; }
    last=320,240
  fi
  case $route in
    button) xdotool mousemove --window "$ini" 28 38 click 1 ;;
    tray)
      xdotool mousemove --window "$icon" 12 12 click 3
      eventually menu_open || { fail "round $round: the tray menu opens"; break; }
      xdotool key Down Return
      ;;
    launch) "$APP" >>"$WORK/second.log" 2>&1 ;;
  esac
  eventually_long is_viewable "$main" || { fail "round $round: the $route brings the strip back"; break; }
  h=$(win_height "$main")
  xdotool mousemove --window "$main" 127 $((h - 13)) click 1
  if eventually stored_is 4800\|3600; then
    pass "round $round ($route): the positions button stores the collapsed window's place"
  else
    fail "round $round ($route): line 8 is $(line8), the collapsed window stood at $last"
  fi
done
finish
