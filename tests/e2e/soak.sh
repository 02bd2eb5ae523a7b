#!/usr/bin/env bash
# A person's daily use of the strip, at random, in a real X server: typing
# and pasting, saving, renaming, the list, the settings, collapsing and
# expanding by every route, drags, second launches, kills and restarts,
# with what must always hold checked after every step (tests/e2e/soak.py
# says what). The seed is printed; the same seed replays the same steps.
#
#   tests/e2e/soak.sh STEPS [SEED]
#
# The program is build-test's unless SOAK_APP names another, the fake
# notification area likewise (SOAK_FAKETRAY). SEED defaults to today's date.
# SOAK_SKIP=name,name leaves known faults aside for a while, saying so.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
STEPS=${1:?usage: soak.sh STEPS [SEED]}
SEED=${2:-$(date +%Y%m%d)}
app=${SOAK_APP:-$here/../../build-test/corvale-scrivulets}
FAKETRAY=${SOAK_FAKETRAY:-$here/../../build-test/tests/e2e/faketray}
[ -x "$app" ] || { echo "no program at $app: build it, or set SOAK_APP"; exit 1; }
[ -x "$FAKETRAY" ] || { echo "no fake tray at $FAKETRAY: build it, or set SOAK_FAKETRAY"; exit 1; }

SCENARIO=soak
. "$here/lib.sh" "$app"
TRAY_PID=""
trap 'if [ -n "$TRAY_PID" ]; then kill "$TRAY_PID" 2>/dev/null || true; fi; cleanup' EXIT

start_x
# A Brazilian keyboard: ç has a key, accented letters their dead keys.
setxkbmap -layout br
"$FAKETRAY" >"$WORK/tray.log" 2>&1 &
TRAY_PID=$!
eventually_long grep -q '^tray ' "$WORK/tray.log" || { fail "the notification area starts"; finish; }

status=0
export APP WORK TRAY_LOG=$WORK/tray.log SCREEN=${SCREEN:-1280x800x24}
/usr/bin/python3 "$here/soak.py" "$STEPS" "$SEED" || status=$?
[ "$status" -eq 0 ] || fail "the soak (seed $SEED)"
finish
