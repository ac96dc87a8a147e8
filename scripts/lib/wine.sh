# Runs Windows programs under Wine with no display and no installer prompts.
# Usage: . scripts/lib/wine.sh; WINEPREFIX=... wine_start; wine prog.exe ...; wine_stop
# wine_map_test_drives after wine_start adds the drives the drive list's tests use,
# wine_make_deep_tree a folder tree deeper than Wine can walk.

export WINEDEBUG=-all
# Wine takes its code page from the locale, and C.UTF-8 gives the Western
# one (1252), as most Windows machines in Europe and the Americas have, and
# UTF-8 names on this side. Names that code page cannot spell are what the
# tests try.
export LC_ALL=C.UTF-8
# No .NET or browser engine: console programs need neither, and Wine would
# otherwise offer to download them when it creates a prefix.
export WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY

# Creates the prefix on its first use (a few seconds), then starts Wine's
# server and its system processes with their output detached. Started by the
# first program instead, they would inherit its output and keep it open after
# it ends, which holds up whoever reads it (CTest waits for every test's
# output to close). The server stays until wine_stop, or half a minute after
# the last program when the caller dies first.
wine_start() {
    [ -f "$WINEPREFIX/system.reg" ] || echo "Creating the Wine prefix $WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    # A server still there from a run a moment ago refuses to start a second
    # one (status 2) and serves as well.
    wineserver --persistent=30 </dev/null >/dev/null 2>&1 || true
    wineboot --init </dev/null >/dev/null 2>&1
}

# The server may have ended already (it leaves half a minute after its last
# program); that is not a failure of whoever stops it.
wine_stop() {
    wineserver --kill >/dev/null 2>&1 || true
}

# One drive of each kind beside Wine's own c: and z:, for the drive list's
# tests (tests/platform/VolumesWindowsTest.cpp says what each must show).
# A drive is a link in the prefix's dosdevices folder, its kind a value in
# Wine's registry, its label the file .windows-label in its folder; a link
# into dosdevices/unc/SERVER/SHARE makes a drive connected to that share.
# Wine reads all this when it starts, so it restarts once after mapping them.
# Exports LYRICAST_WINE_TEST_DRIVES, which tells the tests to expect them.
wine_map_test_drives() {
    export LYRICAST_WINE_TEST_DRIVES=1
    # The stamp names the set of drives, so that a prefix mapped for an older set is mapped again.
    local done="$WINEPREFIX/lyricast-test-drives-2" folders="$WINEPREFIX/lyricast-drives"
    local devices="$WINEPREFIX/dosdevices"
    [ -f "$done" ] && return 0
    mkdir -p "$folders/removable" "$folders/labelled" "$folders/share" "$folders/ram" \
        "$folders/songs" "$devices/unc/Srv/Songs"
    printf 'Caf\xc3\xa9 Songs' >"$folders/labelled/.windows-label"
    printf 'Old Share' >"$folders/share/.windows-label"
    printf 'Ram Disk' >"$folders/ram/.windows-label"
    printf '\xd0\x9f\xd0\xb5\xd1\x81\xd0\xbd\xd0\xb8 \xe6\xad\x8c' >"$folders/songs/.windows-label"
    ln -sfn "$folders/removable" "$devices/j:"
    ln -sfn unc/Srv/Songs "$devices/k:"
    ln -sfn "$folders/labelled" "$devices/l:"
    ln -sfn "$folders/missing" "$devices/m:"
    ln -sfn "$folders/no-disc" "$devices/n:"
    ln -sfn "$folders/share" "$devices/o:"
    ln -sfn "$folders/songs" "$devices/p:"
    ln -sfn "$folders/ram" "$devices/r:"
    local drive
    for drive in j:floppy k:network n:cdrom o:network r:ramdisk; do
        wine reg add 'HKLM\Software\Wine\Drives' /v "${drive%%:*}:" /d "${drive#*:}" /f \
            </dev/null >/dev/null 2>&1
    done
    wineserver --kill
    wineserver --wait
    touch "$done"
    wine_start
}

# A tree that Wine cannot walk to its end, made from this side, where each
# folder is made from inside its parent: Wine spells every path as one of
# this machine's, and those stop at 4,096 bytes. It holds z.kar and d1 to d4,
# each with a.kar and a chain of 25 folders of 200 letters (tests/support/
# DeepFolders.h says what the tests expect). Exports LYRICAST_WINE_DEEP_TREE,
# its Windows path.
wine_make_deep_tree() {
    local tree="$WINEPREFIX/lyricast-deep-tree" name folder i
    name=$(printf 'n%.0s' $(seq 200))
    if [ ! -f "$tree/z.kar" ]; then
        rm -rf "$tree"
        mkdir -p "$tree"
        for folder in d1 d2 d3 d4; do
            mkdir "$tree/$folder"
            wine_small_karaoke >"$tree/$folder/a.kar"
            (cd "$tree/$folder" && for i in $(seq 25); do mkdir "$name" && cd "$name"; done)
        done
        wine_small_karaoke >"$tree/z.kar"
    fi
    LYRICAST_WINE_DEEP_TREE=$(winepath -w "$tree" 2>/dev/null)
    export LYRICAST_WINE_DEEP_TREE
}

# A format-0 karaoke file of one track that holds only its end.
wine_small_karaoke() {
    printf 'MThd\0\0\0\6\0\0\0\1\0\x60MTrk\0\0\0\4\0\xff\x2f\0'
}
