#!/bin/sh
# make server-bench: the world list server on the loopback, measured beside what it is compared
# with, in one run:
#   - GET /api/killers?count=100 on a list of BENCH_ENTRIES entries (default 1,000,000), with
#     wrk at 64 connections, beside nginx serving the same bytes as a static file;
#   - the time to answer an entry with its rank;
#   - uploads with as many verifiers as cores, beside the same journals through
#     `killglimbot --verify` run back to back in as many processes;
#   - the server's memory at rest and after each load.
# Every server listens on 127.0.0.1 and is stopped at the end; every load is bounded in time.
#   bench/server/server_bench.sh [BUILD_FOLDER]
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
. "$root/bench/server/bench_common.sh"
cleanup() {
  stop_all
  rm -rf "$work"
}
trap cleanup EXIT INT TERM

stop() { kill "$1"; wait "$1" 2>/dev/null || true; }

echo "== a list of $entries entries"
database=$work/world.sqlite
port=$(free_port)
start_server "$database" "$port"
stop "$server_pid"
# Entries straight into the server's schema: kills spread as players' are, many few, some many.
sqlite3 "$database" > /dev/null <<SQL
PRAGMA journal_mode = WAL;
BEGIN;
CREATE TEMP TABLE n AS
  WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < $entries) SELECT i FROM n;
INSERT INTO journals (sha256, bytes) SELECT printf('%064x', i), zeroblob(64) FROM n;
INSERT INTO runs (sha256, start, name, kills, peak_score, score, frames, listed)
  SELECT printf('%064x', i), printf('%016x', i), 'Player ' || i,
         1 + (abs(random()) % 64) * (abs(random()) % 64), 100, 50, 3000, 1700000000 + i FROM n;
INSERT INTO kill_counts (kills, runs) SELECT kills, COUNT(*) FROM runs GROUP BY kills;
COMMIT;
SQL

start_server "$database" "$port"
echo "server at rest: $(memory "$server_pid" VmRSS)"
mkdir -p "$work/www"
curl -s "http://127.0.0.1:$port/api/killers?count=100" > "$work/www/killers.json"
nginx_port=$(free_port)
nginx_config "server { listen 127.0.0.1:$nginx_port; root $work/www; default_type application/json; }"
nginx -p "$work/nginx" -c "$work/nginx.conf" &
nginx_pid=$!
pids="$pids $nginx_pid"
sleep 0.5
set -- $(load "http://127.0.0.1:$nginx_port/killers.json")
echo "nginx, the same $(wc -c < "$work/www/killers.json") bytes: $1 requests/s, p99 $2"
set -- $(load "http://127.0.0.1:$port/api/killers?count=100")
echo "killglimbot-server, /api/killers?count=100: $1 requests/s, p99 $2"
echo "server after the load: $(memory "$server_pid" VmRSS), at most $(memory "$server_pid" VmHWM)"
slowest=0
for id in $entries $((entries / 2)) 1; do
  for _ in 1 2 3; do
    took=$(curl -s -o /dev/null -w '%{time_total}' "http://127.0.0.1:$port/api/runs/$id")
    slowest=$(echo "$took $slowest" | awk '{ print ($1 > $2) ? $1 : $2 }')
  done
done
echo "an entry with its rank (the newest, the middle, the oldest): at most $(echo "$slowest" | awk '{ printf "%.1f ms", $1 * 1000 }')"
stop "$nginx_pid"
stop "$server_pid"

echo "== uploads: $journals runs, $cores at once"
record_runs "$journals"
began=$(date +%s.%N)
ls "$work"/runs/*.kgr | xargs -P "$cores" -n 1 "$game" --verify > /dev/null || true
verify_seconds=$(echo "$began $(date +%s.%N)" | awk '{ print $2 - $1 }')
start_server "$work/uploads.sqlite" "$port"
began=$(date +%s.%N)
# One curl for all the uploads, as many at once as there are verifiers and as many waiting.
set --
for journal in "$work"/runs/*.kgr; do
  set -- "$@" --next -s -o /dev/null -w '%{http_code}\n' --data-binary "@$journal" \
    "http://127.0.0.1:$port/api/runs"
done
shift
curl --no-progress-meter --parallel --parallel-max "$((2 * cores))" "$@" > "$work/statuses.txt"
upload_seconds=$(echo "$began $(date +%s.%N)" | awk '{ print $2 - $1 }')
echo "killglimbot --verify, $cores processes: $(echo "$journals $verify_seconds" | awk '{ printf "%.2f runs/s", $1 / $2 }')"
echo "killglimbot-server: $(echo "$journals $upload_seconds" | awk '{ printf "%.2f runs/s", $1 / $2 }') ($(sort "$work/statuses.txt" | uniq -c | awk '{ printf "%s%s x %s", sep, $1, $2; sep = ", " }'))"
echo "ratio: $(echo "$verify_seconds $upload_seconds" | awk '{ printf "%.2f", $1 / $2 }')"
echo "server after the uploads: $(memory "$server_pid" VmRSS), at most $(memory "$server_pid" VmHWM)"
stop "$server_pid"
