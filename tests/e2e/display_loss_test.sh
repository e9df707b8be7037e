#!/bin/sh
# The display server going away while the game runs in a window: the game ends promptly with
# status 0, its log closed and its Killer List written, as on a close request.
set -eu
game=$1
data=$2
work=$(mktemp -d)
server=""
trap '[ -n "$server" ] && kill "$server" 2>/dev/null; rm -rf "$work"' EXIT
cp "$data"/*.qvx "$data"/*.PCK "$data"/error.dat "$work"
cd "$work"
fail() { echo "FAIL: $*"; cat err.txt 2>/dev/null; exit 1; }

# A private X server on a free display number, which it writes to fd 3 once it is ready.
Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp 3> display.txt 2> /dev/null &
server=$!
for _ in $(seq 100); do [ -s display.txt ] && break; sleep 0.1; done
[ -s display.txt ] || fail "Xvfb did not start"

DISPLAY=:$(cat display.txt) SDL_AUDIODRIVER=dummy timeout 30 "$game" --window=1 --data . --save . \
  > out.txt 2> err.txt &
game_pid=$!
# The title screen is up once the display started.
for _ in $(seq 100); do grep -q "lpDDSPrimary" debug.txt 2> /dev/null && break; sleep 0.1; done
grep -q "lpDDSPrimary" debug.txt || fail "the game did not start its display"
sleep 1

kill "$server"
wait "$server" 2> /dev/null || true
server=""
started=$(date +%s)
status=0
wait "$game_pid" || status=$?
[ "$status" -eq 0 ] || fail "exit status $status"
[ $(($(date +%s) - started)) -le 5 ] || fail "the game took more than 5 s to end"
grep -q "The connection to the display was lost" debug.txt || fail "the log does not say the loss"
[ "$(wc -c < killer.dat)" -eq 416 ] || fail "no Killer List written"
tail -n 1 debug.txt | grep -q "==== END ====" || fail "the log is not closed"
echo "display loss: all checks passed"
