#!/usr/bin/env bash
# `cpack -G DEB` gives a package that depends on the Qt 6 runtime, and whose
# unpacked program starts, writes its settings and has its icon beside it.
set -euo pipefail
build_dir=$1

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cpack -G DEB --config "$build_dir/CPackConfig.cmake" -B "$work/pkg" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log" >&2; fail "cpack could not build the package"; }
debs=("$work"/pkg/*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "cpack made no single .deb"
deb=${debs[0]}

[ "$(dpkg-deb -f "$deb" Package)" = corvale-scrivulets ] || fail "wrong package name"
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for lib in libqt6core6 libqt6gui6 libqt6widgets6 libqt6svg6; do
  grep -q -E "(^|, )$lib([ ,]|$)" <<<"$depends" || fail "Depends lacks $lib"
done

dpkg -x "$deb" "$work/root"
program="$work/root/usr/bin/corvale-scrivulets"
[ -x "$program" ] || fail "the package has no usr/bin/corvale-scrivulets"
icon="$work/root/usr/share/icons/hicolor/scalable/apps/corvale-scrivulets.svg"
grep -q '<svg' "$icon" 2>/dev/null || fail "the package has no SVG icon"
grep -q -x 'Icon=corvale-scrivulets' "$work/root/usr/share/applications/corvale-scrivulets.desktop" ||
  fail "the desktop entry does not name the packaged icon"

# A first start with an empty data folder: the program keeps running (timeout
# ends it, 124) and has written its default settings.
mkdir -p "$work/data"
set +e
XDG_DATA_HOME="$work/data" QT_QPA_PLATFORM=offscreen timeout 2 "$program" >"$work/run.log" 2>&1
rc=$?
set -e
[ $rc -eq 124 ] || { cat "$work/run.log" >&2; fail "the program ended by itself with exit code $rc"; }
[ -s "$work/data/corvale-scrivulets/config.txt" ] || fail "the program wrote no config.txt"

echo "The package installs, starts and carries its icon."
