#!/usr/bin/env bash
# run-display.sh start|stop STATEDIR: the private desktop of the run command on a machine without a
# display. start: Xvfb, a window manager (openbox) and a VNC server (x11vnc) that serves the display on
# the loopback address only, with a password made for this run; writes STATEDIR/display and
# STATEDIR/vnc-port and prints one line saying how to connect. stop: ends all of them.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../harness/wine-env.sh"
cmd=$1 state=$2

# wait_for NAME COMMAND...: waits (ten seconds at most) until COMMAND succeeds: NAME has started.
wait_for() {
  local name=$1 i
  shift
  for i in $(seq 1 100); do
    "$@" && return 0
    sleep 0.1
  done
  echo "$name did not start (see $state/$name.log)" >&2
  return 1
}

# Ends the process whose id STATEDIR/NAME.pid holds, and waits until it is gone.
stop_pid() {
  local file=$state/$1.pid pid i
  [ -f "$file" ] || return 0
  pid=$(cat "$file")
  kill "$pid" 2>/dev/null || true
  for i in $(seq 1 50); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -9 "$pid" 2>/dev/null || true
  rm -f "$file"
}

case $cmd in
  start)
    mz_xvfb_start "$state"
    DISPLAY=$(cat "$state/display")
    export DISPLAY
    rm -f "$state/wm-ready" "$state/x11vnc.out"
    setsid openbox --sm-disable --startup "touch '$state/wm-ready'" </dev/null >"$state/openbox.log" 2>&1 &
    echo $! > "$state/openbox.pid"
    wait_for openbox test -e "$state/wm-ready"
    password=$(tr -dc 'A-Za-z0-9' < /dev/urandom | head -c 8 || true)
    ( umask 077; x11vnc -storepasswd "$password" "$state/vnc.pass" >/dev/null 2>&1 )
    setsid x11vnc -display "$DISPLAY" -localhost -rfbauth "$state/vnc.pass" -autoport 5900 -forever -shared \
      -quiet </dev/null >"$state/x11vnc.out" 2>"$state/x11vnc.log" &
    echo $! > "$state/x11vnc.pid"
    wait_for x11vnc grep -q '^PORT=' "$state/x11vnc.out"
    port=$(sed -n 's/^PORT=//p' "$state/x11vnc.out")
    echo "$port" > "$state/vnc-port"
    echo "No \$DISPLAY: the program runs on a private desktop ($DISPLAY); watch it with a VNC viewer on 127.0.0.1:$port, password $password."
    ;;
  stop)
    stop_pid x11vnc
    stop_pid openbox
    stop_pid xvfb
    rm -f "$state/display" "$state/vnc.pass" "$state/vnc-port" "$state/wm-ready"
    ;;
esac
