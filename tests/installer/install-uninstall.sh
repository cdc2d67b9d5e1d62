#!/usr/bin/env bash
# install-uninstall.sh SETUP STAGE VERSION INVENTORY_DUMP FIND_SCRIPT
# Installs Varnook with its installer SETUP (silently, /S) into the Wine prefix $WINEPREFIX, checks the files
# against the installer's STAGE folder, the uninstall entry, the shortcut and the inventory (through the
# registered ProgID and through inventory-dump), starts the program once, then uninstalls it through its
# UninstallString as a user would and checks that nothing is left. A second round shows that the user's
# backups in "Back up" survive the uninstall and everything else goes.
# ctest runs it inside tools/with-wine.sh, which sets $WINEPREFIX and $WINELOADER. By hand, with b the build
# folder (build/x86_64 here) and repo the repository:
#   cd $b/scratch && xvfb-run -a -s "-screen 0 1024x768x24" $repo/tools/with-wine.sh $b/wineprefix \
#       ctest --test-dir $b -R '^installer$' --output-on-failure
# Without xvfb-run (no DISPLAY) the program is not started; its run-time files are written as it would.
set -euo pipefail
setup=$1 stage=$2 version=$3 dump=$4 find_script=$5

readonly KEY='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Varnook'
readonly FOLDER='C:\Program Files\Varnook'
readonly PUBLISHER='The Varnook developers'
readonly folder="$WINEPREFIX/drive_c/Program Files/Varnook"
readonly shortcut="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Varnook.lnk"
# Where a Config.ini that points out of the program's folder would lead the uninstaller.
readonly victim="$WINEPREFIX/drive_c/Program Files/Victim.ini"
# Tallivor's registration (inventory/com/Tallivor.idl and Registration.cpp).
readonly COM_KEYS=(
    'HKCR\CLSID\{B840D7A9-1A1F-4A30-8C51-227E5EB10285}'
    'HKCR\CLSID\{58F032A7-32AC-47C4-BF0D-E0244A531A76}'
    'HKCR\TypeLib\{495E5D11-2B65-43B8-A729-26DA1BE60CEC}'
    'HKCR\Interface\{B309C186-D900-48F1-B038-C3CC0F5AE8DE}'
    'HKCR\Interface\{6EE88997-1550-48E4-8575-7E60BE4D814D}'
    'HKCR\Tallivor.ProgramList' 'HKCR\Tallivor.ProgramList.1'
    'HKCR\Tallivor.ProgramItem' 'HKCR\Tallivor.ProgramItem.1'
    'HKCR\AppID\{5A90EA42-EC0F-45C0-ABB1-B5A1CE206802}' 'HKCR\AppID\Tallivor.DLL'
)
readonly PROGRAM_LIST_INPROC='HKCR\CLSID\{B840D7A9-1A1F-4A30-8C51-227E5EB10285}\InprocServer32'

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Shortcuts made in the prefix must not turn into menu entries of the real desktop.
wine_run() {
    WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winemenubuilder.exe=d" "$WINELOADER" "$@"
}

key_exists() {
    wine_run reg query "$1" >/dev/null 2>&1
}

# The data of value $2 of key $1 ("" for the default value), as reg query prints it.
reg_value() {
    local line
    if [ -z "$2" ]; then
        line=$(wine_run reg query "$1" /ve 2>/dev/null | tr -d '\r' | grep -m1 'REG_') || return 1
    else
        line=$(wine_run reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | grep -m1 "^ *$2 *REG_") || return 1
    fi
    sed -E 's/^.*REG_[A-Z_]+ {4}//' <<<"$line"
}

# Checks value $1 of the uninstall entry, whose listing (reg query) is in $entry.
expect_value() {
    local actual
    actual=$(grep -m1 "^ *$1 *REG_" <<<"$entry" | sed -E 's/^.*REG_[A-Z_]+ {4}//')
    [ "$actual" = "$2" ] || fail "uninstall entry value $1 is '$actual', expected '$2'"
}

timed() {
    local start=$EPOCHREALTIME
    "$@"
    awk -v name="$1" -v start="$start" -v end="$EPOCHREALTIME" 'BEGIN { printf "%s: %.1f s\n", name, end - start }'
}

# Leaves the prefix as it was before the test, also after a failure. A process of the test left running
# would keep ctest waiting for its output.
clean_prefix() {
    local pid
    for pid in ${program:-} $(uninstaller_copies); do
        { kill "$pid" && wait "$pid"; } 2>/dev/null || true
    done
    ! key_exists "$KEY" || wine_run reg delete "$KEY" /f >/dev/null 2>&1 || true
    rm -rf "$folder"
    rm -f "$shortcut" "$victim"
    # The uninstaller's copy deletes itself but leaves its empty folder behind.
    rmdir "$WINEPREFIX"/drive_c/users/*/Temp/~nsu*.tmp 2>/dev/null || true
}

install() {
    wine_run "$setup" /S || fail "the installer exited with $?"
}

check_files() {
    local expected actual
    expected=$(cd "$stage" && { find . -type f; echo ./Uninstall.exe; } | LC_ALL=C sort)
    actual=$(cd "$folder" && find . -type f | LC_ALL=C sort) || fail "no folder $folder"
    [ "$actual" = "$expected" ] || fail "installed files differ from the stage:"$'\n'"$(diff <(echo "$expected") <(echo "$actual"))"
    while read -r file; do
        cmp -s "$stage/$file" "$folder/$file" || fail "$file differs from the staged copy"
    done < <(cd "$stage" && find . -type f)
}

check_entry() {
    local entry kilobytes
    entry=$(wine_run reg query "$KEY" | tr -d '\r') || fail "no uninstall entry $KEY"
    expect_value DisplayName Varnook
    expect_value Publisher "$PUBLISHER"
    expect_value DisplayIcon "$FOLDER\\Varnook.exe"
    expect_value DisplayVersion "$version"
    expect_value InstallLocation "$FOLDER"
    expect_value UninstallString "\"$FOLDER\\Uninstall.exe\""
    expect_value QuietUninstallString "\"$FOLDER\\Uninstall.exe\" /S"
    expect_value NoModify 0x1
    expect_value NoRepair 0x1
    kilobytes=$(find "$folder" -type f -printf '%s\n' | awk '{ total += $1 } END { printf "0x%x", total / 1024 }')
    expect_value EstimatedSize "$kilobytes"
}

check_shortcut() {
    [ -f "$shortcut" ] || fail "no shortcut $shortcut"
    strings -a -e l "$shortcut" | grep -qiF 'Varnook\Varnook.exe' \
        || strings -a "$shortcut" | grep -qiF 'Varnook\Varnook.exe' \
        || fail "the shortcut does not lead to Varnook.exe"
}

# Before anything else runs the program or registers the server, the installer's registration alone
# must serve the inventory.
check_registration() {
    local server listing
    server=$(reg_value "$PROGRAM_LIST_INPROC" "") || fail "ProgramList class is not registered"
    [ "$server" = "$FOLDER\\Tallivor.dll" ] || fail "ProgramList is served by '$server', not the installed DLL"
    listing=$(wine_run cscript //nologo "Z:${find_script//\//\\}" | tr -d '\r') \
        || fail "the inventory server cannot be created through its ProgID: $listing"
    grep -qxF "Varnook|$PUBLISHER|$version|$FOLDER" <<<"$listing" \
        || fail "the inventory does not list Varnook with its publisher, version and folder:"$'\n'"$listing"
}

# inventory-dump's listing of the program named Varnook.
dumped_entry() {
    tr -d '\r' | awk '
        /^\[[0-9]+\]$/ { if (found) exit; block = ""; next }
        /^Screen savers:/ { exit }
        { block = block $0 "\n" }
        $0 == "  DisplayName: Varnook" { found = 1 }
        END { if (found) printf "%s", block }'
}

check_inventory_dump() {
    local output entry field
    output=$(wine_run "$dump") || fail "inventory-dump failed: $output"
    entry=$(dumped_entry <<<"$output")
    [ -n "$entry" ] || fail "inventory-dump does not list Varnook:"$'\n'"$output"
    for field in "Publisher: $PUBLISHER" "Version: $version" "InstallDir: $FOLDER" \
        "UninstallString: \"$FOLDER\\Uninstall.exe\""; do
        grep -qxF "  $field" <<<"$entry" || fail "inventory-dump lists Varnook without '$field':"$'\n'"$entry"
    done
}

# The files Varnook writes beside itself on its first start.
readonly RUNTIME_FILES=(Config.ini Langs/English.ini Skins/Default.ini)

write_runtime_files() {
    mkdir -p "$folder/Langs" "$folder/Skins"
    printf '[config]\r\nSkinFile=Default.ini\r\nLanguageFile=English.ini\r\nHideScreenSaver=1\r\nHideSysPatch=0\r\n' \
        >"$folder/Config.ini"
    printf '[Language]\r\nIDS_MAINFORM_MENU_File=File\r\n' >"$folder/Langs/English.ini"
    printf '[MainForm]\r\n' >"$folder/Skins/Default.ini"
}

runtime_files_written() {
    local file
    for file in "${RUNTIME_FILES[@]}"; do
        [ -s "$folder/$file" ] || return 1
    done
}

# Starts Varnook and waits until it has written its files; without a display, writes them for it and
# returns 1.
start_program() {
    if [ -z "${DISPLAY:-}" ]; then
        echo "no DISPLAY: writing the program's run-time files instead of starting it"
        write_runtime_files
        return 1
    fi
    WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winemenubuilder.exe=d" "$WINELOADER" "$FOLDER\\Varnook.exe" &
    program=$!
    local tries
    for tries in $(seq 1 120); do
        runtime_files_written && return 0
        kill -0 "$program" 2>/dev/null || fail "Varnook ended before it wrote ${RUNTIME_FILES[*]}"
        sleep 0.25
    done
    fail "Varnook did not write ${RUNTIME_FILES[*]} within 30 s"
}

stop_program() {
    kill "$program" 2>/dev/null || true
    wait "$program" 2>/dev/null || true
    program=
}

# The Linux processes of this prefix that run the uninstaller's temporary copy (%TEMP%\~nsuN.tmp\Un.exe).
uninstaller_copies() {
    local pid
    for pid in $(pgrep -f '\\~nsu[^ \\]*\.tmp\\'); do
        { tr '\0' '\n' <"/proc/$pid/environ"; } 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" && echo "$pid"
    done
    return 0
}

# Runs the uninstall entry's UninstallString with /S. The uninstaller hands over to a copy of itself in
# the temporary folder and returns at once, so the uninstall ends with that copy.
uninstall() {
    local command tries
    command=$(reg_value "$KEY" UninstallString) || fail "no UninstallString"
    [[ $command =~ ^\"([^\"]+)\"$ ]] || fail "UninstallString is not a quoted path: $command"
    wine_run "${BASH_REMATCH[1]}" /S || fail "the uninstaller exited with $?"
    for tries in $(seq 1 240); do
        [ -z "$(uninstaller_copies)" ] && return
        sleep 0.25
    done
    fail "the uninstall did not finish within 60 s (uninstaller processes: $(uninstaller_copies | xargs))"
}

# An uninstall while Varnook runs must stop before it removes anything.
check_nothing_removed() {
    local file
    while read -r file; do
        [ -f "$folder/$file" ] || fail "the uninstall while Varnook ran removed $file"
    done < <(cd "$stage" && find . -type f; printf '%s\n' Uninstall.exe "${RUNTIME_FILES[@]}")
    key_exists "$KEY" || fail "the uninstall while Varnook ran removed the uninstall entry"
    key_exists "$PROGRAM_LIST_INPROC" || fail "the uninstall while Varnook ran unregistered Tallivor"
    [ -f "$shortcut" ] || fail "the uninstall while Varnook ran removed the shortcut"
}

check_removed_everywhere() {
    local key
    ! key_exists "$KEY" || fail "the uninstall entry is still there"
    [ ! -e "$shortcut" ] || fail "the shortcut is still there"
    for key in "${COM_KEYS[@]}"; do
        ! key_exists "$key" || fail "$key is still registered"
    done
}

round_plain() {
    timed install
    check_files
    check_entry
    check_shortcut
    check_registration
    check_inventory_dump
    if start_program; then
        uninstall
        check_nothing_removed
        stop_program
    fi
    timed uninstall
    check_removed_everywhere
    [ ! -e "$folder" ] || fail "$folder is still there:"$'\n'"$(cd "$folder" && find .)"
}

# The user's backups stay and so does their folder; everything else goes, also the language file that
# Config.ini names. A Config.ini naming a file outside the program's folders leads nowhere.
round_with_backups() {
    local left expected
    install
    write_runtime_files
    printf '[config]\r\nSkinFile=..\\..\\Victim.ini\r\nLanguageFile=Custom.ini\r\n' >"$folder/Config.ini"
    printf '[Language]\r\n' >"$folder/Langs/Custom.ini"
    printf 'keep me\r\n' >"$victim"
    mkdir -p "$folder/Back up/reg" "$folder/Back up/scr"
    printf 'Windows Registry Editor Version 5.00\r\n' >"$folder/Back up/reg/Varnook.reg"
    uninstall
    check_removed_everywhere
    left=$(cd "$folder" && find . | LC_ALL=C sort) || fail "the folder holding the backups is gone"
    expected=$(printf '%s\n' . './Back up' './Back up/reg' './Back up/reg/Varnook.reg')
    [ "$left" = "$expected" ] || fail "after the uninstall the folder holds"$'\n'"$left"$'\n'"expected"$'\n'"$expected"
    [ -f "$victim" ] || fail "the uninstaller deleted $victim, named in Config.ini"
}

[ -f "$setup" ] || fail "no installer $setup: build the target installer"
trap clean_prefix EXIT
clean_prefix
timed round_plain
timed round_with_backups
