#!/usr/bin/env bash
# wine-run.sh STATEDIR PROGRAM.exe.so [ARGS...]: runs a Wine test binary on the fixture's display.
# A test binary that ends without its runner's summary is reported with its exit status and the state
# of the fixture, so that a failure before or outside the tests names its cause.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh"
state=$(realpath -m "$1"); shift
export WINEPREFIX=$state/prefix
if ! DISPLAY=$(cat "$state/display" 2>/dev/null); then
  echo "wine-run: the fixture's display file $state/display is missing (harness_start not run, or stopped)" >&2
  exit 1
fi
export DISPLAY
log=$(mktemp "${TMPDIR:-/tmp}/wine-run.XXXXXX")
trap 'rm -f "$log"' EXIT
# Into a file, not a pipe: the session's services that a test happens to start outlive it and keep
# what they inherited open.
wine "$@" >"$log" 2>&1 </dev/null
status=$?
cat "$log"
if ! grep -q '^\[  PASSED  \]\|^\[  FAILED  \]' "$log" || { [ "$status" -ne 0 ] && ! grep -q '^\[  FAILED  \]' "$log"; }; then
  {
    echo "wine-run: $(basename "$1") ended with status $status without its test summary"
    echo "wine-run: display $DISPLAY: $(xdpyinfo -display "$DISPLAY" >/dev/null 2>&1 && echo answering || echo NOT answering)"
    echo "wine-run: Xvfb pid $(cat "$state/xvfb.pid" 2>/dev/null || echo none): $(kill -0 "$(cat "$state/xvfb.pid" 2>/dev/null)" 2>/dev/null && echo alive || echo gone)"
    echo "wine-run: wineserver of $WINEPREFIX: $(mz_wineserver_alive "$WINEPREFIX" && echo running || echo not running)"
  } >&2
  [ "$status" -ne 0 ] || status=1
fi
exit "$status"
