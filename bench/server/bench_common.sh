# What both halves of make server-bench share: their settings, a scratch folder (readable by
# nginx's workers), and the helpers. Sourced with the script's own arguments, after $root.
build=${1:-build/release}
seconds=${BENCH_SECONDS:-10}
entries=${BENCH_ENTRIES:-1000000}
journals=${BENCH_JOURNALS:-24}
server=$build/bin/killglimbot-server
game=$build/bin/killglimbot
cores=$(nproc)
work=$(mktemp -d)
chmod 755 "$work"
pids=""

# Ends every process the script started (their ids in $pids).
stop_all() {
  for pid in $pids; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
}

# start_server DATABASE PORT [OPTION...]: a server in the background, once it answers; its id
# in $server_pid.
start_server() {
  list=$1 port_=$2
  shift 2
  "$server" --listen "127.0.0.1:$port_" --database "$list" --uploads-per-minute 0 \
    --queue-length 1000 "$@" > "$work/log-$port_.txt" 2> "$work/errors-$port_.txt" &
  server_pid=$!
  pids="$pids $server_pid"
  for _ in $(seq 100); do
    curl -sf "http://127.0.0.1:$port_/healthz" > /dev/null 2>&1 && return 0
    sleep 0.1
  done
  echo "the server did not start: $(cat "$work/errors-$port_.txt")" >&2
  exit 1
}

free_port() {
  python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'
}

# memory PID KEY: a line of /proc/PID/status (VmRSS, VmHWM) in MB.
memory() { awk -v key="$2" '$1 == key":" { printf "%.1f MB", $2 / 1024 }' "/proc/$1/status"; }

# load URL: wrk's requests a second and its 99th percentile at 64 connections.
load() {
  wrk -t2 -c64 -d"${seconds}s" --latency "$1" > "$work/wrk.txt"
  rate=$(awk '/^Requests\/sec/ { printf "%.0f", $2 }' "$work/wrk.txt")
  p99=$(awk '$1 == "99%" { print $2 }' "$work/wrk.txt")
  echo "$rate $p99"
}

# nginx_config SERVER_BLOCKS: nginx's whole configuration in $work/nginx.conf, every file of its
# own in $work/nginx, around the http blocks given.
nginx_config() {
  mkdir -p "$work/nginx"
  cat > "$work/nginx.conf" <<CONF
worker_processes $(nproc);
daemon off;
pid $work/nginx/nginx.pid;
error_log $work/nginx/error.log;
events { worker_connections 1024; }
http {
  access_log off;
  client_body_temp_path $work/nginx/body;
  proxy_temp_path $work/nginx/proxy;
  fastcgi_temp_path $work/nginx/fastcgi;
  uwsgi_temp_path $work/nginx/uwsgi;
  scgi_temp_path $work/nginx/scgi;
  $1
}
CONF
}

# record_runs COUNT: COUNT runs with a kill in $work/runs/1.kgr...; each leaves the title a
# moment later than the one before: another seed, another run.
record_runs() {
  mkdir -p "$work/runs"
  for k in $(seq "$1"); do
    sed "s/^200 key 32\$/$((200 + 7 * k)) key 32/" "$root/tests/replays/sweep.txt" > "$work/run.txt"
    "$game" --headless --save "$work/save-$k" --script "$work/run.txt" --record "$work/runs/$k.kgr" > /dev/null
  done
}
