#!/bin/sh
# Installs the build into a temporary prefix, checks what the install adds for a desktop, plays
# from the installed tree, then from the same tree moved elsewhere; the tree never changes.
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

listing "$prefix" > "$work/before.txt"
play_installed "$prefix/games/killglimbot" "$work/home"
listing "$prefix" > "$work/after.txt"
cmp -s "$work/before.txt" "$work/after.txt" || fail "the game wrote into its installed tree"

mv "$prefix" "$work/moved"
play_installed "$work/moved/games/killglimbot" "$work/home2"
echo "installed game plays from $prefix and after a move"
