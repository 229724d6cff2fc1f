#!/usr/bin/env bash
# Installs the build into a temporary prefix and runs the installed game from outside the
# build tree: every part lands in its place, the desktop entry and metainfo are valid (when
# the validators are installed), and with a read-only data folder the configuration is saved
# under the XDG data home.
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
prefix=$work/prefix
fail() { echo "install test: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null
app=org.zelvorin.Zelvorin
for f in games/vorin bin/zvtool bin/ronvalet-play lib/zelvorin/libRonvalet.so \
         share/zelvorin/font.bmp share/zelvorin/se.dxw share/zelvorin/einit.dat \
         share/applications/$app.desktop share/metainfo/$app.metainfo.xml share/man/man6/vorin.6; do
  [ -f "$prefix/$f" ] || fail "missing $f"
done
for size in 16 24 32 48 64 128 256; do
  icon=$prefix/share/icons/hicolor/${size}x${size}/apps/$app.png
  [ -f "$icon" ] || fail "missing icon $size"
  head -c 24 "$icon" | od -An -tx1 | tr -d ' \n' | grep -q "^89504e470d0a1a0a" || fail "icon $size is no PNG"
done
[ ! -e "$prefix/share/zelvorin/zvscore.dat" ] || fail "a score file was installed"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$prefix/share/applications/$app.desktop"
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$prefix/share/metainfo/$app.metainfo.xml" >/dev/null ||
    appstreamcli validate --no-net "$prefix/share/metainfo/$app.metainfo.xml"
fi
if command -v man >/dev/null; then
  MANWIDTH=80 man -l "$prefix/share/man/man6/vorin.6" 2>&1 | grep -q -- "--record" || fail "man page"
fi

# Outside the build tree, with a home of its own and a read-only data folder that holds a
# packager's default configuration.
printf '[Input]\nSpeedOff=5\n' >"$prefix/share/zelvorin/zvconfig.ini"
chmod -R a-w "$prefix/share/zelvorin"
export HOME=$work/home XDG_DATA_HOME=$work/home/data XDG_DATA_DIRS=/nonexistent
export SDL_AUDIODRIVER=dummy RONVALET_OUTPUT=none
unset LD_LIBRARY_PATH
cd "$work"
"$prefix/games/vorin" --headless --frames 60 || fail "the installed game did not run"
"$prefix/bin/zvtool" --help >/dev/null 2>&1 || fail "zvtool did not run"
# The installed playtest finds the game in games/ and its data in share/, and fails without it.
"$prefix/bin/zvtool" playtest 5 --at-boss --check >"$work/playtest.txt" ||
  fail "the installed playtest failed: $(cat "$work/playtest.txt")"
grep -q "^seed 1$" "$work/playtest.txt" || fail "the installed playtest gave no report"
mv "$prefix/games/vorin" "$work/vorin.away"
if "$prefix/bin/zvtool" playtest 5 --at-boss >/dev/null 2>"$work/playtest.err"; then
  fail "the playtest passed without the game"
fi
grep -q "the game is not found" "$work/playtest.err" || fail "the playtest did not say why it failed"
mv "$work/vorin.away" "$prefix/games/vorin"
ldd "$prefix/bin/ronvalet-play" | grep -q "not found" && fail "ronvalet-play misses a library"

# Title: any button; main menu: down to CONFIG; configuration: down to SAVE, confirm.
script=$work/save.txt
: >"$script"
tap() { echo "$1 $2 down" >>"$script"; echo "$(($1 + 1)) $2 up" >>"$script"; }
tap 10 Z
for t in 12 14 16 18 20 22; do tap $t Down; done
tap 24 Z
for t in 40 42 44 46 48 50 52; do tap $t Down; done
tap 54 Z
"$prefix/games/vorin" --headless --frames 60 --input "$script" || fail "the scripted run failed"
[ -f "$XDG_DATA_HOME/zelvorin/zvconfig.ini" ] || fail "no configuration under the XDG data home"
[ "$(cat "$prefix/share/zelvorin/zvconfig.ini")" = "$(printf '[Input]\nSpeedOff=5')" ] ||
  fail "the configuration went into the data folder"
# The player's copy started from the installed defaults and got every key on saving.
grep -q "^SpeedOff=5" "$XDG_DATA_HOME/zelvorin/zvconfig.ini" || fail "the defaults were not kept"
grep -q "^ButtonA=" "$XDG_DATA_HOME/zelvorin/zvconfig.ini" || fail "configuration has no keys"
echo "install test: passed"
