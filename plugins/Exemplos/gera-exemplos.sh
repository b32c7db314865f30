#!/usr/bin/env bash
# gera-exemplos.sh BUILD INSTALL PRINTER_TOOL GERADOR MODULE...: runs the example generator under
# Wine over the installation's settings file, in the prefix that scripts/run.sh starts the program
# in (it also calibrates an installation that has no calibration yet). Skipped while the examples
# made last time and a calibration are still there and neither the generator, the modules (the
# built files given after it) nor the settings' examples folder changed since (by content: the
# build links the modules afresh every time).
set -euo pipefail
build=$1 install=$2 tool=$3 gerador=$4
shift 3
ini_unix=$install/MZ3100.ini
pasta=$(grep -a '^EXEMPLOS=' "$ini_unix" | tr -d '\r' | cut -d= -f2-)
stamp=$build/exemplos.stamp
estado="$pasta
$(md5sum "$@")"
# The last example the generator makes, when the folder is one of the Unix side (Z:).
ultimo=
if [[ $pasta == [Zz]:* ]]; then
  ultimo=${pasta:2}
  ultimo=${ultimo//\\//}/Orto04a.txt
fi
if [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$estado" ] && [ -n "$ultimo" ] && [ -f "$ultimo" ] &&
  [ -f "$install/Calibração/Coef.txt" ]; then
  echo "Exemplos em dia: $pasta"
  exit 0
fi
rm -f "$stamp"
. "$(cd "$(dirname "$0")/../.." && pwd)/harness/wine-env.sh"
export WINEPREFIX=$build/run-prefix
mz_prefix_setup "$WINEPREFIX" "$tool" "$(mz_pdf_port "$install")"
wine "$gerador" "Z:${ini_unix//\//\\}"
printf '%s' "$estado" > "$stamp"
