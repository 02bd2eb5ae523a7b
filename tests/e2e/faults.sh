#!/usr/bin/env bash
# The real program under a kill, on a read-only data folder and on a full
# disk: a text being saved is either the old or the new text, never a mix or
# nothing; a draft that cannot be written is said once, beside a strip that
# keeps the keyboard, and closing asks before losing the text; a write that
# the disk refuses is reported and leaves the old file whole.
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
echo "left in the text folder: $(find "$DATA/textos" -mindepth 1 -printf '%f ')"

# Without a kill the save lands, so the runs above did interrupt real saves.
start_app
main=$(find_window 200) || window_missing "the main window appears"
xdotool mousemove --window "$main" 60 80 click 1
xdotool key ctrl+Home type X
xdotool key ctrl+s
saved() { cmp -s "$DATA/textos/grande.txt" "$WORK/new.txt"; }
check "an uninterrupted save writes the new text" eventually saved
kill "$APP_PID"; wait "$APP_PID" 2>/dev/null || true; APP_PID=""

# The program's message boxes besides the strip (294 pixels wide): those
# that wait for an answer (modal), or the notices beside it.
boxes() { # boxes modal|notice
  local id kind
  for id in $(xdotool search --onlyvisible --pid "$APP_PID" 2>/dev/null); do
    [ "$(win_width "$id")" -eq 294 ] && continue
    kind=notice
    has_state "$id" _NET_WM_STATE_MODAL && kind=modal
    [ "$kind" = "$1" ] && echo "$id"
  done
  return 0
}
boxes_are() { [ "$(boxes "$1" | wc -l)" -eq "$2" ]; }
grew_past() { [ "$(win_height "$1")" -gt "$2" ]; }

# A read-only data folder, its folders too (root's own writes included: the
# program leaves what is marked read-only alone). The draft that cannot be
# written is said once, in a notice that leaves the keyboard to the strip,
# and closing asks whether to lose the text, staying open by default.
mkdir -p "$DATA/textos" "$DATA/recuperados"
printf '294\r\n140\r\n280\r\n90\r\n1\r\n2\r\nArial\r\n1000|1000|1000|1000\r\n*\r\n' > "$DATA/config.txt"
chmod -R a-w "$DATA"
start_app
main=$(find_window 200) || window_missing "the main window appears on a read-only folder"
xdotool mousemove --window "$main" 60 80 click 1
xdotool type "texto que não se pode guardar"
check "the draft that cannot be written is said" eventually_long boxes_are notice 1
h=$(win_height "$main")
xdotool key Return Return Return Return Return Return Return Return Return Return Return Return
check "the typing goes on into the strip" eventually grew_past "$main" "$h"
check "and the notice is said once while it goes on" throughout boxes_are notice 1
# btnClose: 2120 twips from the left, on the toolbar at the grown strip's foot.
xdotool mousemove --window "$main" 148 $(($(win_height "$main") - 13)) click 1
check "closing asks whether to lose the text" eventually boxes_are modal 1
xdotool key Return
check "and stays open by default" eventually boxes_are modal 0
check "with its strip" is_viewable "$main"
kill "$APP_PID"
status=0; wait "$APP_PID" || status=$?; APP_PID=""
check "the end of the session ends it all the same" test "$status" -eq 0
check "and writes nothing" test -z "$(find "$DATA" -newer "$DATA/config.txt" -type f)"
chmod -R u+w "$DATA"
rm -rf "$DATA/textos" "$DATA/recuperados"

# A full disk: the data folder on a file system of 64 KB, filled up. Ctrl+S
# on the open text reports the failure and leaves the file as it was, and so
# does the positions button with config.txt.
if [ "$(id -u)" -eq 0 ] && mount -t tmpfs -o size=64k tmpfs "$DATA" 2>/dev/null; then
  trap 'umount "$DATA" 2>/dev/null || true; cleanup' EXIT
  mkdir -p "$DATA/textos"
  printf 'um texto curto\r\n' > "$DATA/textos/curto.txt"
  printf '294\r\n140\r\n280\r\n90\r\n1\r\n2\r\nArial\r\n1000|1000|1000|1000\r\ncurto.txt\r\n' > "$DATA/config.txt"
  cp "$DATA/config.txt" "$WORK/config.before"
  start_app
  main=$(find_window 200) || window_missing "the main window appears on the full disk"
  dd if=/dev/zero of="$DATA/enche" bs=1k count=64 2>/dev/null || true
  xdotool mousemove --window "$main" 60 80 click 1
  xdotool key ctrl+End type "mais"
  xdotool key ctrl+s
  check "Ctrl+S on a full disk says the text was not saved" eventually boxes_are modal 1
  check "and the file keeps its text" cmp -s "$DATA/textos/curto.txt" <(printf 'um texto curto\r\n')
  xdotool key Return
  check "the message goes with Enter" eventually boxes_are modal 0
  h=$(win_height "$main")
  xdotool mousemove --window "$main" 127 $((h - 13)) click 1
  check "the positions button on a full disk keeps config.txt whole" cmp -s "$DATA/config.txt" "$WORK/config.before"
  kill "$APP_PID"; wait "$APP_PID" 2>/dev/null || true; APP_PID=""
  umount "$DATA"
else
  echo "skipped: the full disk needs root to mount a small tmpfs"
fi
finish
