#!/usr/bin/env bash
# The real program under a kill and beside a second copy of itself: a text
# being saved is either the old or the new text, never a mix or nothing, and
# config.txt always holds one writer's whole file.
. "$(dirname "$0")/lib.sh" "$1"

start_x
mkdir -p "$DATA/textos"
# About 8 MB of text, reopened at start.
awk 'BEGIN { for (i = 0; i < 100000; i++) printf "linha %06d de um texto grande, com acentuação\r\n", i }' \
  | iconv -f UTF-8 -t CP1252 > "$DATA/textos/grande.txt"
cp "$DATA/textos/grande.txt" "$WORK/old.txt"
{ printf 'X'; cat "$WORK/old.txt"; } > "$WORK/new.txt"
printf '294\r\n140\r\n280\r\n90\r\n1\r\n2\r\nArial\r\n1000|1000|1000|1000\r\ngrande.txt\r\n' > "$DATA/config.txt"

for delay in 0.00 0.02 0.05 0.1 0.2; do
  start_app
  main=$(find_window 200) || window_missing "the main window appears"
  xdotool mousemove --window "$main" 60 80 click 1
  xdotool key ctrl+Home type X
  xdotool key ctrl+s
  sleep "$delay"
  kill -9 "$APP_PID"; wait "$APP_PID" 2>/dev/null || true; APP_PID=""
  if cmp -s "$DATA/textos/grande.txt" "$WORK/old.txt"; then
    pass "killed $delay s into a save: the old text is whole"
  elif cmp -s "$DATA/textos/grande.txt" "$WORK/new.txt"; then
    pass "killed $delay s into a save: the new text is whole"
  else
    fail "killed $delay s into a save: the file is neither the old nor the new text"
  fi
  cp "$WORK/old.txt" "$DATA/textos/grande.txt"
done
echo "left in the text folder: $(ls -A "$DATA/textos" | tr "\n" " ")"

# Without a kill the save lands, so the runs above did interrupt real saves.
start_app
main=$(find_window 200) || window_missing "the main window appears"
xdotool mousemove --window "$main" 60 80 click 1
xdotool key ctrl+Home type X
xdotool key ctrl+s
saved() { cmp -s "$DATA/textos/grande.txt" "$WORK/new.txt"; }
check "an uninterrupted save writes the new text" eventually saved
kill "$APP_PID"; wait "$APP_PID" 2>/dev/null || true; APP_PID=""

# Two copies at once, each saving positions from its own place.
rm -f "$DATA/textos/grande.txt"
printf '294\r\n140\r\n280\r\n90\r\n1\r\n2\r\nArial\r\n1000|1000|1000|1000\r\n*\r\n' > "$DATA/config.txt"
start_app; first=$APP_PID
a=$(find_window 200) || window_missing "the first copy appears"
start_app; second=$APP_PID
b=$(find_window 200) || window_missing "the second copy appears"
xdotool windowmove "$b" 500 300
sleep 0.5
h=$(win_height "$a")
whole() { # nine lines ended by CR LF, line 8 as first written or from one of the copies
  local f=$1
  [ "$(tr -cd '\n' < "$f" | wc -c)" -eq 9 ] && [ "$(tr -cd '\r' < "$f" | wc -c)" -eq 9 ] &&
    sed -n 8p "$f" | tr -d '\r' | grep -Eq '^(1000\|1000\|1000\|1000|1005\|1005\|(1005|7500)\|(1005|4500))$'
}
broken=0
(
  for _ in $(seq 400); do
    cp "$DATA/config.txt" "$WORK/seen.txt" 2>/dev/null && ! whole "$WORK/seen.txt" && { echo broken; break; }
    sleep 0.005
  done
) > "$WORK/watch.txt" &
watcher=$!
for _ in $(seq 10); do
  xdotool mousemove --window "$a" 127 $((h - 13)) click 1
  xdotool mousemove --window "$b" 127 $((h - 13)) click 1
done
wait "$watcher"
check "config.txt always holds one writer's whole file" test ! -s "$WORK/watch.txt"
xdotool mousemove --window "$a" 127 $((h - 13)) click 1
check "the first copy still saves its positions" eventually grep -q '1005|1005|1005|1005' "$DATA/config.txt"
xdotool mousemove --window "$b" 127 $((h - 13)) click 1
check "the second copy still saves its positions" eventually grep -q '1005|1005|7500|4500' "$DATA/config.txt"
kill "$first" "$second" 2>/dev/null || true
APP_PID=""
finish
