# Runs Windows programs under Wine with no display and no installer prompts.
# Usage: . scripts/lib/wine.sh; WINEPREFIX=... wine_start; wine prog.exe ...; wine_stop
# wine_map_test_drives after wine_start adds the drives the drive list's tests use.

export WINEDEBUG=-all
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
    wineserver --persistent=30 </dev/null >/dev/null 2>&1
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
    local done="$WINEPREFIX/lyricast-test-drives" folders="$WINEPREFIX/lyricast-drives"
    local devices="$WINEPREFIX/dosdevices"
    [ -f "$done" ] && return 0
    mkdir -p "$folders/removable" "$folders/labelled" "$folders/share" "$folders/ram" \
        "$devices/unc/Srv/Songs"
    printf 'Caf\xc3\xa9 Songs' >"$folders/labelled/.windows-label"
    printf 'Old Share' >"$folders/share/.windows-label"
    printf 'Ram Disk' >"$folders/ram/.windows-label"
    ln -sfn "$folders/removable" "$devices/j:"
    ln -sfn unc/Srv/Songs "$devices/k:"
    ln -sfn "$folders/labelled" "$devices/l:"
    ln -sfn "$folders/missing" "$devices/m:"
    ln -sfn "$folders/no-disc" "$devices/n:"
    ln -sfn "$folders/share" "$devices/o:"
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
