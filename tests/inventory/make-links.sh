#!/bin/sh
# Builds, inside the Wine prefix, a folder whose link leads back up the tree (and a dangling link):
# Wine shows Unix symbolic links as links, and only the Unix side can make them.
set -eu
root="$1/drive_c/VarnookFixtures/LinkLoop"
rm -rf "$root"
mkdir -p "$root/sub"
printf '0123456789' > "$root/sub/ten.bin"
printf 'abc' > "$root/three.bin"
ln -s .. "$root/sub/up"
ln -s /nonexistent "$root/dangling"
