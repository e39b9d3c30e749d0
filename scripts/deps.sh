#!/usr/bin/env bash
# Installs every Debian package the build, the run and the tests need.
# Idempotent; needs root (as CI and a fresh machine have). Quiet when done before.
set -euo pipefail

packages=(
  cmake ninja-build make python3
  g++-mingw-w64-i686 mingw-w64-i686-dev binutils-mingw-w64-i686
  g++-mingw-w64-x86-64 mingw-w64-x86-64-dev binutils-mingw-w64-x86-64
  wine wine64 wine32:i386 fonts-wine fonts-wqy-zenhei
  xvfb xauth x11-utils imagemagick
  googletest clang libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "deps: missing packages: ${missing[*]}; run as root (or with sudo) to install them" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
echo "deps: installed ${missing[*]}"
