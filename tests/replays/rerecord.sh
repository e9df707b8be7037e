#!/bin/sh
# Records the golden replays anew after a change of play made on purpose, and writes what
# verifying each prints. A journal with a script beside it is recorded from the script; one
# without (recorded by hand) is replayed with the same input and journalled again. Run it from
# the source folder with the built game, look at the new results, then commit them:
#   tests/replays/rerecord.sh build/dev/bin/killglimbot
set -e
game=$1
folder=$(dirname "$0")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for journal in "$folder"/*.kgr; do
    name=${journal%.kgr}
    if [ -f "$name.txt" ]; then
        "$game" --headless --save "$work" --script "$name.txt" --record "$work/new.kgr" >/dev/null
    else
        "$game" --verify "$journal" --record "$work/new.kgr" >/dev/null || true
    fi
    mv "$work/new.kgr" "$journal"
    "$game" --verify "$journal" >"$name.expected"
    echo "$journal: $(head -n 1 "$name.expected")"
done
