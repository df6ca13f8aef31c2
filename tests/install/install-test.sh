#!/usr/bin/env bash
# install-test.sh SOURCE_DIR BUILD_DIR [GAME_DIR DATA_DIR]
#
# GAME_DIR and DATA_DIR are where the build installs the programs and the data, relative to
# the prefix (bin and share/brinefall unless the build was configured otherwise).
#
# Installs the built game into an empty folder the way `make install PREFIX=...` does,
# plays 200 frames of the installed program from /, validates its desktop entry,
# AppStream metadata and manual page, and uninstalls: the folder must be as before.
set -euo pipefail
source_dir=$1
build_dir=$2
game_dir=${3:-bin}
data_dir=${4:-share/brinefall}
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

work="$(mktemp -d "${TMPDIR:-/tmp}/brinefall-install-XXXXXX")"
trap 'rm -rf "$work"' EXIT
prefix="$work/prefix"
mkdir -p "$prefix/share/applications"
# Somebody else's file in a folder the game also installs into: uninstall must leave it.
echo "[Desktop Entry]" >"$prefix/share/applications/someone-else.desktop"

"$source_dir/scripts/install-game" install "$build_dir" "$prefix" >"$work/install.log" 2>&1 ||
  { cat "$work/install.log" >&2; fail "install-game install"; exit 1; }

app=org.tidewell.Brinefall
for file in "$game_dir/brinefall" "$game_dir/wavemelt" "$data_dir/icon.twi" "$data_dir/title.tws" \
  share/applications/$app.desktop share/metainfo/$app.metainfo.xml share/man/man6/brinefall.6 share/man/man1/wavemelt.1 \
  share/icons/hicolor/scalable/apps/$app.svg; do
  [ -f "$prefix/$file" ] || fail "$file was not installed"
done
for side in 16 32 64 128 256; do
  [ -f "$prefix/share/icons/hicolor/${side}x${side}/apps/$app.png" ] || fail "the ${side} pixel icon was not installed"
done
# The data is the baked one, with the sounds installed by wavemelt: no Ogg Vorbis left over.
if find "$prefix/$data_dir" -name '*.ogg' | grep -q .; then fail "Ogg Vorbis sources were installed"; fi

# The installed program finds its data beside itself, whatever the working directory.
settings="$work/settings"
mkdir -p "$settings"
if ! (cd / && BRINEFALL_SETTINGS_DIR="$settings" "$prefix/$game_dir/brinefall" --headless --frames 200) >"$work/run.log" 2>&1; then
  cat "$work/run.log" >&2
  fail "the installed brinefall --headless --frames 200 started from / did not exit 0"
fi

desktop-file-validate "$prefix/share/applications/$app.desktop" || fail "desktop-file-validate refused the entry"
grep -q '^Categories=Game;ActionGame;ArcadeGame;$' "$prefix/share/applications/$app.desktop" ||
  fail "the entry's categories are not Game;ActionGame;ArcadeGame"
appstreamcli validate --no-net "$prefix/share/metainfo/$app.metainfo.xml" || fail "appstreamcli refused the metadata"
version="$("$prefix/$game_dir/brinefall" --version | awk '{print $2}')"
grep -q "<release version=\"$version\"" "$prefix/share/metainfo/$app.metainfo.xml" ||
  fail "the metadata has no release $version"

page="$prefix/share/man/man6/brinefall.6"
if ! LC_ALL=C MANWIDTH=100 man -l "$page" >"$work/man.txt" 2>"$work/man.err"; then fail "man -l cannot render the page"; fi
LC_ALL=C man --warnings -l "$page" >/dev/null 2>"$work/man.warnings" || true
if [ -s "$work/man.warnings" ]; then cat "$work/man.warnings" >&2; fail "the manual page has troff warnings"; fi
grep -q '^CONTROLS' "$work/man.txt" || fail "the manual page has no CONTROLS section"
for control in 'Left Ctrl' 'arrow keys' 'Alt+Enter' 'F11' 'F12'; do
  grep -q "$control" "$work/man.txt" || fail "the manual page does not name $control"
done
# Every option that --help lists is explained in the page.
for option in $("$prefix/$game_dir/brinefall" --help | grep -oE '(^| )--?[a-z][a-z-]*' | sort -u); do
  grep -qE -- "(^|[ ,])$option([ ,]|$)" "$work/man.txt" || fail "the manual page does not explain $option"
done

"$source_dir/scripts/install-game" uninstall "$build_dir" "$prefix" >"$work/uninstall.log" 2>&1 ||
  { cat "$work/uninstall.log" >&2; fail "install-game uninstall"; }
left="$(cd "$prefix" && find . -mindepth 1 | LC_ALL=C sort | tr '\n' ' ')"
expected="./share ./share/applications ./share/applications/someone-else.desktop "
[ "$left" = "$expected" ] || fail "after uninstall the prefix holds: $left (expected: $expected)"

if [ "$failures" -gt 0 ]; then
  echo "$failures failed" >&2
  exit 1
fi
echo "install, run from /, validation and uninstall: all good"
