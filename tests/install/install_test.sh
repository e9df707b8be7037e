#!/bin/sh
# Installs the build into a temporary prefix, checks what the install adds for a desktop, plays
# from the installed tree, then from the same tree moved elsewhere; the tree never changes.
# Then installs into a player's ~/.local and starts the game as the menu entry and a terminal
# would.
set -eu
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
. "$(dirname "$0")/play_installed.sh"

cmake --install "$build" --prefix "$work/prefix" > /dev/null
prefix=$work/prefix
desktop-file-validate "$prefix"/share/applications/*.desktop || fail "desktop entry"
appstreamcli validate --no-net "$prefix"/share/metainfo/*.metainfo.xml > "$work/appstream.txt" \
  || fail "metainfo: $(cat "$work/appstream.txt")"
for page in "$prefix"/share/man/man1/qvxtool.1.gz "$prefix"/share/man/man1/pcktool.1.gz \
            "$prefix"/share/man/man6/killglimbot.6.gz; do
  warnings=$(zcat "$page" | groff -man -ww -z 2>&1)
  [ -z "$warnings" ] || fail "$page: $warnings"
done
for size in 32 48 64 128 256; do
  [ -s "$prefix/share/icons/hicolor/${size}x$size/apps/io.github.killglimbot.KillGlimbot.png" ] \
    || fail "no $size pixel icon"
done
for doc in README.md LICENSE copyright; do
  [ -s "$prefix/share/doc/killglimbot/$doc" ] || fail "no $doc"
done

grep -qx "Exec=$prefix/bin/killglimbot" "$prefix"/share/applications/*.desktop \
  || fail "the desktop entry does not start $prefix/bin/killglimbot"

listing "$prefix" > "$work/before.txt"
play_installed "$prefix/bin/killglimbot" "$work/home"
listing "$prefix" > "$work/after.txt"
cmp -s "$work/before.txt" "$work/after.txt" || fail "the game wrote into its installed tree"

mv "$prefix" "$work/moved"
play_installed "$work/moved/bin/killglimbot" "$work/home2"
echo "installed game plays from $prefix and after a move"

# A desktop session and a terminal both start from a login shell's environment; Debian's
# ~/.profile puts ~/.local/bin on the PATH when it is there.
player=$work/player
mkdir -p "$player"
cp /etc/skel/.profile "$player/.profile" 2> /dev/null \
  || echo 'if [ -d "$HOME/.local/bin" ]; then PATH="$HOME/.local/bin:$PATH"; fi' > "$player/.profile"
cmake --install "$build" --prefix "$player/.local" > /dev/null
entry=$player/.local/share/applications/io.github.killglimbot.KillGlimbot.desktop
command=$(sed -n 's/^Exec=//p' "$entry")
for name in "$command" killglimbot; do
  found=$(cd / && env -i HOME="$player" sh -l -c "command -v $name") \
    || fail "a login shell does not find $name"
  [ "$found" = "$player/.local/bin/killglimbot" ] || fail "$name is found as '$found'"
done
play_installed "$found" "$player"
echo "the menu entry and a terminal start the game installed in ~/.local"
