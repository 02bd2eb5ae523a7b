# What bench/run and bench/profile-startup share: the release build with the
# benchmark programs, a working folder and an X server of their own (Xvfb
# with openbox), and the data the program starts with. Sourced.
# shellcheck shell=bash

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=$ROOT/build-bench
APP=$BUILD/corvale-scrivulets
FLOOR=$BUILD/bench/bench_floor
MAPWAIT=$BUILD/bench/bench_mapwait
PIDS=()

# Installs what the benchmarks need and builds the given targets.
bench_build() { # bench_build TARGET...
  "$ROOT/scripts/install-deps" --bench
  echo "Building a release build in $BUILD"
  cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release -DSCRIVULETS_BENCH=ON >/dev/null
  ninja -C "$BUILD" -j2 "$@" >"$BUILD/bench-build.log" || { cat "$BUILD/bench-build.log"; exit 1; }
}

# A working folder, WORK, removed on exit with every process in PIDS.
# bench_on_exit runs first, when the caller defines it.
bench_workdir() {
  WORK=$(mktemp -d /tmp/scrivulets-bench.XXXXXX)
  export XDG_RUNTIME_DIR=$WORK/runtime
  mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
  trap bench_cleanup EXIT
}
bench_cleanup() {
  local p
  if declare -F bench_on_exit >/dev/null; then bench_on_exit || true; fi
  for p in "${PIDS[@]}"; do kill "$p" 2>/dev/null || true; done
  rm -rf "$WORK"
}

# Xvfb, wide enough for windows side by side, with openbox on it; DISPLAY.
bench_start_x() {
  exec 3< <(exec Xvfb -displayfd 1 -screen 0 1920x1080x24 -nolisten tcp 2>/dev/null)
  PIDS+=($!)
  local display
  read -r -t 10 display <&3 || { echo "Xvfb did not start" >&2; exit 1; }
  export DISPLAY=:$display
  # Until openbox has finished starting, not only taken the screen: a window
  # mapped in between waits for the next X event (tests/e2e/lib.sh, start_x).
  openbox --sm-disable --startup "touch $WORK/wm-ready" >/dev/null 2>&1 &
  PIDS+=($!)
  for _ in $(seq 100); do
    [ -e "$WORK/wm-ready" ] && break
    sleep 0.1
  done
}

# The 20 short lines every start-up figure shows, CR LF line ends.
twenty_lines() {
  local i
  for i in $(seq 20); do printf 'lembrete %d: ligar para o cliente\r\n' "$i"; done
}

# config.txt naming the text to reopen on its line 9, in DIR, with every line
# ending in CR LF, and an empty texts folder beside it.
make_settings() { # make_settings DIR TEXTNAME
  mkdir -p "$1/textos"
  printf '%s\r\n' 294 140 280 90 1 2 Arial '1000|1000|1000|1000' "$2" >"$1/config.txt"
}

# A data folder for XDG_DATA_HOME=DIR holding the 20 lines as the text to reopen.
make_small_data() { # make_small_data DIR
  make_settings "$1/corvale-scrivulets" bench.txt
  twenty_lines >"$1/corvale-scrivulets/textos/bench.txt"
}

# Ends a program bench_mapwait started (not our child): waits until it is gone
# or only a zombie is left.
stop() { # stop PID
  kill "$1" 2>/dev/null || return 0
  for _ in $(seq 50); do
    [ -e "/proc/$1" ] || return 0
    [ "$(awk '{ print $3 }' "/proc/$1/stat" 2>/dev/null)" = Z ] && return 0
    sleep 0.05
  done
  kill -9 "$1" 2>/dev/null || true
}
