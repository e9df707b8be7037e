#!/bin/sh
# The game killed outright (SIGKILL) at every system call around the Killer List's save, one
# run each: "killer.dat" must always be the old table or the new one, never a mix or nothing.
# strace delivers the kill as the chosen call begins, so every step of the save is hit.
set -eu
game=$1
data=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/data"
cp "$data"/*.qvx "$data"/*.PCK "$data"/error.dat "$work/data"
cd "$work"
fail() { echo "FAIL: $*"; exit 1; }
calls=openat,flock,ftruncate,write,fsync,fdatasync,close,rename,renameat,renameat2,unlink

# Shoots until a kill, loses, and enters the list under the name given.
script() {
  {
    echo "100 key 32"; echo "200 key 32"
    t=300; s=0
    while [ $t -lt 8000 ]; do
      echo "$t move $((24 + s % 16 * 38)) $((180 + s / 16 % 4 * 30))"; echo "$((t + 1)) click"
      t=$((t + 10)); s=$((s + 1))
    done
    echo "8100 key 32"; echo "8200 key 9"; echo "8300 text $1"; echo "8400 key 13"
    echo "8500 key 32"
  } > "$2"
}
play() { "$game" --data data --save "$1" --headless --script "$2" > /dev/null 2>&1; }

script Old old.txt
script New new.txt
mkdir first && play first old.txt && cp first/killer.dat old.dat || fail "the first run"
mkdir traced && cp old.dat traced/killer.dat
strace -f -qq -o trace.txt -e trace=$calls "$game" --data data --save traced --headless \
  --script new.txt > /dev/null 2>&1 || fail "the traced run"
cp traced/killer.dat new.dat
cmp -s old.dat new.dat && fail "the new table does not differ from the old one"

# The calls of the run in order, as "NAME INDEX" (the how-many-th call of that name), and the
# stretch from two calls before the new file is opened to one after the save is over.
grep -E "^[0-9]+ +[a-z0-9_]+\(" trace.txt \
  | sed -E 's/^[0-9]+ +([a-z0-9_]+)\(.*/\1/' \
  | awk '{ n[$1]++; print $1, n[$1] }' > calls.txt
grep -E "^[0-9]+ +[a-z0-9_]+\(" trace.txt > lines.txt
first=$(grep -n 'killer.dat.new' lines.txt | head -n 1 | cut -d: -f1)
renamed=$(grep -n 'rename.*killer.dat.new' lines.txt | head -n 1 | cut -d: -f1)
[ -n "$first" ] && [ -n "$renamed" ] || fail "no save found in the trace"
from=$((first - 2))
to=$((renamed + 4)) # the folder's own sync after the rename, and one call more

kills=0
for line in $(seq "$from" "$to"); do
  set -- $(sed -n "${line}p" calls.txt)
  rm -rf run && mkdir run && cp old.dat run/killer.dat
  status=0
  strace -f -qq -o /dev/null -e trace="$1" -e inject="$1":signal=KILL:when="$2" \
    "$game" --data data --save run --headless --script new.txt > /dev/null 2>&1 || status=$?
  [ "$status" -eq 137 ] || fail "call $line ($1 #$2): the game was not killed (status $status)"
  if ! cmp -s run/killer.dat old.dat && ! cmp -s run/killer.dat new.dat; then
    fail "killed at call $line ($1 #$2): killer.dat is neither the old table nor the new one"
  fi
  kills=$((kills + 1))
done

# After a kill that left a half-made "killer.dat.new" behind, the next run saves as usual.
rm -rf run && mkdir run && cp old.dat run/killer.dat
strace -f -qq -o /dev/null -e trace=fsync -e inject=fsync:signal=KILL:when=1 \
  "$game" --data data --save run --headless --script new.txt > /dev/null 2>&1 || true
[ -e run/killer.dat.new ] || fail "no half-made file to start from"
play run new.txt || fail "the run after the kill"
[ ! -e run/killer.dat.new ] || fail "killer.dat.new left behind after a whole save"
cmp -s run/killer.dat new.dat || fail "the run after the kill did not save its table"
echo "killer.dat whole after $kills kills around its save"
