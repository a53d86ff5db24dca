#!/usr/bin/env bash
# The installed game: `cmake --install` into a private prefix, its program folder made
# read-only and the game started through its link on the PATH with a home of its own. Game.ini
# must appear in the player's folder ($XDG_DATA_HOME/tessaroid/, else
# ~/.local/share/tessaroid/) with the expected bytes and be read back by the next start, and
# nothing may be written in the program folder. A writable copy keeps everything beside the
# executable; a player's folder that cannot be made ends with the settings-write failure. The
# Debian package: its files are those of the install rules, its dependencies are found, and
# it starts from a folder it was unpacked into; the validators and lintian where installed.
GAME_DIR=${1:?program folder}
BUILD=$(cd "$GAME_DIR/.." && pwd)
HERE=$(cd "$(dirname "$0")" && pwd)
source "$HERE/lib.sh"
[ -f "$BUILD/installed/folder/Game.ini" ] && [ -d "$GAME_DIR/data/ogg" ] ||
    { echo "no installed files or data folder in $BUILD"; exit 77; }
# Read-only folders are made writable again so that the cleanup can remove them.
trap 'chmod -R u+w "$E2E_TMP" 2>/dev/null; cleanup' EXIT
start_xvfb

# Root writes through any mode bits: as root the game runs without that power, as a player.
as_player=()
[ "$(id -u)" = 0 ] && as_player=(setpriv --inh-caps=-dac_override --bounding-set=-dac_override)

# Every file under $1 with its size, mode and time, to tell that nothing was written.
snapshot() {
    find "$1" -printf '%P %s %m %T@\n' | sort
}

# Starts "$@" with stderr to $E2E_TMP/$NAME.err, as a player, and waits for the title.
start_as_player() {
    local name=$1
    shift
    ALSOFT_DRIVERS=null "${as_player[@]}" "$@" 2>"$E2E_TMP/$name.err" &
    PID=$!
    GAME_PIDS="${GAME_PIDS:-} $PID"
    await_window "$name"
    wait_title "$ID"
}

# The settings panel from the title, VSYNC turned off (Game.ini offset 3 then holds 0).
vsync_off() {
    press "$ID" Up
    press "$ID" z
    sleep 1
    press "$ID" Down
    press "$ID" Right
    sleep 0.3
}

prefix=$E2E_TMP/prefix
# All the install rules (they are all in the one component), with the manifest written as
# install_manifest_Unspecified.txt: the build's own install_manifest.txt, which a player's
# `cmake --install` left for removing that install, is kept.
cmake --install "$BUILD" --component Unspecified --prefix "$prefix" >"$E2E_TMP/install.log" ||
    fail "cmake --install failed: $(tail -n 5 "$E2E_TMP/install.log")"
folder=$prefix/lib/games/tessaroid
for path in games/tessaroid lib/games/tessaroid/tessaroid lib/games/tessaroid/dir.txt \
    lib/games/tessaroid/Game.ini lib/games/tessaroid/SampleVS.glsl \
    lib/games/tessaroid/SamplePS.glsl lib/games/tessaroid/data/ogg/ogg_0000.txt \
    share/applications/tessaroid.desktop share/man/man6/tessaroid.6.gz \
    share/icons/hicolor/16x16/apps/tessaroid.png share/icons/hicolor/256x256/apps/tessaroid.png; do
    [ -e "$prefix/$path" ] || fail "the install has no $path"
done
[ "$(readlink "$prefix/games/tessaroid")" = ../lib/games/tessaroid/tessaroid ] ||
    fail "the link on the PATH points at $(readlink "$prefix/games/tessaroid")"
for side in 16 22 24 32 48 64 128 256; do
    [ "$(identify -format %wx%h "$prefix/share/icons/hicolor/${side}x$side/apps/tessaroid.png")" = "${side}x$side" ] ||
        fail "the ${side}x$side icon has another size"
done
# A player's own copy of the game: the installed program folder is not the build tree's.
cmp "$folder/Game.ini" "$BUILD/installed/folder/Game.ini" || fail "the installed Game.ini is not the default"
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$prefix/share/applications/tessaroid.desktop" || fail "desktop-file-validate"
fi
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net "$prefix"/share/metainfo/*.metainfo.xml >"$E2E_TMP/appstream.log" ||
        fail "appstreamcli validate: $(cat "$E2E_TMP/appstream.log")"
fi
echo "[$SECONDS s] cmake --install: the files are there"

# Read-only, HOME only: ~/.local/share/tessaroid/ is made and takes the changed settings.
"${as_player[@]}" true || { echo "cannot run as a player here"; exit 77; }
chmod -R a-w "$folder"
"${as_player[@]}" touch "$folder/probe" 2>/dev/null && { echo "the program folder stayed writable"; exit 77; }
before=$(snapshot "$prefix")
home=$E2E_TMP/home
mkdir -p "$home"
export HOME=$home
unset XDG_DATA_HOME
start_as_player read-only env PATH="$prefix/games:$PATH" tessaroid
vsync_off
quit_game read-only
own=$home/.local/share/tessaroid
cp "$folder/Game.ini" "$E2E_TMP/expected.ini"
printf '\x00' | dd of="$E2E_TMP/expected.ini" bs=1 seek=3 conv=notrunc status=none
cmp -l "$E2E_TMP/expected.ini" "$own/Game.ini" || fail "the player's Game.ini does not hold the change"
for made in "$home/.local" "$home/.local/share" "$own"; do
    [ "$(stat -c %a "$made")" = 700 ] || fail "$made was made with mode $(stat -c %a "$made")"
done
[ "$(ls -A "$own")" = Game.ini ] || fail "the player's folder holds $(ls -A "$own")"
[ "$(snapshot "$prefix")" = "$before" ] || fail "something was written in the installed tree"

# The next start reads them back (else the installed default would be written again).
start_as_player read-only-again env PATH="$prefix/games:$PATH" tessaroid
quit_game read-only-again
cmp "$E2E_TMP/expected.ini" "$own/Game.ini" || fail "the next start did not keep the settings"
echo "[$SECONDS s] read-only program folder: Game.ini in ~/.local/share/tessaroid, read back"

# XDG_DATA_HOME, not there yet: the first run starts from the installed settings.
export XDG_DATA_HOME=$E2E_TMP/xdg/data
start_as_player xdg env PATH="$prefix/games:$PATH" tessaroid
quit_game xdg
cmp "$folder/Game.ini" "$XDG_DATA_HOME/tessaroid/Game.ini" || fail "the first run did not start from the installed settings"
cmp "$E2E_TMP/expected.ini" "$own/Game.ini" || fail "the home folder's Game.ini was touched"
[ "$(snapshot "$prefix")" = "$before" ] || fail "something was written in the installed tree"
echo "[$SECONDS s] XDG_DATA_HOME: Game.ini made there from the installed settings"

# A player's folder that cannot be made: the game runs, and its exit says the settings were
# not saved, losing nothing.
echo "keep this" > "$E2E_TMP/a-file"
export XDG_DATA_HOME=$E2E_TMP/a-file
start_as_player no-folder env PATH="$prefix/games:$PATH" tessaroid
press "$ID" Escape
box=$(wait_window Error 30) || fail "no Error box when the player's folder could not be made"
close_box "$box" || fail "the Error box did not close"
wait_exit "$PID" 20
[ "$STATUS" = 0 ] || fail "the failed save ended with $STATUS"
grep -qF "Error: ini書き込みに失敗しました。" "$E2E_TMP/no-folder.err" || fail "no message on stderr"
[ "$(cat "$E2E_TMP/a-file")" = "keep this" ] || fail "the file in the way was changed"
[ "$(snapshot "$prefix")" = "$before" ] || fail "something was written in the installed tree"
echo "[$SECONDS s] a player's folder that cannot be made: the settings-write failure"

# A writable copy of the program folder keeps everything beside the executable.
portable=$E2E_TMP/portable
cp -a "$folder" "$portable"
chmod -R u+w "$portable"
export XDG_DATA_HOME=$E2E_TMP/xdg-portable HOME=$E2E_TMP/home-portable
mkdir -p "$HOME"
start_as_player portable "$portable/tessaroid"
vsync_off
quit_game portable
cmp -l "$E2E_TMP/expected.ini" "$portable/Game.ini" || fail "the copy's Game.ini does not hold the change"
cmp "$folder/dir.txt" "$portable/dir.txt" || fail "the copy's dir.txt changed"
[ -e "$XDG_DATA_HOME" ] || [ -n "$(ls -A "$HOME")" ] && fail "a writable copy wrote into the player's folders"
echo "[$SECONDS s] writable copy: everything beside the executable"

# The Debian package from the same rules.
if ! command -v cpack >/dev/null || ! command -v dpkg-deb >/dev/null; then
    echo "install e2e: passed (no cpack or dpkg-deb: the package was not checked)"
    exit 0
fi
cpack --config "$BUILD/CPackConfig.cmake" -B "$E2E_TMP/package" >"$E2E_TMP/cpack.log" 2>&1 ||
    fail "cpack failed: $(tail -n 5 "$E2E_TMP/cpack.log")"
deb=$(ls "$E2E_TMP"/package/tessaroid_*.deb) || fail "cpack made no package"
dpkg-deb -c "$deb" | awk '{print $6}' | sed -n -e 's|/$||' -e 's|^\./usr/||p' | sort >"$E2E_TMP/package.list"
(cd "$prefix" && find . -mindepth 1 -printf '%P\n' | sort) >"$E2E_TMP/install.list"
diff "$E2E_TMP/install.list" "$E2E_TMP/package.list" >&2 || fail "the package's files are not the install's"
depends=$(dpkg-deb -f "$deb" Depends)
for library in libsdl2-2.0-0 libepoxy0 libopenal1 libpng16-16 libvorbisfile3; do
    grep -q "$library" <<<"$depends" || fail "the package does not depend on $library: $depends"
done
if command -v lintian >/dev/null; then
    lintian --fail-on error,warning "$deb" >"$E2E_TMP/lintian.log" 2>&1 ||
        fail "lintian: $(cat "$E2E_TMP/lintian.log")"
fi
root=$E2E_TMP/root
dpkg-deb -x "$deb" "$root"
chmod -R a-w "$root/usr/lib/games/tessaroid"
export XDG_DATA_HOME=$E2E_TMP/xdg-package
start_as_player package "$root/usr/games/tessaroid"
quit_game package
cmp "$folder/Game.ini" "$XDG_DATA_HOME/tessaroid/Game.ini" || fail "the unpacked game did not save its settings"
echo "[$SECONDS s] the package: the install's files, its dependencies, started unpacked"
echo "install e2e: all passed"
