#!/usr/bin/env bash
# wine-run.sh STATEDIR PROGRAM.exe.so [ARGS...]: runs a Wine test binary on the fixture's display.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh"
state=$1; shift
export WINEPREFIX=$state/prefix
DISPLAY=$(cat "$state/display")
export DISPLAY
exec wine "$@"
