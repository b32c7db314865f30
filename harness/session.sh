#!/usr/bin/env bash
# session.sh start|stop STATEDIR [PRINTER_TOOL]: the CTest fixture around every Wine test.
# start: makes the test prefix (once) and a private Xvfb; stop: ends wineserver and Xvfb.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh"
cmd=$1 state=$2
export WINEPREFIX=$state/prefix
case $cmd in
  start)
    mz_prefix_setup "$WINEPREFIX" "${3:-}"
    mz_xvfb_start "$state"
    ;;
  stop)
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
    mz_xvfb_stop "$state"
    ;;
esac
