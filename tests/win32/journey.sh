#!/usr/bin/env bash
# A Windows user's whole journey under Wine on a virtual screen, driven with
# the mouse and keys: install silently with the installer, start the installed
# program in a folder of karaoke files, open that folder, select every row,
# convert; then "Always save to" a folder made with "New Folder..." in the
# browse dialog and convert again into it; uninstall silently. Every good file
# must come out byte for byte as the Linux kar2mid writes it, both times, and
# the uninstaller must leave nothing of the program behind.
# usage: journey.sh WINDOWS_BUILD_DIR LINUX_KAR2MID CORPUS_DIR [SCREENSHOT_DIR]
# Exits 77 (skipped) when the corpus or a tool is missing.
set -euo pipefail
build=$(cd "$1" && pwd)
kar2mid=$2
corpus=$3
shots=${4:-$build/journey-screens}
setup=$(ls "$build"/LyricastConvert-*-setup.exe 2>/dev/null | head -n 1)
if [ ! -d "$corpus/kar" ]; then
    echo "SKIP: the corpus folder $corpus is absent"
    exit 77
fi
for tool in xvfb-run xdotool import wine; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
[ -n "$setup" ] || { echo "FAIL: no installer in $build (run scripts/package-windows)"; exit 1; }

# Under /tmp itself, so the folder list reads "Z:\", "tmp", this folder, Karaoke.
home=$(mktemp -d /tmp/lyricast-win-journey.XXXXXX)
trap 'rm -rf "$home"' EXIT
mkdir -p "$home/Karaoke" "$home/reference" "$shots"
cp "$corpus"/kar/*.kar "$home/Karaoke/"
"$kar2mid" --output-dir "$home/reference" "$home/Karaoke" >/dev/null 2>&1 || true
good=$(ls "$home"/reference/*.MID 2>/dev/null | wc -l)
[ "$good" -gt 0 ] || { echo "FAIL: $kar2mid converted nothing"; exit 1; }

export WINEPREFIX="$build/wineprefix-journey" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
installed="$WINEPREFIX/drive_c/LyricastConvert"

cat >"$home/drive.sh" <<'DRIVE'
set -euo pipefail
setup=$1; home=$2; good=$3; shots=$4; installed=$5
# Waits up to a minute for a condition: Wine is slow on a busy machine.
wait_for() {
    for _ in $(seq 300); do eval "$1" && return 0; sleep 0.2; done
    import -window root "$shots/failed.png"
    echo "FAIL: timed out waiting for: $1" >&2
    return 1
}
window_named() { xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; }
mids() { ls "$1"/*.MID 2>/dev/null | wc -l; }

wineboot --init >/dev/null 2>&1
wine "$setup" /S '/D=C:\LyricastConvert' >/dev/null 2>&1
wait_for '[ -f "$installed/lyricast-convert.exe" ] && [ -f "$installed/Help/Help.html" ]'

cd "$home"
wine "$installed/lyricast-convert.exe" >/dev/null 2>&1 &
wait_for 'window_named "Lyricast Convert Vers"'
sleep 1
# The window stands at 187, 112 (no window manager): the fourth item of the
# folder list is Karaoke.
xdotool mousemove 247 244 click --repeat 2 --delay 80 1
sleep 3
xdotool mousemove 500 180 click 1
xdotool key ctrl+a
sleep 1
import -window root "$shots/main-window.png"
xdotool mousemove 872 584 click 1
wait_for '[ "$(mids "$home/Karaoke")" -ge "$good" ]'
# The batch ends with its summary and its "Open Folder" button: OK instead.
wait_for 'window_named "^Lyricast Convert$"'
sleep 1
import -window root "$shots/summary.png"
xdotool key Return
wait_for '! window_named "^Lyricast Convert$"'

# Options, Select Output Folder; "..." opens the browse dialog.
xdotool mousemove 243 145 click 1
sleep 1
xdotool key Down Down Return
wait_for 'window_named "^Output Path$"'
sleep 1
import -window root "$shots/output-dialog.png"
xdotool mousemove 754 350 click 1
wait_for 'window_named "^Output Folder$"'
sleep 1
import -window root "$shots/browse-dialog.png"
xdotool mousemove 460 550 click 1
wait_for 'window_named "^New Folder$"'
sleep 0.5
xdotool type --delay 60 Converted
xdotool mousemove 590 403 click 1
wait_for '[ -d "$home/Karaoke/Converted" ]'
sleep 1
xdotool mousemove 620 550 click 1
wait_for '! window_named "^Output Folder$"'
sleep 1
import -window root "$shots/output-dialog-chosen.png"
xdotool mousemove 551 420 click 1
wait_for '! window_named "^Output Path$"'
sleep 1
xdotool mousemove 872 584 click 1
wait_for '[ "$(mids "$home/Karaoke/Converted")" -ge "$good" ]'
wait_for 'window_named "^Lyricast Convert$"'
xdotool key Return
sleep 1
wineserver --kill

wine "$installed/uninstall.exe" /S >/dev/null 2>&1
wait_for '[ ! -e "$installed" ]'
wineserver --wait
DRIVE

echo "Installing, converting and uninstalling under Wine on a virtual screen"
xvfb-run -a -s "-screen 0 1024x768x24" bash "$home/drive.sh" "$setup" "$home" "$good" "$shots" "$installed"

status=0
for folder in "$home/Karaoke" "$home/Karaoke/Converted"; do
    same=0
    for reference in "$home"/reference/*.MID; do
        cmp -s "$reference" "$folder/$(basename "$reference")" && same=$((same + 1))
    done
    echo "$folder: $same of $good good files converted byte for byte as the Linux kar2mid does"
    [ "$same" -eq "$good" ] || status=1
done
uninstallKey='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\LyricastConvert'
if [ -e "$installed" ] || wine reg query "$uninstallKey" >/dev/null 2>&1; then
    echo "FAIL: the uninstaller left the program or its entry behind"
    status=1
fi
wineserver --kill 2>/dev/null || true
echo "Screens: $shots"
[ "$status" -eq 0 ] && echo "PASS: the Windows journey" || echo "FAIL: the Windows journey"
exit "$status"
