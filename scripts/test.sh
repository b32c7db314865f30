#!/usr/bin/env bash
# The project's test command: installs what is missing, builds every flavour and runs every test
# (native tests under the sanitizers, Wine tests on a private Xvfb, a short run of each fuzz target).
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${MZ_BUILD_DIR:-$root/build}
bash "$root/scripts/install-deps.sh" || exit 1
bash "$root/scripts/build.sh" || exit 1
jobs=$(nproc)
status=0
for f in native wine fuzz; do
  echo "== $f tests"
  # Wine tests mostly wait on their windows and the X server: twice as many run as there are cores.
  j=$jobs
  [ "$f" = wine ] && j=$((2 * jobs))
  ctest --test-dir "$build/$f" -j "$j" --output-on-failure "$@" || status=1
done
exit $status
