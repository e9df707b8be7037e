#!/bin/sh
# Records every scripted golden replay anew and writes what verifying it prints. For a change
# of play made on purpose: run it from the source folder with the built game, then commit.
#   tests/replays/rerecord.sh build/dev/bin/killglimbot
set -e
game=$1
folder=$(dirname "$0")
save=$(mktemp -d)
trap 'rm -rf "$save"' EXIT
for script in "$folder"/*.txt; do
    name=${script%.txt}
    rm -f "$name.kgr"
    "$game" --headless --save "$save" --script "$script" --record "$name.kgr" >/dev/null
    "$game" --verify "$name.kgr" >"$name.expected"
    echo "$name.kgr: $(head -n 1 "$name.expected")"
done
