#!/usr/bin/env bash
# build.sh [FLAVOUR...]: configures (once) and builds the wine, native and fuzz trees under build/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${MZ_BUILD_DIR:-$root/build}
flavours=("$@")
[ ${#flavours[@]} -gt 0 ] || flavours=(wine native fuzz)
for f in "${flavours[@]}"; do
  case $f in
    wine|native) cc=gcc cxx=g++ ;;
    fuzz) cc=clang cxx=clang++ ;;
    *) echo "unknown flavour $f" >&2; exit 2 ;;
  esac
  if [ ! -f "$build/$f/build.ninja" ]; then
    cmake -S "$root" -B "$build/$f" -G Ninja -DMZ_FLAVOUR="$f" -DCMAKE_BUILD_TYPE= \
      -DCMAKE_C_COMPILER="$cc" -DCMAKE_CXX_COMPILER="$cxx" >/dev/null
  fi
  cmake --build "$build/$f"
done
