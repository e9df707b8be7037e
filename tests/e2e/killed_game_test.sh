#!/bin/sh
# The game killed outright (SIGKILL), by strace as a chosen system call begins.
# At every call around the Killer List's save, one run each: "killer.dat" must always be the old
# table or the new one, never a mix or nothing.
# On the title, in play and in the name dialog: the journal left behind must replay up to a
# second before the kill, and the next start must keep it as "previous-run.kgr".
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
strace -f -qq -o /dev/null -P "$work/run/killer.dat.new" -e trace=fsync \
  -e inject=fsync:signal=KILL:when=1 "$game" --data data --save run --headless \
  --script new.txt > /dev/null 2>&1 || true
[ -e run/killer.dat.new ] || fail "no half-made file to start from"
play run new.txt || fail "the run after the kill"
[ ! -e run/killer.dat.new ] || fail "killer.dat.new left behind after a whole save"
cmp -s run/killer.dat new.dat || fail "the run after the kill did not save its table"
echo "killer.dat whole after $kills kills around its save"

# The title waits 1.5 s, play shoots slowly for 3 s (missing costs nothing yet), then fast until
# a kill and the loss; the name dialog opens at 7 s and takes a name at 10 s.
{
  echo "1500 key 32"; echo "1600 key 32"
  t=1700; s=0
  while [ $t -lt 6500 ]; do
    echo "$t move $((24 + s % 16 * 38)) $((180 + s / 16 % 4 * 30))"; echo "$((t + 1)) click"
    if [ $t -lt 4500 ]; then t=$((t + 300)); else t=$((t + 10)); fi
    s=$((s + 1))
  done
  echo "7000 key 32"; echo "10000 text Ada"; echo "10500 key 13"; echo "11000 key 32"
} > journal.txt

# The kill comes as the screenshot taken at the moment MS is opened (its second open: the first
# checks at start that it can be made).
for moment in 1300 4200 9500; do
  rm -rf run && mkdir run
  status=0
  strace -f -qq -o /dev/null -P "$work/shot.png" -e trace=openat \
    -e inject=openat:signal=KILL:when=2 "$game" --data data --save run --headless \
    --script journal.txt --screenshot "$moment:$work/shot.png" > /dev/null 2>&1 || status=$?
  [ "$status" -eq 137 ] || fail "at $moment ms: the game was not killed (status $status)"
  status=0
  "$game" --data data --verify run/last-run.kgr > verdict.txt 2>&1 || status=$?
  [ "$status" -eq 3 ] || fail "at $moment ms: --verify answered $status: $(cat verdict.txt)"
  kept=$(sed -n 's/^cut short at frame [0-9]*, \([0-9]*\)\.\([0-9]*\) s into the run: .*/\1\2/p' \
    verdict.txt)
  [ -n "$kept" ] || fail "at $moment ms: $(cat verdict.txt)"
  kept=$(expr "$kept" + 0)
  [ "$kept" -le "$moment" ] && [ $((moment - kept)) -le 1000 ] \
    || fail "killed at $moment ms, the journal keeps $kept ms"

  # A bit flipped in one of its blocks is refused, naming the block.
  cp run/last-run.kgr flipped.kgr
  middle=$(($(wc -c < flipped.kgr) / 2))
  byte=$(od -An -tu1 -j "$middle" -N1 flipped.kgr | tr -d ' ')
  printf "\\$(printf %o $((byte ^ 16)))" \
    | dd of=flipped.kgr bs=1 seek="$middle" conv=notrunc 2> /dev/null
  status=0
  "$game" --data data --verify flipped.kgr > verdict.txt 2>&1 || status=$?
  [ "$status" -eq 2 ] && grep -q "flipped.kgr is damaged: block [0-9]" verdict.txt \
    || fail "at $moment ms, a flipped bit: status $status, $(cat verdict.txt)"

  cp run/last-run.kgr cut.kgr
  play run old.txt || fail "the run after the kill at $moment ms"
  cmp -s run/previous-run.kgr cut.kgr || fail "the cut journal of $moment ms was not kept"
done
echo "journals of runs killed on the title, in play and in the name dialog replay to the kill"
