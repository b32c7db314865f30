#!/usr/bin/env bash
# gera-exemplos.sh BUILD INSTALL GERADOR PRINTER_TOOL: runs the example generator under Wine over
# the installation's settings file, in the prefix that scripts/run.sh starts the program in.
set -euo pipefail
build=$1 install=$2 gerador=$3 tool=$4
. "$(cd "$(dirname "$0")/../.." && pwd)/harness/wine-env.sh"
export WINEPREFIX=$build/run-prefix
mz_prefix_setup "$WINEPREFIX" "$tool"
ini="Z:${install//\//\\}\\MZ3100.ini"
wine "$gerador" "$ini"
