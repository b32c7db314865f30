#!/usr/bin/env bash
# build.sh [FLAVOUR...] [--target TARGET]: configures (once) and builds the wine, native and fuzz trees
# under build/, whole or only TARGET and what it needs.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${MZ_BUILD_DIR:-$root/build}
flavours=()
target=()
while [ $# -gt 0 ]; do
  case $1 in
    --target) target=(--target "$2"); shift 2 ;;
    *) flavours+=("$1"); shift ;;
  esac
done
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
  cmake --build "$build/$f" "${target[@]}"
done
