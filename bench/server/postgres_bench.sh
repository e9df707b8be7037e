#!/bin/sh
# make server-bench, its second half: two servers on one PostgreSQL behind nginx, as a
# community past one machine would run them, in one run:
#   - GET /api/killers?count=100 on a list of BENCH_ENTRIES entries (default 1,000,000) through
#     nginx to the two servers, with wrk at 64 connections, beside the same nginx serving the
#     same bytes as a static file;
#   - uploads through nginx to one server, then to both;
#   - the memory of each server, of PostgreSQL and of nginx.
# PostgreSQL is a cluster of its own in a temporary folder (run as nobody when this runs as
# root), on a Unix socket there only; everything listens on 127.0.0.1, is stopped at the end,
# and every load is bounded in time.
#   bench/server/postgres_bench.sh [BUILD_FOLDER]
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
. "$root/bench/server/bench_common.sh"
postgres=/usr/lib/postgresql/15/bin
owner=""
[ "$(id -u)" = 0 ] && owner="runuser -u nobody --"
cleanup() {
  stop_all
  [ -f "$work/pg/data/postmaster.pid" ] && $owner "$postgres/pg_ctl" -D "$work/pg/data" -m fast -w stop > /dev/null 2>&1
  rm -rf "$work"
}
trap cleanup EXIT INT TERM

# The proportional share of the memory of process $1 and its children (shared pages split).
shared_memory() {
  for pid in "$1" $(pgrep -P "$1"); do awk '$1 == "Pss:" { print $2 }' "/proc/$pid/smaps_rollup"; done |
    awk '{ sum += $1; n++ } END { printf "%.1f MB in %d processes", sum / 1024, n }'
}

# upload FIRST LAST URL: runs FIRST..LAST, as many at once as verifiers could take; their rate.
upload() {
  set -- "$1" "$2" "$3" "$(date +%s.%N)"
  first=$1 last=$2 url=$3 began=$4
  set --
  for k in $(seq "$first" "$last"); do
    set -- "$@" --next -s -o /dev/null -w '%{http_code}\n' --data-binary "@$work/runs/$k.kgr" "$url"
  done
  shift
  curl --no-progress-meter --parallel --parallel-max "$((4 * cores))" "$@" > "$work/statuses.txt"
  statuses=$(sort "$work/statuses.txt" | uniq -c | awk '{ printf "%s%s x %s", sep, $1, $2; sep = ", " }')
  echo "$began $(date +%s.%N)" | awk -v n="$((last - first + 1))" -v s="$statuses" \
    '{ printf "%.2f runs/s (%s)", n / ($2 - $1), s }'
}

echo "== two servers on one PostgreSQL, nginx in front"
mkdir -p "$work/pg"
chown nobody "$work/pg" 2>/dev/null || true
$owner "$postgres/initdb" -D "$work/pg/data" -A trust -U postgres -E UTF8 --no-instructions > /dev/null
$owner "$postgres/pg_ctl" -D "$work/pg/data" -l "$work/pg/log.txt" -w \
  -o "-k $work/pg -c listen_addresses=''" start > /dev/null
database="host=$work/pg dbname=postgres user=postgres"
one=$(free_port)
start_server "$database" "$one" --trusted-proxies 127.0.0.1
pid_one=$server_pid
# Entries straight into the server's schema, kills spread as in the SQLite half.
psql -q -h "$work/pg" -U postgres postgres <<SQL
BEGIN;
INSERT INTO journals (sha256, bytes)
  SELECT lpad(to_hex(i), 64, '0'), decode(repeat('00', 64), 'hex') FROM generate_series(1, $entries) i;
INSERT INTO runs (sha256, start, name, kills, peak_score, score, frames, listed)
  SELECT lpad(to_hex(i), 64, '0'), lpad(to_hex(i), 16, '0'), 'Player ' || i,
         1 + floor(random() * 64) * floor(random() * 64), 100, 50, 3000, 1700000000 + i
  FROM generate_series(1, $entries) i;
INSERT INTO kill_counts (kills, runs) SELECT kills, COUNT(*) FROM runs GROUP BY kills;
COMMIT;
ANALYZE;
SQL
two=$(free_port)
start_server "$database" "$two" --trusted-proxies 127.0.0.1
pid_two=$server_pid
mkdir -p "$work/www"
curl -s "http://127.0.0.1:$one/api/killers?count=100" > "$work/www/killers.json"
nginx_port=$(free_port)
nginx_config "client_max_body_size 4m;
  upstream both { server 127.0.0.1:$one; server 127.0.0.1:$two; keepalive 32; }
  upstream one { server 127.0.0.1:$one; keepalive 32; }
  server {
    listen 127.0.0.1:$nginx_port;
    default_type application/json;
    proxy_http_version 1.1;
    proxy_set_header Connection \"\";
    proxy_set_header X-Forwarded-For \$remote_addr;
    proxy_read_timeout 300s;
    location = /static/killers.json { alias $work/www/killers.json; }
    location /api/ { proxy_pass http://both; }
    location /one/ { proxy_pass http://one/; }
  }"
nginx -p "$work/nginx" -c "$work/nginx.conf" &
nginx_pid=$!
pids="$pids $nginx_pid"
sleep 0.5
echo "servers at rest: $(memory "$pid_one" VmRSS), $(memory "$pid_two" VmRSS)"
set -- $(load "http://127.0.0.1:$nginx_port/static/killers.json")
echo "nginx, the same $(wc -c < "$work/www/killers.json") bytes as a static file: $1 requests/s, p99 $2"
set -- $(load "http://127.0.0.1:$nginx_port/api/killers?count=100")
echo "nginx to two killglimbot-servers, /api/killers?count=100: $1 requests/s, p99 $2"
set -- $(load "http://127.0.0.1:$nginx_port/one/api/killers?count=100")
echo "nginx to one killglimbot-server, the same: $1 requests/s, p99 $2"
echo "servers after the load: $(memory "$pid_one" VmRSS), $(memory "$pid_two" VmRSS)"

echo "== uploads: $journals runs to one server, $journals others to two"
record_runs "$((2 * journals))"
echo "one server ($cores verifiers): $(upload 1 "$journals" "http://127.0.0.1:$nginx_port/one/api/runs")"
echo "two servers ($cores verifiers each): $(upload "$((journals + 1))" "$((2 * journals))" "http://127.0.0.1:$nginx_port/api/runs")"
echo "servers after the uploads: $(memory "$pid_one" VmRSS) (at most $(memory "$pid_one" VmHWM)), $(memory "$pid_two" VmRSS) (at most $(memory "$pid_two" VmHWM))"
echo "PostgreSQL: $(shared_memory "$(head -1 "$work/pg/data/postmaster.pid")")"
echo "nginx: $(shared_memory "$nginx_pid")"
