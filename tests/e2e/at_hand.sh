#!/usr/bin/env bash
# The strip at hand from anywhere: --mostrar and --alternar hand over to the
# running copy as a desktop's keyboard shortcut would run them, and the
# global key of config.txt's tenth line does what --alternar does.
. "$(dirname "$0")/lib.sh" "$1"

start_x
is_active() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ]; }
# A launch that ends with status 0 within 5 s.
launch() { timeout 5 "$APP" "$@" >>"$WORK/later.log" 2>&1; }

# With no copy running, --mostrar simply starts one, with the keyboard.
# Its config.txt asks for the global key on its tenth line.
mkdir -p "$DATA"
printf '294\r\n140\r\n280\r\n90\r\n1\r\n2\r\nArial\r\n1000|1000|1000|1000\r\n*\r\nCtrl+Alt+A\r\n' \
  >"$DATA/config.txt"
"$APP" --mostrar >"$WORK/app.log" 2>&1 &
APP_PID=$!
main=$(find_window 200) || window_missing "--mostrar with no copy running starts one"
check "--mostrar with no copy running: the strip with the keyboard" eventually is_active "$main"

# Collapsed, --mostrar brings the strip back with the keyboard.
xdotool mousemove --window "$main" 147 25 click 1
check "the strip collapses" eventually lacks_window "$main"
check "--mostrar ends with status 0" launch --mostrar
check "--mostrar expands the strip" eventually is_viewable "$main"
check "--mostrar gives it the keyboard" eventually is_active "$main"

# --alternar hides the strip that has the keyboard, and brings it back.
check "--alternar ends with status 0" launch --alternar
check "--alternar hides the strip that has the keyboard" eventually lacks_window "$main"
check "--alternar again ends with status 0" launch --alternar
check "--alternar brings it back" eventually is_viewable "$main"
check "with the keyboard" eventually is_active "$main"

# The global key does the same.
xdotool key ctrl+alt+a
check "the global key hides the strip that has the keyboard" eventually lacks_window "$main"
xdotool key ctrl+alt+a
check "the global key brings it back" eventually is_viewable "$main"
check "with the keyboard" eventually is_active "$main"
check "nothing said about the key" test -z "$(grep atalho "$WORK/app.log")"

# Another program, the copy of another data folder (--pasta), runs beside
# it, asks for the same key and takes the keyboard: it says once that the
# key is taken, without taking the keyboard from its own strip, and runs on.
OTHER_DATA=$WORK/other/textos-em-sincronia
mkdir -p "$OTHER_DATA"
cp "$DATA/config.txt" "$OTHER_DATA/"
"$APP" --pasta "$OTHER_DATA" >"$WORK/other.log" 2>&1 &
other=$!
said() { [ "$(grep -c 'Ctrl+Alt+A já é usado por outro programa' "$WORK/other.log")" -eq 1 ]; }
check "a key held by another program is said once on standard error" eventually_long said
notice() {
  local id
  for id in $(xdotool search --onlyvisible --pid "$other" 2>/dev/null); do
    xprop -id "$id" _NET_WM_WINDOW_TYPE | grep -q DIALOG && return 0
  done
  return 1
}
check "and in a notice" eventually notice
other_strip=$(APP_PID=$other find_window 200) || window_missing "the other copy's strip"
check "the notice leaves the keyboard to the other copy's strip" eventually is_active "$other_strip"

# A launch naming that folder again hands over to its copy, not to this one.
xdotool windowactivate "$main"
check "this copy's strip has the keyboard" eventually is_active "$main"
check "--pasta with the other copy's folder ends with status 0" launch --pasta "$OTHER_DATA" --mostrar
check "and brings that copy's strip" eventually is_active "$other_strip"

# The strip visible while the user types in another program: --alternar and
# the key give it the keyboard rather than hide it.
xdotool type --delay 20 abc
check "--alternar over another program ends with status 0" launch --alternar
check "--alternar gives the visible strip the keyboard" eventually is_active "$main"
xdotool windowactivate "$other_strip"
check "the other program has the keyboard again" eventually is_active "$other_strip"
xdotool type --delay 20 abc
xdotool key ctrl+alt+a
check "so does the global key" eventually is_active "$main"
check "the other copy runs on" kill -0 "$other"
kill "$other"; wait "$other" 2>/dev/null || true

# A keyboard layout set after the start, as a desktop may set its own: the
# key follows its letter, which the French layout puts on another key.
setxkbmap fr
xdotool key ctrl+alt+a
check "after a change of keyboard layout the key still works" eventually lacks_window "$main"
finish
