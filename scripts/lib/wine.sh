# Runs Windows programs under Wine with no display and no installer prompts.
# Usage: . scripts/lib/wine.sh; WINEPREFIX=... wine_prepare; wine prog.exe ...

export WINEDEBUG=-all
# No .NET or browser engine: console programs need neither, and Wine would
# otherwise offer to download them when it creates a prefix.
export WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY

# Creates the prefix on its first use (a few seconds) and waits until its
# registry is written; an existing prefix is used as it is.
wine_prepare() {
    [ -f "$WINEPREFIX/system.reg" ] && return 0
    echo "Creating the Wine prefix $WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    wineboot --init >/dev/null 2>&1
    wineserver --wait
}
