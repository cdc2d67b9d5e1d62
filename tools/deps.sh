#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the run command need (only what is missing).
set -euo pipefail

packages=(cmake make g++-mingw-w64-i686 g++-mingw-w64-x86-64 mingw-w64-tools libz-mingw-w64-dev googletest libwine-dev
          wine wine32:i386 wine64 xvfb xauth x11-utils imagemagick fonts-wine fonts-dejavu-core
          nsis wixl msitools fp-utils)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
fi
apt-get update -qq
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
