#!/usr/bin/env bash
# One copy per user and data folder: a later launch hands over to the running
# copy, which comes forward and goes back to rest, and ends with status 0.
# Nothing another user leaves in the shared temporary folder, nothing a
# killed copy leaves behind, and no other path to the same folder gives two
# copies, or none.
. "$(dirname "$0")/lib.sh" "$1"

start_x
uid=$(id -u)
user=$(id -un)

start_app_with() { # start_app_with [VAR=value...]
  env "$@" "$APP" >"$WORK/app.log" 2>&1 &
  APP_PID=$!
}
stop_app() {
  kill "$APP_PID" 2>/dev/null || true
  wait "$APP_PID" 2>/dev/null || true
  APP_PID=""
}
copies() { pgrep -c -f "^$APP\$" || true; }
copies_are() { [ "$(copies)" -eq "$1" ]; }
one_copy() { copies_are 1; }

# A later launch that ends with status 0 within 5 s.
# shellcheck disable=SC2120 # the rows call it through check, with words
hands_over() { # hands_over [VAR=value...]
  env "$@" "$APP" >>"$WORK/later.log" 2>&1 &
  local pid=$! status=0
  for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  if kill -0 "$pid" 2>/dev/null; then
    kill "$pid"; wait "$pid" 2>/dev/null || true
    return 1
  fi
  wait "$pid" || status=$?
  [ "$status" -eq 0 ]
}

# A second of the process's life uses less than 2 % of a processor.
cpu_ms() { awk -v hz="$(getconf CLK_TCK)" '{ print int(($14 + $15) * 1000 / hz) }' "/proc/$1/stat"; }
rests() {
  local used start=$EPOCHREALTIME
  used=$(cpu_ms "$1")
  # The second measured, not a wait for something to happen.
  sleep 1
  used=$(($(cpu_ms "$1") - used))
  awk -v used="$used" -v start="$start" -v now="$EPOCHREALTIME" \
    'BEGIN { exit !(used * 50 < (now - start) * 1000) }'
}
# Showing the strip takes a moment of work; a busy loop takes every second.
rests_soon() { rests "$1" || rests "$1" || rests "$1"; }
is_active() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ]; }

# Twenty launches in a row: each hands over, the first of them to the
# collapsed window, whose strip comes back with the keyboard.
start_app
main=$(find_window 200) || window_missing "the first copy appears"
first=$APP_PID
# The collapse button, 450 x 330 twips at the top of the strip.
xdotool mousemove --window "$main" 147 25 click 1
check "the strip collapses" eventually lacks_window "$main"
check "a later launch ends with status 0" hands_over
check "the running copy shows its strip again" eventually is_viewable "$main"
check "with the keyboard" eventually is_active "$main"
check "and rests again" rests_soon "$first"
handed=1 rested=1
for _ in $(seq 19); do
  hands_over && handed=$((handed + 1))
  rests_soon "$first" && rested=$((rested + 1))
done
check "20 launches in a row end with status 0 ($handed did)" test "$handed" -eq 20
check "the running copy rests after each ($rested times)" test "$rested" -eq 20
check "one copy runs" one_copy
stop_app

# What another user may have put first in the shared temporary folder, under
# the names the program or Qt would choose there: the program starts, a
# later launch hands over to it, and nothing planted is touched.
export TMPDIR=$WORK/tmp XDG_CACHE_HOME=$WORK/cache
mkdir -p "$WORK/own-folder"
chmod 700 "$WORK/own-folder"
while IFS='|' read -r name what place; do
  [ -n "$name" ] || continue
  if [ "$what" = folder ] && [ "$uid" -ne 0 ]; then
    echo "skipped: $name needs root to give the folder to another user"
    continue
  fi
  rm -rf "$TMPDIR"
  mkdir -m 1777 "$TMPDIR"
  planted=$TMPDIR/$place
  printf 'meu texto\n' >"$WORK/precious.txt"
  case $what in
    folder) mkdir -m 777 "$planted" && chown nobody "$planted" ;;
    link-to-file) ln -s "$WORK/precious.txt" "$planted" ;;
    link-to-folder) ln -s "$WORK/own-folder" "$planted" ;;
    fifo) mkfifo "$planted" ;;
    garbage) printf 'lixo\0\1' >"$planted" ;;
  esac
  find "$planted" -printf '%p %y %u %m %s\n' >"$WORK/planted.before"
  start_app_with -u XDG_RUNTIME_DIR
  find_window 200 >/dev/null || window_missing "$name: the program starts"
  check "$name: a later launch hands over" hands_over -u XDG_RUNTIME_DIR
  check "$name: one copy runs" one_copy
  check "$name: what was planted is as it was" \
    diff <(find "$planted" -printf '%p %y %u %m %s\n') "$WORK/planted.before"
  check "$name: nothing else in the shared folder but a private folder of the user's" \
    test -z "$(find "$TMPDIR" -mindepth 1 -maxdepth 1 ! -path "$planted" ! \( -type d -user "$uid" -perm 700 \))"
  check "$name: the user's file behind a link is as it was" file_is "$WORK/precious.txt" $'meu texto\n'
  check "$name: the user's folder behind a link is as it was" test -z "$(ls -A "$WORK/own-folder")"
  stop_app
done <<ROWS
another user's folder under Qt's name|folder|runtime-$user
another user's folder under the program's name|folder|corvale-scrivulets-$uid
a link to a file of the user's under Qt's name|link-to-file|runtime-$user
a link to a file of the user's|link-to-file|corvale-scrivulets-$uid
a link to a folder of the user's|link-to-folder|corvale-scrivulets-$uid
a FIFO|fifo|corvale-scrivulets-$uid
a file of garbage|garbage|corvale-scrivulets-$uid
ROWS
unset TMPDIR XDG_CACHE_HOME

# What a killed copy leaves in the runtime folder, and a lock made garbage:
# the next start takes over, and a later launch reaches it.
for left in "its socket and lock" "garbage in its lock" "an empty lock"; do
  start_app
  find_window 200 >/dev/null || window_missing "$left: the copy to kill appears"
  kill -9 "$APP_PID"; wait "$APP_PID" 2>/dev/null || true
  locks=("$XDG_RUNTIME_DIR"/*.lock)
  [ -f "${locks[0]}" ] || fail "a killed copy's $left: its lock is in the runtime folder"
  case $left in
    garbage*) printf 'lixo\0\1' >"${locks[0]}" ;;
    empty*) : >"${locks[0]}" ;;
  esac
  start_app
  find_window 200 >/dev/null || window_missing "a killed copy's $left: the next start"
  check "a killed copy's $left: a later launch hands over" hands_over
  check "a killed copy's $left: one copy runs" one_copy
  stop_app
done

# A runtime folder with no room for the lock: the program starts anyway, and
# says why on standard error.
if [ "$uid" -eq 0 ] && mkdir -m 700 "$WORK/full" &&
  mount -t tmpfs -o size=4k,nr_inodes=4,mode=700 tmpfs "$WORK/full" 2>/dev/null; then
  trap 'umount "$WORK/full" 2>/dev/null || true; cleanup' EXIT
  for n in 1 2 3 4 5; do { : >"$WORK/full/$n"; } 2>/dev/null || break; done
  start_app_with XDG_RUNTIME_DIR="$WORK/full"
  find_window 200 >/dev/null || window_missing "a full runtime folder: the program starts"
  check "a full runtime folder: the program says why" grep -q '^corvale-scrivulets: ' "$WORK/app.log"
  stop_app
  umount "$WORK/full"
else
  echo "skipped: a full runtime folder needs root to mount a small tmpfs"
fi

# Other ways to the same data folder lead to the same copy; another folder
# has a copy of its own. Each row starts on a data folder not made yet.
row=0
while IFS='|' read -r name first later expected; do
  [ -n "$name" ] || continue
  row=$((row + 1))
  home=$WORK/home$row
  mkdir -p "$home"
  ln -s "$home" "$WORK/link$row"
  # shellcheck disable=SC2086 # each cell holds whole words
  start_app_with ${first//@/$row}
  find_window 200 >/dev/null || window_missing "$name: the first copy appears"
  # shellcheck disable=SC2086
  if [ "$expected" -eq 1 ]; then
    check "$name: a later launch hands over" hands_over ${later//@/$row}
  else
    env ${later//@/$row} "$APP" >"$WORK/other.log" 2>&1 &
    other=$!
  fi
  check "$name: $expected running" eventually copies_are "$expected"
  [ "$expected" -eq 1 ] || { kill "$other"; wait "$other" 2>/dev/null || true; }
  stop_app
done <<ROWS
through a link|XDG_DATA_HOME=$WORK/link@|XDG_DATA_HOME=$WORK/home@|1
with a trailing /|XDG_DATA_HOME=$WORK/home@/|XDG_DATA_HOME=$WORK/home@|1
for another USER value|XDG_DATA_HOME=$WORK/home@ USER=alguem|XDG_DATA_HOME=$WORK/home@|1
another data folder|XDG_DATA_HOME=$WORK/home@|XDG_DATA_HOME=$WORK/other@|2
ROWS

# Three launches at the same moment end as one copy.
export XDG_DATA_HOME=$WORK/together
pids=()
for _ in 1 2 3; do "$APP" >>"$WORK/together.log" 2>&1 & pids+=($!); done
running() { for pid in "${pids[@]}"; do if kill -0 "$pid" 2>/dev/null; then echo "$pid"; fi; done; }
one_left() { [ "$(running | wc -l)" -eq 1 ]; }
check "three launches at once: two end" eventually_long one_left
APP_PID=$(running | head -1)
ended=0
for pid in "${pids[@]}"; do
  [ "$pid" = "$APP_PID" ] || ! wait "$pid" || ended=$((ended + 1))
done
check "three launches at once: two with status 0" test "$ended" -eq 2
check "three launches at once: one copy runs" one_copy
finish
