# Runs Windows programs under Wine with no display and no installer prompts.
# Usage: . scripts/lib/wine.sh; WINEPREFIX=... wine_start; wine prog.exe ...; wine_stop

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

wine_stop() {
    wineserver --kill
}
