#!/usr/bin/env bash
# Started at log-in, while the window manager is still starting: the strip
# appears all the same, where it belongs.
. "$(dirname "$0")/lib.sh" "$1"

# The strip has asked to be mapped: its task-bar state is written just before.
asked_for_strip() {
  local id
  for id in $(xdotool search --pid "$APP_PID" 2>/dev/null); do
    has_state "$id" _NET_WM_STATE_SKIP_TASKBAR && return 0
  done
  return 1
}

start_x held
start_app
eventually_long asked_for_strip || window_missing "the program shows its strip"
release_wm
main=$(find_window 200) || window_missing "the strip appears though the window manager was starting"
pass "the strip appears though the window manager was starting"
check "at its place" near "$(win_x "$main")" 67

finish
