#!/usr/bin/env bash
# stage-files.sh STAGE: prints the NSIS macros that install and remove exactly the files of the folder STAGE.
# Varnook.nsi runs it while it compiles, so the installer and its uninstaller always agree on the file list.
#   VarnookInstallFiles     SetOutPath and File for every file (the installer's section)
#   VarnookDeleteFiles      Delete for every file (the uninstaller's section)
#   VarnookRemoveFolders    RMDir for every subfolder, deepest first; only empty folders go
set -euo pipefail
stage=$1
cd "$stage"

mapfile -t files < <(find . -type f -printf '%P\n' | LC_ALL=C sort)
mapfile -t folders < <(find . -mindepth 1 -type d -printf '%P\n' | LC_ALL=C sort -r)
[ ${#files[@]} -gt 0 ] || { echo "stage-files.sh: no files in $stage" >&2; exit 1; }

# Names go into NSIS strings unescaped: only plain file-name characters are allowed.
for name in "${files[@]}" "${folders[@]}"; do
    if [[ ! $name =~ ^[A-Za-z0-9._\ /-]+$ ]]; then
        echo "stage-files.sh: unexpected characters in staged name: $name" >&2
        exit 1
    fi
done

windows() { echo "${1//\//\\}"; }

echo '!macro VarnookInstallFiles'
current=/
for file in "${files[@]}"; do
    folder=$(dirname "$file")
    [ "$folder" = . ] && folder= || folder="\\$(windows "$folder")"
    if [ "$folder" != "$current" ]; then
        echo "  SetOutPath \"\$INSTDIR$folder\""
        current=$folder
    fi
    echo "  File \"\${STAGE}/$file\""
done
echo '!macroend'

echo '!macro VarnookDeleteFiles'
for file in "${files[@]}"; do
    echo "  Delete \"\$INSTDIR\\$(windows "$file")\""
done
echo '!macroend'

echo '!macro VarnookRemoveFolders'
for folder in "${folders[@]}"; do
    echo "  RMDir \"\$INSTDIR\\$(windows "$folder")\""
done
echo '!macroend'
