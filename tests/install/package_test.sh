#!/bin/sh
# Builds the Debian package from this build, checks it with lintian when it is there, extracts
# it and plays from the extracted tree. Skipped (77) without dpkg-deb.
set -eu
build=$1
command -v dpkg-deb > /dev/null && command -v dpkg-shlibdeps > /dev/null || exit 77
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
. "$(dirname "$0")/play_installed.sh"

(cd "$build" && cpack -G DEB -B "$work/package" > "$work/cpack.txt") \
  || fail "cpack: $(cat "$work/cpack.txt")"
deb=$(ls "$work"/package/killglimbot_*_*.deb)
dpkg-deb --field "$deb" Section | grep -qx games || fail "not in section games"
dpkg-deb --field "$deb" Depends | grep -q libsdl2 || fail "no shared library dependencies"
if command -v lintian > /dev/null; then
  lintian --fail-on error "$deb" > "$work/lintian.txt" 2>&1 || fail "lintian: $(cat "$work/lintian.txt")"
fi

dpkg-deb -x "$deb" "$work/root"
[ -s "$work/root/usr/share/games/killglimbot/title.qvx" ] || fail "no data in /usr/share/games"
grep -qx "Exec=killglimbot" "$work"/root/usr/share/applications/*.desktop \
  || fail "the desktop entry does not start killglimbot from the PATH"
play_installed "$work/root/usr/games/killglimbot" "$work/home"
echo "$(basename "$deb") plays from its extracted tree"
