#!/usr/bin/env bash
# The desktop entry and the AppStream file pass their validators, and
# `cmake --install` into a staging root gives the tree a desktop expects.
set -euo pipefail
source_dir=$1
build_dir=$2

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

desktop-file-validate "$source_dir/resources/corvale-scrivulets.desktop"
appstreamcli validate --no-net "$source_dir/resources/corvale-scrivulets.metainfo.xml"

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
DESTDIR="$stage" cmake --install "$build_dir" --prefix /usr >/dev/null
root="$stage/usr"

[ -x "$root/bin/corvale-scrivulets" ] || fail "bin/corvale-scrivulets missing or not executable"
desktop="$root/share/applications/corvale-scrivulets.desktop"
icon="$root/share/icons/hicolor/scalable/apps/corvale-scrivulets.svg"
metainfo="$root/share/metainfo/example.scrivulets.CorvaleScrivulets.metainfo.xml"
manpage="$root/share/man/man1/corvale-scrivulets.1.gz"
copyright="$root/share/doc/corvale-scrivulets/copyright"
for f in "$desktop" "$icon" "$metainfo" "$manpage" "$copyright"; do
  [ -f "$f" ] || fail "${f#"$stage"} not installed"
done
grep -q '<svg' "$icon" || fail "the installed icon is not an SVG picture"

# The entry must name what was installed: its command in bin/, its
# actions' commands too, its icon by the name the icon theme knows.
while IFS= read -r exec_line; do
  [ -x "$root/bin/${exec_line%% *}" ] || fail "Exec=$exec_line names no installed program"
done < <(sed -n 's/^Exec=//p' "$desktop")
icon_line=$(sed -n 's/^Icon=//p' "$desktop")
[ "$icon_line" = "$(basename "$icon" .svg)" ] || fail "Icon=$icon_line is not the installed icon"

# The installed pair as a software centre sees it: file name, launchable, icon.
appstreamcli validate-tree --no-net "$stage"

# Nothing else slips into the package.
extra=$(cd "$stage" && find . -type f | sort | { grep -v -x -e './usr/bin/corvale-scrivulets' \
  -e "./${desktop#"$stage/"}" -e "./${icon#"$stage/"}" -e "./${metainfo#"$stage/"}" \
  -e "./${manpage#"$stage/"}" -e "./${copyright#"$stage/"}" || true; })
[ -z "$extra" ] || fail "unexpected installed files: $extra"

echo "The install tree is complete and valid."
