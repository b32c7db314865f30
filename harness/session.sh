#!/usr/bin/env bash
# session.sh start|stop STATEDIR [PRINTER_TOOL [BASE_PREFIX]]: the CTest fixture around every Wine test.
# start: makes the test prefix (once, or as a copy of BASE_PREFIX), a private Xvfb and a wineserver
# that stays; stop: ends both.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh"
cmd=$1 state=$(realpath -m "$2")
export WINEPREFIX=$state/prefix
case $cmd in
  start)
    # A run that was stopped half-way leaves its wineserver behind, which would never let the set-up's
    # waits for the server end.
    [ -d "$WINEPREFIX" ] && { wineserver -k 2>/dev/null || true; wineserver -w 2>/dev/null || true; }
    if [ -n "${4:-}" ]; then
      mz_prefix_clone "$4" "$WINEPREFIX"
    else
      mz_prefix_setup "$WINEPREFIX" "${3:-}"
      mz_prefix_unmanaged "$WINEPREFIX"
    fi
    mz_xvfb_start "$state"
    # One wineserver for the whole run: without it every test binary starts its own and the last one
    # closes it a few seconds after its end, a window in which a test starting then meets a server
    # on its way out.
    wineserver -p </dev/null >/dev/null 2>&1
    ;;
  stop)
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
    mz_xvfb_stop "$state"
    ;;
esac
