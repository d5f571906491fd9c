#!/usr/bin/env bash
# Installs what building and testing need on Debian 12 (run as root). Quick
# when everything is there already.
set -euo pipefail

packages=(cmake make g++ git googletest libgtest-dev libbenchmark-dev zlib1g-dev
          clang-14 libclang-rt-14-dev g++-mingw-w64-i686 g++-mingw-w64-x86-64
          wine wine32:i386 wine64 xvfb x11-utils imagemagick)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "installing: ${missing[*]}"
dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
# Recommended packages stay: Wine's fonts come with them.
apt-get install -y -qq "${missing[@]}" >/dev/null
