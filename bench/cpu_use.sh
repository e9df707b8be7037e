#!/bin/sh
# Processor use of the real game in a 1280 x 960 window on a virtual X server (Xvfb, no graphics
# card), on both picture paths: the title screen waiting for a key, then a run with the mouse
# moving. Figures are percent of one core, from the process's own times in /proc.
#
#   bench/cpu_use.sh DISPLAY [BUILD_FOLDER] [SECONDS]
#
# DISPLAY is the X display number to start Xvfb on (7 or above), BUILD_FOLDER the build to run
# (default build/release), SECONDS how long each figure is measured (default 20). Needs Xvfb and
# xdotool (Debian packages xvfb and xdotool).
set -eu

number=${1:?usage: bench/cpu_use.sh DISPLAY [BUILD_FOLDER] [SECONDS]}
build=${2:-build/release}
seconds=${3:-20}
game=$(cd "$build" && pwd)/bin/killglimbot
work=$(mktemp -d)
xvfb=
game_pid=
mover=

stop() {
  [ -n "$mover" ] && { pkill -P "$mover"; kill "$mover"; } 2>/dev/null || true
  [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null || true
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap stop EXIT INT TERM

ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }

# Percent of one core the process used over the next $seconds seconds.
measure() {
  before=$(ticks "$1")
  sleep "$seconds"
  after=$(ticks "$1")
  awk -v t="$((after - before))" -v hz="$(getconf CLK_TCK)" -v s="$seconds" \
    'BEGIN { printf "%.1f", 100 * t / hz / s }'
}

# The pointer goes round the field, a step every 20 ms, as a player's hand would.
move_mouse() {
  steps=
  i=0
  while [ $i -lt 100 ]; do
    x=$((640 + (i * 37) % 560 - 280)); y=$((480 + (i * 53) % 400 - 200))
    steps="$steps mousemove --window $1 $x $y sleep 0.02"
    i=$((i + 1))
  done
  while :; do
    # shellcheck disable=SC2086
    DISPLAY=:$number xdotool $steps 2>/dev/null || true
  done
}

Xvfb ":$number" -screen 0 1600x1200x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
sleep 2

printf '%-12s %-22s %-22s %s\n' renderer "title, waiting" "play, mouse moving" "path taken"
for renderer in auto accelerated software; do
  mkdir -p "$work/$renderer/config/killglimbot" "$work/$renderer/save"
  printf 'renderer = %s\n' "$renderer" >"$work/$renderer/config/killglimbot/killglimbot.ini"
  env DISPLAY=":$number" XDG_CONFIG_HOME="$work/$renderer/config" \
    "$game" --window=2 --save "$work/$renderer/save" >/dev/null 2>&1 &
  game_pid=$!
  sleep 6 # the title's zoom lasts 3 s
  title=$(measure "$game_pid")
  DISPLAY=:$number xdotool key space
  sleep 3
  window=$(DISPLAY=:$number xdotool search --name "Kill Glimbot" | head -n 1)
  move_mouse "$window" &
  mover=$!
  sleep 1
  play=$(measure "$game_pid")
  pkill -P "$mover" || true
  kill "$mover"
  mover=
  kill "$game_pid"
  wait "$game_pid" || true
  game_pid=
  path=$(grep -a "Picture through" "$work/$renderer/save/debug.txt" | sed 's/Picture through //' | tr -d '\r')
  printf '%-12s %-22s %-22s %s\n' "$renderer" "$title %" "$play %" "$path"
done
