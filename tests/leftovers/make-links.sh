#!/bin/sh
# Builds, inside the Wine prefix, the links the leftover tests need: only the Unix side can make them, and
# Wine shows them as links. Each test that deletes gets its own copy; real files come from the tests.
set -eu
root="$1/drive_c/VarnookFixtures/Leftovers"
rm -rf "$root"
mkdir -p "$root/outside/sub"
printf 'canary' > "$root/outside/canary.txt"
printf 'deep' > "$root/outside/sub/deep.txt"

# A tree with a link to a folder outside it, a link to a file outside it, and a link back up the tree.
mkdir -p "$root/links/sub"
ln -s ../outside "$root/links/dirlink"
ln -s ../outside/canary.txt "$root/links/filelink"
ln -s .. "$root/links/sub/loop"
# A folder that is itself a link.
ln -s outside "$root/rootlink"

# Install folders of the scan tests and of the whole uninstall road, each with a link out.
for name in scan road linked; do
    mkdir -p "$root/$name"
    ln -s ../outside "$root/$name/junction"
done

# A lone link to a file, for the single-file delete.
mkdir -p "$root/single"
ln -s ../outside/canary.txt "$root/single/filelink"
