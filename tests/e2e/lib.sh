# Shared helpers for the real-window tests: an X server of our own (Xvfb) with
# a window manager, the real executable with a private data folder, and
# xdotool/xprop/xwininfo to drive and read the windows.
# Source it from a scenario script:  . "$(dirname "$0")/lib.sh" "$1"
# The window manager is openbox, or the one SCRIVULETS_WM names: xfwm4 (Xfce,
# with its compositor), mutter (GNOME, in X11 mode) or kwin (KDE's kwin_x11).
# shellcheck shell=bash
set -euo pipefail

APP=${1:?usage: scenario.sh path/to/corvale-scrivulets}
# A scenario may name its folder (SCENARIO=soak) to tell it from the others.
WORK=$(mktemp -d "/tmp/scrivulets-${SCENARIO:-e2e}.XXXXXX")
export XDG_DATA_HOME=$WORK/data
export XDG_RUNTIME_DIR=$WORK/runtime
mkdir -p "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
export DATA=$XDG_DATA_HOME/corvale-scrivulets
APP_PID=""
FAILURES=0
WM=${SCRIVULETS_WM:-openbox}
case $WM in
  openbox | xfwm4 | mutter | kwin) ;;
  *) echo "unknown window manager SCRIVULETS_WM=$WM (openbox, xfwm4, mutter or kwin)"; exit 2 ;;
esac

# What each window manager promises where they differ by design; the
# scenarios check each manager for what it promises:
#   offscreen   a window stands where the program puts it, partly off the
#               screen too; GNOME's and KDE's keep every window inside it
#   composited  translucent windows show translucent on the screen, which
#               takes a compositor
WM_PROMISES="
openbox offscreen
xfwm4   offscreen composited
mutter  composited
kwin    composited
"
promises() { grep -qE "^$WM .*\b$1\b" <<<"$WM_PROMISES"; }

cleanup() {
  local pid
  for pid in "$APP_PID" "${OTHER_PID:-}" "${WM_PID:-}"; do
    if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; fi
  done
  # The bus last: it reaps the helpers it started.
  end_session_leftovers
  for pid in "${BUS_PID:-}" "${X_PID:-}"; do
    if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; fi
  done
  wait 2>/dev/null || true
  if [ "$FAILURES" -eq 0 ]; then rm -rf "$WORK"; else echo "kept $WORK for a look"; fi
}
trap cleanup EXIT

fail() { echo "FAIL: $*"; FAILURES=$((FAILURES + 1)); }
pass() { echo "ok: $*"; }
check() { # check "what" command...
  local what=$1; shift
  if "$@"; then pass "$what"; else fail "$what"; fi
}

# An X server with its window manager, which has finished starting.
# `start_x held` starts the program's world before the window manager is
# there: openbox is kept in its start-up until release_wm, the others start
# only then. What a program started at log-in can meet.
# shellcheck disable=SC2120 # the scenarios call it without its optional word
start_x() { # start_x [held]
  exec 3< <(Xvfb -displayfd 1 -screen 0 "${SCREEN:-1280x800x24}" -nolisten tcp 2>/dev/null)
  X_PID=$!
  read -r -t 10 display <&3 || { fail "Xvfb starts"; finish; }
  export DISPLAY=:$display
  # A client that stays until the window manager has connected: Xvfb resets
  # when its last client leaves, and a window manager that connects during
  # the reset finds no display.
  exec 5< <(xprop -root -spy _NET_SUPPORTING_WM_CHECK 2>/dev/null)
  local holder=$!
  read -r -t 10 _ <&5 || { fail "Xvfb answers on $DISPLAY"; finish; }
  if [ "$WM" = openbox ]; then
    start_openbox "${1:-}"
  elif [ "${1:-}" != held ]; then
    start_desktop_wm
  fi
  kill "$holder" 2>/dev/null || true
  exec 5<&-
}

release_wm() {
  if [ "$WM" != openbox ]; then
    start_desktop_wm
    return
  fi
  timeout 10 tee "$WORK/openbox-rc.xml" </etc/xdg/openbox/rc.xml >/dev/null
  eventually_long test -e "$WORK/wm-ready" || wm_failed "openbox finishes starting"
}

# openbox 3.6.1 names itself on the root window (_NET_SUPPORTING_WM_CHECK) as
# soon as it has taken the screen, before its start-up is done; a map request
# that arrives in between waits in openbox's own event queue, which its main
# loop only looks at when the next X event comes, and the window stays
# unmapped until then. Its --startup command runs once the start-up is done.
# Held, it reads its configuration from a pipe that release_wm fills.
start_openbox() { # start_openbox [held]
  local config=()
  if [ "${1:-}" = held ]; then
    mkfifo "$WORK/openbox-rc.xml"
    config=(--config-file "$WORK/openbox-rc.xml")
  fi
  openbox --sm-disable "${config[@]}" --startup "touch $WORK/wm-ready" >"$WORK/wm.log" 2>&1 &
  WM_PID=$!
  if [ "${1:-}" = held ]; then
    eventually_long wm_has_screen || wm_failed "openbox takes the screen"
  else
    eventually_long test -e "$WORK/wm-ready" || wm_failed "openbox finishes starting"
  fi
}

# The desktops' window managers run as in a session of their own: a session
# bus (which they need, and which starts helpers such as xfconfd and
# kglobalaccel5 on demand) and a home folder inside $WORK, so that they read
# their defaults and write nothing outside it. Everything that session starts
# carries the mark SCRIVULETS_E2E_RUN in its environment, by which cleanup
# finds what a helper left running after the bus and the manager ended.
start_desktop_wm() {
  local home=$WORK/wm-home
  mkdir -p "$home/.config" "$home/.cache"
  local session=(env SCRIVULETS_E2E_RUN="$WORK" HOME="$home" XDG_CONFIG_HOME="$home/.config"
    XDG_CACHE_HOME="$home/.cache" NO_AT_BRIDGE=1)
  exec 4< <("${session[@]}" dbus-daemon --session --nofork --print-address 1 2>"$WORK/bus.log")
  BUS_PID=$!
  read -r -t 10 DBUS_SESSION_BUS_ADDRESS <&4 || wm_failed "the session bus starts"
  # The program sees the session's bus, as on the desktop.
  export DBUS_SESSION_BUS_ADDRESS
  local command
  case $WM in
    xfwm4) command=(xfwm4 --compositor=on --sm-client-disable) ;;
    mutter) command=(mutter --x11 --replace --sm-disable) ;;
    kwin) command=(kwin_x11 --replace) ;;
  esac
  "${session[@]}" "${command[@]}" >"$WORK/wm.log" 2>&1 &
  WM_PID=$!
  eventually_long wm_has_screen || wm_failed "$WM takes the screen"
  wm_takes_in_a_window || wm_failed "$WM takes in a window"
}

# A window mapped now is taken in by the window manager (ICCCM's WM_STATE on
# it) within 10 s. The probe window goes again at once.
wm_takes_in_a_window() {
  local probe id managed=1
  xmessage -name scrivulets-probe -geometry +0+0 -timeout 20 probe >/dev/null 2>&1 &
  probe=$!
  for _ in $(seq 100); do
    id=$(xdotool search --classname '^scrivulets-probe$' 2>/dev/null | head -1) || true
    if [ -n "$id" ] && xprop -id "$id" WM_STATE 2>/dev/null | grep -q 'window state'; then
      managed=0
      break
    fi
    sleep 0.1
  done
  kill "$probe" 2>/dev/null || true
  wait "$probe" 2>/dev/null || true
  return "$managed"
}

# The processes the window manager's session started and left running, the
# session bus aside.
session_leftovers() {
  grep -lsxz "SCRIVULETS_E2E_RUN=$WORK" /proc/[0-9]*/environ 2>/dev/null | cut -d/ -f3 |
    grep -vx "${BUS_PID:-none}" || true
}

no_session_leftovers() { [ -z "$(session_leftovers)" ]; }

end_session_leftovers() {
  local pids
  pids=$(session_leftovers)
  [ -n "$pids" ] || return 0
  # shellcheck disable=SC2086 # one id a word
  kill $pids 2>/dev/null || true
  eventually_long no_session_leftovers || {
    # shellcheck disable=SC2046
    kill -KILL $(session_leftovers) 2>/dev/null || true
  }
}

wm_failed() { # wm_failed "what was expected"
  local said
  said=$(grep -m1 . "$WORK/wm.log" 2>/dev/null) || said="nothing in its log"
  fail "$1 on $DISPLAY: $WM $(kill -0 "${WM_PID:-}" 2>/dev/null && echo "is running" || echo "has ended"), $said"
  finish
}

wm_has_screen() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }

start_app() {
  "$APP" >"$WORK/app.log" 2>&1 &
  APP_PID=$!
}

# The visible window of the program whose size matches (wait up to 10 s).
find_window() { # find_window [min_width]
  local min=${1:-0} id w
  for _ in $(seq 100); do
    for id in $(xdotool search --onlyvisible --pid "$APP_PID" 2>/dev/null); do
      w=$(win_width "$id")
      [ "${w:-0}" -ge "$min" ] && { echo "$id"; return 0; }
    done
    sleep 0.1
  done
  return 1
}

# When find_window found nothing: fails with one line on where things stand
# (the program, its X windows, the window manager), then ends the scenario
# with the log and a screenshot.
window_missing() { # window_missing "what was expected"
  local why id="" info state
  if kill -0 "$APP_PID" 2>/dev/null; then
    why="the program (pid $APP_PID) is running"
    for id in $(xdotool search --pid "$APP_PID" 2>/dev/null); do
      info=$(xwininfo -id "$id" 2>/dev/null) || continue
      case $(awk '/Map State:/ {print $3}' <<<"$info") in
        IsViewable) state="mapped" ;;
        IsUnviewable) state="mapped in an unmapped parent" ;;
        *) state="not mapped" ;;
      esac
      grep -q 'Override Redirect State: yes' <<<"$info" && state+=", override-redirect"
      xprop -id "$id" WM_STATE 2>/dev/null | grep -q 'window state' ||
        state+=", not taken in by the window manager"
      why+="; window $(printf '0x%x' "$id") $(awk '/-geometry/ {print $2}' <<<"$info") $state"
    done
    [ -n "$id" ] || why+=" without any X window"
    if command -v gdb >/dev/null; then
      gdb -batch -p "$APP_PID" -ex 'thread apply all bt' >"$WORK/app-threads.txt" 2>&1
      why+="; its threads are in $WORK/app-threads.txt"
    fi
  else
    local status=0
    wait "$APP_PID" 2>/dev/null || status=$?
    APP_PID=""
    why="the program has ended with status $status"
    [ "$status" -gt 128 ] && why+=" (signal $((status - 128)))"
  fi
  if kill -0 "${WM_PID:-}" 2>/dev/null; then why+="; $WM is running"; else why+="; $WM has ended"; fi
  fail "$1: $why"
  finish
}

win_info() { xwininfo -id "$1" 2>/dev/null; }
win_x() { win_info "$1" | awk '/Absolute upper-left X/ {print $4}'; }
win_y() { win_info "$1" | awk '/Absolute upper-left Y/ {print $4}'; }
win_width() { win_info "$1" | awk '/Width:/ {print $2}'; }
win_height() { win_info "$1" | awk '/Height:/ {print $2}'; }

# _NET_WM_WINDOW_OPACITY as an alpha byte (255 when the property is absent).
win_alpha() {
  local v
  v=$(xprop -id "$1" _NET_WM_WINDOW_OPACITY 2>/dev/null | awk -F' = ' '/=/ {print $2}')
  [ -z "$v" ] && { echo 255; return; }
  awk -v v="$v" 'BEGIN { printf "%d\n", v / 4294967295 * 255 + 0.5 }'
}

win_state() { xprop -id "$1" _NET_WM_STATE 2>/dev/null; }

# Another program's window, made the active one as a user would (a click on
# it, or Alt+Tab): $OTHER is its id.
activate_other_program() {
  if [ -z "${OTHER_PID:-}" ]; then
    xmessage -name scrivulets-other -geometry +700+500 "outro programa" >/dev/null 2>&1 &
    OTHER_PID=$!
  fi
  OTHER=""
  for _ in $(seq 100); do
    OTHER=$(xdotool search --onlyvisible --classname '^scrivulets-other$' 2>/dev/null | head -1) || true
    [ -n "$OTHER" ] && break
    sleep 0.1
  done
  [ -n "$OTHER" ] || { fail "another program's window appears"; finish; }
  xdotool windowactivate "$OTHER" 2>/dev/null || true
  eventually active_is "$OTHER" || fail "another program's window becomes the active one"
}

# Waits up to 3 s for a command to succeed.
eventually() {
  for _ in $(seq 30); do "$@" && return 0; sleep 0.1; done
  return 1
}

# Holds for 3 s: what must not happen while the program's own timers run.
throughout() {
  for _ in $(seq 30); do "$@" || return 1; sleep 0.1; done
}

# The same for what a loaded machine may take longer to do (up to 10 s).
eventually_long() {
  for _ in $(seq 100); do "$@" && return 0; sleep 0.1; done
  return 1
}

near() { local a=$1 b=$2 tol=${3:-2}; [ $((a > b ? a - b : b - a)) -le "$tol" ]; }

shot() { import -window root "$WORK/$1.png" 2>/dev/null || true; echo "screenshot: $WORK/$1.png"; }

finish() {
  if [ "$FAILURES" -ne 0 ]; then
    echo "--- program output"; cat "$WORK/app.log" 2>/dev/null || true
    shot failure
    exit 1
  fi
  echo "all checks passed"
}

# Conditions to wait for with `eventually` (they read the window afresh each
# time; `eventually test "$(win_x ...)"` would test one reading thirty times).
x_is() { [ "$(win_x "$1")" -eq "$2" ]; }
y_is() { [ "$(win_y "$1")" -eq "$2" ]; }
width_is() { [ "$(win_width "$1")" -eq "$2" ]; }
alpha_is() { [ "$(win_alpha "$1")" -eq "$2" ]; }
# The strip looks at the pointer only when it moves, and its first look only
# notes where the pointer is: a pointer set down over a strip whose first look
# comes later leaves it translucent. So the pointer keeps moving by a pixel
# over the strip (at x, y of window $1) until it turns opaque.
POINTER_MOVES=0
pointer_moves_opaque() {
  xdotool mousemove --window "$1" $(($2 + ++POINTER_MOVES % 2)) "$3"
  alpha_is "$1" 255
}
# The side window: the program's visible window that is 298 pixels high.
side_window() {
  local id
  for id in $(xdotool search --onlyvisible --pid "$APP_PID" 2>/dev/null); do
    [ "$(win_height "$id")" -eq 298 ] && { echo "$id"; return 0; }
  done
  return 1
}
# The colour the screen shows at a point: "r,g,b".
screen_colour() {
  import -window root -crop 1x1+"$1"+"$2" -depth 8 txt:- 2>/dev/null |
    awk 'NR == 2 { gsub(/[()]/, "", $2); print $2 }'
}
shows_white() { [ "$(screen_colour "$1" "$2")" = 255,255,255 ]; }
shows_through() { ! shows_white "$1" "$2"; }
# Opaque while the pointer is over the strip, translucent (90 %) once it
# leaves; where a compositor draws windows, the white text box shows so.
translucency_follows_the_pointer() {
  local x y
  x=$(($(win_x "$1") + 200))
  y=$(($(win_y "$1") + 60))
  xdotool mousemove 900 600
  check "translucent with the pointer away" eventually alpha_is "$1" 230
  check "opaque with the pointer over it" eventually pointer_moves_opaque "$1" 150 100
  if promises composited; then
    check "$WM's compositor shows it opaque" eventually shows_white "$x" "$y"
  fi
  xdotool mousemove 900 600
  check "translucent again when the pointer leaves" eventually alpha_is "$1" 230
  if promises composited; then
    check "$WM's compositor shows it translucent" eventually shows_through "$x" "$y"
  fi
}
has_side_window() { side_window >/dev/null; }
# The window that has the keyboard.
active_is() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ]; }
no_side_window() { ! side_window >/dev/null; }
file_is() { [ -f "$1" ] && [ "$(cat "$1"; echo x)" = "$2x" ]; }
is_viewable() { win_info "$1" | grep -q 'IsViewable'; }
lacks_window() { ! is_viewable "$1"; }
has_state() { win_state "$1" | grep -q "$2"; }
lacks_state() { ! win_state "$1" | grep -q "$2"; }
