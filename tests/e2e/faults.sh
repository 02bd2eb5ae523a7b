#!/usr/bin/env bash
# The real program under a kill, on a read-only data folder and on a full
# disk: a text killed in the middle of its save (its temporary file still
# there) is either the old or the new text, never a mix or nothing, and the
# next start clears what the save left; a draft that cannot be written is
# said once, beside a strip that keeps the keyboard, and closing asks before
# losing the text; a write that the disk refuses is reported and leaves the
# old file whole.
. "$(dirname "$0")/lib.sh" "$1"

start_x
mkdir -p "$DATA/textos"
# About 8 MB of text, reopened at start.
awk 'BEGIN { for (i = 0; i < 100000; i++) printf "linha %06d de um texto grande, com acentuação\r\n", i }' \
  | iconv -f UTF-8 -t CP1252 > "$DATA/textos/grande.txt"
cp "$DATA/textos/grande.txt" "$WORK/old.txt"
{ printf 'X'; cat "$WORK/old.txt"; } > "$WORK/new.txt"
printf '294\r\n140\r\n280\r\n90\r\n1\r\n2\r\nArial\r\n1000|1000|1000|1000\r\ngrande.txt\r\n' > "$DATA/config.txt"

# Ctrl+S on the text, then a kill -KILL. A save writes a temporary file
# (" ~….tmp") in the text folder from its first byte to the rename that ends
# it, so a temporary file still there after the kill shows that the kill cut
# that save short; the next start removes it.
saving() { compgen -G "$DATA/textos/ ~*.tmp" >/dev/null; }
not_saving() { ! saving; }
saved_since_mark() { [ "$DATA/textos/grande.txt" -nt "$WORK/mark" ]; }
# Until the save has begun or has ended, for 10 s at most, polled without a
# pause: a save lasts a few milliseconds.
save_begun() {
  local end=$((SECONDS + 10))
  until saving || saved_since_mark; do [ "$SECONDS" -lt "$end" ] || return 1; done
}
start_after_a_kill() {
  start_app
  main=$(find_window 200) || window_missing "the main window appears"
  if [ "$left" -eq 1 ]; then
    check "the next start removes the temporary file the kill left" eventually not_saving
  fi
}
cut=0 left=0
# How long after the save is seen the kill falls: what each run tries, not a
# wait for its outcome.
for delay in 0 0 0.001 0.005 0.05; do
  start_after_a_kill
  xdotool mousemove --window "$main" 60 80 click 1
  xdotool key ctrl+Home type X
  touch "$WORK/mark"
  xdotool key ctrl+s
  save_begun || fail "Ctrl+S starts a save"
  [ "$delay" = 0 ] || sleep "$delay"
  kill -9 "$APP_PID"; wait "$APP_PID" 2>/dev/null || true; APP_PID=""
  left=0
  if saving; then left=1; cut=$((cut + 1)); when="in the middle of a save"; else when="$delay s after a save began"; fi
  if cmp -s "$DATA/textos/grande.txt" "$WORK/old.txt"; then
    pass "killed $when: the old text is whole"
  elif cmp -s "$DATA/textos/grande.txt" "$WORK/new.txt"; then
    pass "killed $when: the new text is whole"
  else
    fail "killed $when: the file is neither the old nor the new text"
  fi
  cp "$WORK/old.txt" "$DATA/textos/grande.txt"
done
check "at least one kill fell in the middle of a save ($cut of 5)" test "$cut" -gt 0

# Without a kill the save lands.
start_after_a_kill
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

# A full disk: the data folder on a file system of 64 KB. Ctrl+S on a text
# of 40 KB gets part of it written before the disk is full; then the disk is
# filled up whole and the positions button cannot write a byte of
# config.txt. Each failure is reported and leaves the old file whole, and
# no temporary file behind.
if [ "$(id -u)" -eq 0 ] && mount -t tmpfs -o size=64k tmpfs "$DATA" 2>/dev/null; then
  trap 'umount "$DATA" 2>/dev/null || true; cleanup' EXIT
  mkdir -p "$DATA/textos"
  awk 'BEGIN { for (i = 0; i < 1000; i++) printf "linha %04d de um texto longo que enche\r\n", i }' > "$WORK/longo.txt"
  cp "$WORK/longo.txt" "$DATA/textos/longo.txt"
  printf '294\r\n140\r\n280\r\n90\r\n1\r\n2\r\nArial\r\n1000|1000|1000|1000\r\nlongo.txt\r\n' > "$DATA/config.txt"
  cp "$DATA/config.txt" "$WORK/config.before"
  no_temporary_file() { [ -z "$(find "$DATA" -name ' ~*.tmp')" ]; }
  start_app
  main=$(find_window 200) || window_missing "the main window appears on the full disk"
  xdotool mousemove --window "$main" 60 80 click 1
  xdotool key ctrl+End type "mais"
  xdotool key ctrl+s
  check "Ctrl+S that fills the disk says the text was not saved" eventually boxes_are modal 1
  check "and the file keeps its text" cmp -s "$DATA/textos/longo.txt" "$WORK/longo.txt"
  check "and no temporary file is left" no_temporary_file
  xdotool key Return
  check "the message goes with Enter" eventually boxes_are modal 0
  dd if=/dev/zero of="$DATA/enche" bs=1k count=64 2>/dev/null || true
  h=$(win_height "$main")
  xdotool mousemove --window "$main" 127 $((h - 13)) click 1
  check "the positions button on a full disk says config.txt was not saved" eventually boxes_are modal 1
  check "and config.txt stays whole" cmp -s "$DATA/config.txt" "$WORK/config.before"
  check "with no temporary file left" no_temporary_file
  kill "$APP_PID"; wait "$APP_PID" 2>/dev/null || true; APP_PID=""
  umount "$DATA"
else
  echo "skipped: the full disk needs root to mount a small tmpfs"
fi
finish
