#!/usr/bin/env bash
# The project's run command: installs what is missing, builds the program, lays out a default
# installation in build/wine/MZ3100 and starts it under Wine, on $DISPLAY or, without one, on a private
# desktop that a VNC viewer on this machine can watch (scripts/run-display.sh).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${MZ_BUILD_DIR:-$root/build}
bash "$root/scripts/install-deps.sh"
# Only what the program needs: the program, its modules and the laid-out installation, no tests.
bash "$root/scripts/build.sh" wine --target mz_install
. "$root/harness/wine-env.sh"
export WINEPREFIX=$build/wine/run-prefix
# The default printer writes each job as a PDF file into the installation's "Impressos" folder.
mz_prefix_setup "$WINEPREFIX" "$build/wine/harness/mz_add_printer.exe.so" "$(mz_pdf_port "$build/wine/MZ3100")"
# The backup medium is a drive of its own, M:, on the installation's "Midia" folder.
ln -sfn "$build/wine/MZ3100/Midia" "$WINEPREFIX/dosdevices/m:"
if [ -z "${DISPLAY:-}" ]; then
  state=$build/wine/run-display
  trap 'wineserver -k 2>/dev/null || true; wineserver -w 2>/dev/null || true; bash "$root/scripts/run-display.sh" stop "$state"' EXIT
  bash "$root/scripts/run-display.sh" start "$state"
  DISPLAY=$(cat "$state/display")
  export DISPLAY
fi
cd "$build/wine/MZ3100"
# In the background, so that a signal to the run ends it at once, the program and the desktop with it.
trap 'exit 130' INT
trap 'exit 143' TERM HUP
wine ./MZ3100.exe.so "$@" &
wait $!
