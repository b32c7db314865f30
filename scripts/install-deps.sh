#!/usr/bin/env bash
# Installs every Debian package that building, testing and running the program need.
# Quick when everything is already there: apt-get runs only for what is missing.
set -euo pipefail
pkgs=(
  wine wine64 wine64-tools libwine-dev fonts-wine xvfb xauth x11-apps imagemagick x11-utils libxcb1-dev openbox x11vnc
  firebird3.0-server-core firebird3.0-server firebird3.0-utils libfbclient2 firebird-dev
  libjpeg62-turbo-dev zlib1g-dev libpng-dev libpixman-1-dev python3-pil libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev cmake ninja-build g++ ghostscript poppler-utils fonts-dejavu-core procps
)
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
