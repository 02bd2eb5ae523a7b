#!/usr/bin/env bash
# `cpack -G DEB` gives a package that depends on the Qt 6 runtime and Qt's
# Portuguese, that lintian accepts, and whose unpacked program answers
# --version without a display, starts, writes its settings and has its icon
# beside it.
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
if [ ${#debs[@]} -ne 1 ] || [ ! -f "${debs[0]}" ]; then fail "cpack made no single .deb"; fi
deb=${debs[0]}

[ "$(dpkg-deb -f "$deb" Package)" = corvale-scrivulets ] || fail "wrong package name"
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for lib in libqt6core6 libqt6gui6 libqt6widgets6 libqt6network6 libqt6svg6 qt6-translations-l10n; do
  grep -q -E "(^|, )$lib([ ,]|$)" <<<"$depends" || fail "Depends lacks $lib"
done

# No error and no warning from lintian, pedantic tags included; what it
# still says (info, pedantic, overrides) is shown.
command -v lintian >/dev/null || fail "lintian is missing (scripts/install-deps --test)"
lintian --pedantic --display-info --show-overrides "$deb" >"$work/lintian.log" 2>&1 || true
cat "$work/lintian.log"
! grep -E '^[EW]: ' "$work/lintian.log" || fail "lintian reports errors or warnings"

dpkg -x "$deb" "$work/root"
program="$work/root/usr/bin/corvale-scrivulets"
[ -x "$program" ] || fail "the package has no usr/bin/corvale-scrivulets"

# Full RELRO: relocations done at start (BIND_NOW), then made read-only.
readelf -d "$program" | grep -q -E 'FLAGS.*BIND_NOW|FLAGS_1.*NOW' || fail "not linked with -z now"
readelf -lW "$program" | grep -q GNU_RELRO || fail "not linked with -z relro"

# gzip -n: no file name and no time stamp in the header, so a rebuild gives
# the same bytes.
doc="$work/root/usr/share/doc/corvale-scrivulets"
for gz in "$doc/changelog.Debian.gz" "$work/root/usr/share/man/man1/corvale-scrivulets.1.gz"; do
  [ -f "$gz" ] || fail "the package has no ${gz#"$work/root"}"
  # Bytes 3 to 7: the flags (bit 3 is "a name follows") and the time stamp.
  [ "$(od -An -tx1 -j3 -N5 "$gz" | tr -d ' ')" = 0000000000 ] ||
    fail "${gz#"$work/root"} carries a name or a time stamp"
done
head -1 "$doc/copyright" | grep -q -x 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
  fail "the copyright file is not in the machine-readable format"

# --version: the package's upstream version, with no display at all.
version=$(dpkg-deb -f "$deb" Version)
answer=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" --version) ||
  fail "--version failed without a display"
[ "$answer" = "corvale-scrivulets ${version%-*}" ] || fail "--version says \"$answer\" in $version"
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
