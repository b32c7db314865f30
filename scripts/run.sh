#!/usr/bin/env bash
# The project's run command: installs what is missing, builds the program, lays out a default
# installation in build/wine/MZ3100 and starts it under Wine, on $DISPLAY or on a private Xvfb.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${MZ_BUILD_DIR:-$root/build}
bash "$root/scripts/install-deps.sh"
bash "$root/scripts/build.sh" wine
cmake --build "$build/wine" --target mz_install
. "$root/harness/wine-env.sh"
export WINEPREFIX=$build/wine/run-prefix
# The default printer writes each job as a PDF file into the installation's "Impressos" folder.
mz_prefix_setup "$WINEPREFIX" "$build/wine/harness/mz_add_printer.exe.so" "$(mz_pdf_port "$build/wine/MZ3100")"
# The backup medium is a drive of its own, M:, on the installation's "Midia" folder.
ln -sfn "$build/wine/MZ3100/Midia" "$WINEPREFIX/dosdevices/m:"
if [ -z "${DISPLAY:-}" ]; then
  state=$build/wine/run-display
  mz_xvfb_start "$state"
  trap 'wineserver -k 2>/dev/null || true; mz_xvfb_stop "$state"' EXIT
  DISPLAY=$(cat "$state/display")
  export DISPLAY
  echo "No \$DISPLAY: the program runs on a private Xvfb at $DISPLAY (import -display $DISPLAY -window root shot.png takes a picture)."
fi
cd "$build/wine/MZ3100"
wine ./MZ3100.exe.so "$@"
