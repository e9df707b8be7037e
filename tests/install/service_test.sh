#!/bin/sh
# The world list's server as its package installs it: lintian clean, its unit verified and
# rated by systemd, its settings and manual page sound; then the extracted server started as
# systemd would start it (a user of its own, an empty environment, the packaged settings with
# the paths moved into the tree), behind the example nginx site over TLS, taking a run and
# listing it. Skipped (77) without the server, dpkg-deb, systemd-analyze, nginx or openssl.
set -eu
build=$1
replays=$2
for tool in dpkg-deb dpkg-shlibdeps systemd-analyze nginx openssl curl setpriv; do
  command -v "$tool" > /dev/null || exit 77
done
[ -x "$build/bin/killglimbot-server" ] || exit 77
work=$(mktemp -d)
chmod 755 "$work"
server_pid= nginx_pid=
cleanup() {
  [ -z "$nginx_pid" ] || kill "$nginx_pid" 2> /dev/null || true
  [ -z "$server_pid" ] || kill "$server_pid" 2> /dev/null || true
  wait 2> /dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; [ ! -f "$work/errors.txt" ] || cat "$work/errors.txt" >&2; exit 1; }
free_port() {
  python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'
}

(cd "$build" && cpack -G DEB -B "$work/package" > "$work/cpack.txt") \
  || fail "cpack: $(cat "$work/cpack.txt")"
deb=$(ls "$work"/package/killglimbot-server_*_*.deb)
dpkg-deb --field "$deb" Depends | grep -q "killglimbot (= " || fail "does not depend on its game"
if command -v lintian > /dev/null; then
  lintian --fail-on warning "$deb" > "$work/lintian.txt" 2>&1 || fail "lintian: $(cat "$work/lintian.txt")"
fi
root=$work/root
for package in "$work"/package/*.deb; do dpkg-deb -x "$package" "$root"; done
dpkg-deb --ctrl-tarfile "$deb" | tar -xO ./conffiles | grep -qx /etc/killglimbot-server/server.ini \
  || fail "the settings are not a conffile"
warnings=$(zcat "$root/usr/share/man/man1/killglimbot-server.1.gz" | groff -man -ww -z 2>&1)
[ -z "$warnings" ] || fail "manual page: $warnings"

# The unit against the system's own targets; its hardening rated "OK" or better.
unit=$root/lib/systemd/system/killglimbot-server.service
cp /lib/systemd/system/*.target /lib/systemd/system/*.slice "$root/lib/systemd/system/"
systemd-analyze verify --man=no --root="$root" "$unit" > "$work/verify.txt" 2>&1 \
  || fail "systemd-analyze verify: $(cat "$work/verify.txt")"
systemd-analyze security --offline=true --root="$root" --threshold=49 \
  killglimbot-server.service > "$work/security.txt" 2>&1 \
  || fail "systemd-analyze security: $(tail -1 "$work/security.txt")"
grep -q "^DynamicUser=yes" "$unit" && grep -q "^StateDirectory=killglimbot-server" "$unit" \
  || fail "the unit has no user or state folder of its own"

# Started as the unit starts it: its settings, with the tree's paths for the system's.
port=$(free_port)
state=$work/state
mkdir -p "$state" && chown nobody "$state"
sed -e "s|^listen = .*|listen = 127.0.0.1:$port|" -e "s|/var/lib/killglimbot-server|$state|" \
    -e "s|/usr/share/killglimbot-server|$root/usr/share/killglimbot-server|" \
    "$root/etc/killglimbot-server/server.ini" > "$work/server.ini"
command=$(sed -n 's/^ExecStart=//p' "$unit" | sed -e "s|^/usr|$root/usr|" \
  -e "s|/etc/killglimbot-server/server.ini|$work/server.ini|")
(cd / && exec setpriv --reuid=nobody --regid=nogroup --clear-groups env -i $command \
   > "$work/log.txt" 2> "$work/errors.txt") &
server_pid=$!

# The example site with a certificate of its own, the page from the tree (or a stand-in when
# this build packs none), the API handed to the server.
page=$root/usr/share/killglimbot-server/page
[ -f "$page/index.html" ] || { mkdir -p "$page" && echo '<title>stand-in</title>' > "$page/index.html"; }
tls_port=$(free_port)
openssl req -x509 -newkey rsa:2048 -nodes -days 1 -subj /CN=localhost \
  -keyout "$work/key.pem" -out "$work/cert.pem" > /dev/null 2>&1 || fail "no certificate"
sed -e "s|listen 443 ssl http2;|listen 127.0.0.1:$tls_port ssl http2;|" -e '/listen \[::\]:443/d' \
    -e '/listen 80;/d' -e '/listen \[::\]:80;/d' -e "s|127.0.0.1:8080|127.0.0.1:$port|" \
    -e "s|/etc/letsencrypt/live/glimbot.example.org/fullchain.pem|$work/cert.pem|" \
    -e "s|/etc/letsencrypt/live/glimbot.example.org/privkey.pem|$work/key.pem|" \
    -e "s|/usr/share/killglimbot-server/page|$page|" \
    "$root/usr/share/doc/killglimbot-server/examples/nginx-site.conf" > "$work/site.conf"
cat > "$work/nginx.conf" <<CONF
pid $work/nginx.pid;
error_log $work/nginx-errors.txt;
events {}
http {
  include /etc/nginx/mime.types;
  access_log off;
  client_body_temp_path $work/nginx-body;
  proxy_temp_path $work/nginx-proxy;
  include $work/site.conf;
}
CONF
nginx -e "$work/nginx-errors.txt" -p "$work" -c "$work/nginx.conf" -g 'daemon off;' &
nginx_pid=$!

site=https://127.0.0.1:$tls_port
get() { curl --silent --show-error --insecure --max-time 30 "$@"; }
for _ in $(seq 100); do
  get -o /dev/null "$site/api/killers" 2> /dev/null && break
  sleep 0.1
done
[ "$(get "$site/")" = "$(cat "$page/index.html")" ] || fail "nginx does not serve the page"
# The page shows the world list only when the health check answers.
get --fail -o /dev/null "$site/healthz" || fail "the page cannot find the world list"
answer=$(get --data-binary @"$replays/hand-window.kgr" -w ' %{http_code}' "$site/api/runs")
case $answer in *' 201') ;; *) fail "an upload through nginx: $answer" ;; esac
get "$site/api/killers" | grep -q '"name":"Hand"' || fail "the run is not listed through nginx"
[ -s "$state/world.sqlite" ] || fail "the list is not in the state folder"
echo "killglimbot-server runs from its package behind nginx"
