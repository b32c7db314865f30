#!/usr/bin/env bash
# run-display-test.sh STATEDIR: starts the run command's private desktop alone and checks it: a window
# manager runs on it, the VNC server asks for a password and listens on the loopback address only,
# nothing else listens on the network, and stop leaves none of its processes behind.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
state=$1
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

# The TCP ports PID listens on, one "address port" a line (addresses in /proc/net's hexadecimal).
listening() {
  local pid=$1 inodes
  inodes=$(ls -l "/proc/$pid/fd" 2>/dev/null | sed -n 's/.*socket:\[\([0-9]*\)\]$/\1/p' | tr '\n' ' ')
  [ -n "$inodes" ] || return 0
  awk -v inodes=" $inodes" '$4 == "0A" && index(inodes, " " $10 " ") { split($2, a, ":"); print a[1], a[2] }' \
    /proc/net/tcp /proc/net/tcp6 | while read -r address hex; do echo "$address $((16#$hex))"; done
}
loopback() { [ "$1" = 0100007F ] || [ "$1" = 00000000000000000000000001000000 ]; }

rm -rf "$state"
mkdir -p "$state"
out=$(env -u DISPLAY bash "$here/run-display.sh" start "$state") || fail "start failed"
echo "$out"
pids=()
for name in xvfb openbox x11vnc; do
  if [ -s "$state/$name.pid" ]; then pids+=("$(cat "$state/$name.pid")"); else fail "no $name started"; fi
done
port=$(cat "$state/vnc-port" 2>/dev/null)
[ "$(echo "$out" | wc -l)" -eq 1 ] || fail "start printed more than one line"
echo "$out" | grep -Eq "127\.0\.0\.1:$port, password [A-Za-z0-9]{8}\.$" || fail "start did not say where to connect and the password"

DISPLAY=$(cat "$state/display") xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id" ||
  fail "no window manager on the display"

vnc_ports=0
for pid in "${pids[@]}"; do
  while read -r address p; do
    [ -n "$address" ] || continue
    loopback "$address" || fail "process $pid listens on $address:$p, not on the loopback address"
    [ "$pid" = "$(cat "$state/x11vnc.pid")" ] && [ "$p" = "$port" ] && vnc_ports=$((vnc_ports + 1))
  done < <(listening "$pid")
done
[ "$vnc_ports" -ge 1 ] || fail "the VNC server does not listen on port $port"

# The server speaks RFB and offers VNC authentication (2) only.
if exec 3<>"/dev/tcp/127.0.0.1/$port"; then
  version=$(head -c 12 <&3)
  printf 'RFB 003.008\n' >&3
  types=$(head -c 2 <&3 | od -An -tu1 | tr -s ' ')
  exec 3>&-
  [ "$version" = "RFB 003.008" ] || fail "the VNC server answered '$version'"
  [ "$types" = " 1 2" ] || fail "the VNC server offers security types '$types', not the password alone"
else
  fail "no connection to 127.0.0.1:$port"
fi

bash "$here/run-display.sh" stop "$state" || fail "stop failed"
for pid in "${pids[@]}"; do
  kill -0 "$pid" 2>/dev/null && fail "process $pid is still running after stop"
done
[ ! -e "$state/vnc.pass" ] || fail "the password file is left behind"
exit $((failures > 0))
