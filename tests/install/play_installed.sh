# Shared by the install tests: play_installed GAME HOME plays a short headless run of GAME from
# /, with HOME as the player's home, and checks that the player's files went to their folders
# and the terminal stayed quiet.

fail() { echo "FAIL: $*" >&2; exit 1; }

play_installed() {
  game=$1 home=$2
  mkdir -p "$home"
  printf '100 key 32\n200 key 32\n300 key 32\n400 key 32\n' > "$home/run.txt"
  (cd / && env HOME="$home" XDG_DATA_HOME= XDG_STATE_HOME= XDG_CONFIG_HOME= \
     "$game" --headless --script "$home/run.txt" --report > "$home/out.txt" 2> "$home/err.txt") \
    || fail "$game exited with $?: $(cat "$home/err.txt")"
  grep -q '"frames": ' "$home/out.txt" || fail "no report from $game"
  [ ! -s "$home/err.txt" ] || fail "$game wrote to the terminal: $(cat "$home/err.txt")"
  [ -s "$home/.local/share/killglimbot/killer.dat" ] || fail "no Killer List in the data home"
  tail -c 15 "$home/.local/state/killglimbot/debug.txt" | grep -q '==== END ====' \
    || fail "no whole log in the state home"
}

# A listing of every file under a folder with its checksum, to show nothing was written there.
listing() { (cd "$1" && find . -type f -exec md5sum {} + | sort) }
