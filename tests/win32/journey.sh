#!/usr/bin/env bash
# A Windows user's whole journey under Wine on a virtual screen, driven with
# the mouse and keys: install silently with the installer, start the installed
# program in a folder of karaoke files, open that folder, select every row,
# convert; then "Always save to" a folder made with "New Folder..." in the
# browse dialog and convert again into it; then a collection of 300 songs in
# nested folders named on the command line, "Include Sub Dir" ticked from its
# menu, converted with "Keep sub-folders" into one folder and the report
# saved from the summary, and converted again with "Skip": nothing rewritten;
# uninstall silently. Every good file must come out byte for byte as the
# Linux kar2mid writes it, each time, and the uninstaller must leave nothing
# of the program behind.
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
mkdir -p "$home/Karaoke" "$home/reference" "$home/Later/CollectionOut" "$home/Later/reference" "$shots"
cp "$corpus"/kar/*.kar "$home/Karaoke/"
"$kar2mid" --output-dir "$home/reference" "$home/Karaoke" >/dev/null 2>&1 || true
good=$(ls "$home"/reference/*.MID 2>/dev/null | wc -l)
[ "$good" -gt 0 ] || { echo "FAIL: $kar2mid converted nothing"; exit 1; }
# Pop, Rock and Jazz, ten artists each, ten tracks each: "Track 01.kar" 30 times.
python3 - "$corpus/kar" "$home/Later/Collection" <<'PY'
import os, shutil, sys
songs = sorted(os.path.join(sys.argv[1], name) for name in os.listdir(sys.argv[1]))
n = 0
for genre in ("Pop", "Rock", "Jazz"):
    for artist in range(1, 11):
        folder = os.path.join(sys.argv[2], genre, f"Artist {artist:02}")
        os.makedirs(folder)
        for track in range(1, 11):
            shutil.copyfile(songs[n % len(songs)], os.path.join(folder, f"Track {track:02}.kar"))
            n += 1
PY
"$kar2mid" -r --keep-tree -o "$home/Later/reference" "$home/Later/Collection" >/dev/null
# Folders and songs named in Cyrillic, Japanese, Thai, with accents and an emoji.
python3 - "$corpus/kar" "$home/Writings" <<'PY'
import os, shutil, sys
songs = sorted(os.path.join(sys.argv[1], name) for name in os.listdir(sys.argv[1]))
names = [("Песни", "Лето.kar"), ("夏の歌", "夏.kar"), ("เพลง", "เพลง.kar"),
         ("Señorita", "Café.kar"), ("🎤 Live", "Señorita 🎤.kar")]
for n, (folder, song) in enumerate(names):
    os.makedirs(os.path.join(sys.argv[2], folder))
    shutil.copyfile(songs[n], os.path.join(sys.argv[2], folder, song))
PY
mkdir -p "$home/Writings-reference"
"$kar2mid" -r --keep-tree -o "$home/Writings-reference" "$home/Writings" >/dev/null 2>&1 || true

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
# The prefix is kept between runs: each journey starts with no settings remembered.
settings="$(winepath -u "$(wine cmd /c echo %APPDATA% 2>/dev/null | tr -d '\r')")/Lyricast Convert"
rm -f "$settings/lyricast-convert.ini"
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
xdotool mousemove 700 349 click 1
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
xdotool mousemove 498 420 click 1
wait_for '! window_named "^Output Path$"'
sleep 1
xdotool mousemove 872 584 click 1
wait_for '[ "$(mids "$home/Karaoke/Converted")" -ge "$good" ]'
wait_for 'window_named "^Lyricast Convert$"'
xdotool key Return
sleep 1
wineserver --kill

# The collection, in a folder after Karaoke in the folder list. It goes to a
# folder of its own, chosen already.
winhome=$(winepath -w "$home")
mkdir -p "$settings"
printf '[Settings]\r\nOutputFolder=%s\\Later\\CollectionOut\r\nAlwaysSaveTo=1\r\nIncludeSubDir=0\r\n' \
    "$winhome" >"$settings/lyricast-convert.ini"
all_mids() { find "$1" -name '*.MID' | wc -l; }
# Options > Select Output Folder; the keys given go to the dialog, which Esc
# closes; $1 names its screenshot.
output_dialog() {
    xdotool key alt+o
    sleep 0.5
    xdotool key o
    wait_for 'window_named "^Output Path$"'
    sleep 1
    xdotool key "${@:2}"
    sleep 0.5
    import -window root "$shots/$1"
    xdotool key Escape
    wait_for '! window_named "^Output Path$"'
}
# Every row converted; the summary shown ($2), the report saved where it
# offers, then moved to $1; the summary closed.
convert_collection() {
    xdotool mousemove 500 180 click 1
    xdotool key ctrl+a
    sleep 0.5
    xdotool mousemove 872 584 click 1
    wait_for 'window_named "^Lyricast Convert$"'
    sleep 1
    import -window root "$shots/$2"
    xdotool key alt+r
    wait_for 'window_named "^Save Report$"'
    sleep 1
    xdotool key Return
    wait_for '[ -f "$home/Later/CollectionOut/lyricast-report.csv" ]'
    wait_for '! window_named "^Save Report$"'
    mv "$home/Later/CollectionOut/lyricast-report.csv" "$1"
    sleep 0.5
    xdotool key Escape
    wait_for '! window_named "^Lyricast Convert$"'
}
wine "$installed/lyricast-convert.exe" "$winhome\\Later\\Collection" >/dev/null 2>&1 &
wait_for 'window_named "Lyricast Convert Vers"'
sleep 3
# Options > Include Sub Dir: the folder is listed again, with its sub-folders.
xdotool key alt+o
sleep 0.5
xdotool key s
sleep 8
output_dialog coll-win-dialog.png alt+k
convert_collection "$home/report1.csv" coll-win-summary-first.png
[ "$(all_mids "$home/Later/CollectionOut")" -eq 300 ] ||
    { echo "FAIL: $(all_mids "$home/Later/CollectionOut") of 300 outputs of the collection" >&2; exit 1; }
find "$home/Later/CollectionOut" -name '*.MID' -printf '%P %T@\n' | sort >"$home/times1"
sleep 1.5 # a rewritten file would show a later time than any of the first run
output_dialog coll-win-dialog-skip.png alt+s
convert_collection "$home/report2.csv" coll-win-summary-skip.png
find "$home/Later/CollectionOut" -name '*.MID' -printf '%P %T@\n' | sort >"$home/times2"
wineserver --kill

# The folders in other writings, named on the command line: listed with their
# sub-folders ("Include Sub Dir" ticked again: the run above was not closed,
# so remembered nothing), converted with the tree kept into a folder made with
# "New Folder..." and named in Cyrillic, typed with xdotool; File > Exit
# remembers it, and the next start shows it again.
wine "$installed/lyricast-convert.exe" "$winhome\\Writings" >/dev/null 2>&1 &
wait_for 'window_named "Lyricast Convert Vers"'
sleep 3
xdotool key alt+o
sleep 0.5
xdotool key s
sleep 5
import -window root "$shots/unicode-list.png"
xdotool key alt+o
sleep 0.5
xdotool key o
wait_for 'window_named "^Output Path$"'
sleep 1
xdotool key alt+k
sleep 0.5
xdotool mousemove 700 349 click 1
wait_for 'window_named "^Output Folder$"'
sleep 1
xdotool mousemove 460 550 click 1
wait_for 'window_named "^New Folder$"'
sleep 0.5
xdotool type --delay 250 'Готово'
sleep 0.5
import -window root "$shots/unicode-new-folder.png"
xdotool mousemove 590 403 click 1
wait_for '[ -d "$home/Later/CollectionOut/Готово" ]'
sleep 1
import -window root "$shots/unicode-browse.png"
xdotool mousemove 620 550 click 1
wait_for '! window_named "^Output Folder$"'
sleep 1
import -window root "$shots/unicode-output-dialog.png"
xdotool key Escape
wait_for '! window_named "^Output Path$"'
xdotool mousemove 500 180 click 1
xdotool key ctrl+a
sleep 0.5
xdotool mousemove 872 584 click 1
wait_for '[ "$(all_mids "$home/Later/CollectionOut/Готово")" -ge 5 ]'
wait_for 'window_named "^Lyricast Convert$"'
sleep 1
import -window root "$shots/unicode-summary.png"
xdotool key Return
wait_for '! window_named "^Lyricast Convert$"'
xdotool key alt+f
sleep 0.5
xdotool key x
wait_for '! window_named "Lyricast Convert Vers"'
sleep 1
cp "$settings/lyricast-convert.ini" "$home/settings-after.ini"
wine "$installed/lyricast-convert.exe" >/dev/null 2>&1 &
wait_for 'window_named "Lyricast Convert Vers"'
sleep 4
import -window root "$shots/unicode-restarted.png"
output_dialog unicode-remembered.png Tab
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
python3 - "$home" <<'PY' || status=1
import csv, filecmp, ntpath, os, sys
home = sys.argv[1]
ref, out = home + "/Later/reference", home + "/Later/CollectionOut"
def fail(message):
    print("FAIL: " + message)
    sys.exit(1)
for folder, _, names in os.walk(ref):
    for name in names:
        relative = os.path.relpath(os.path.join(folder, name), ref)
        if not filecmp.cmp(os.path.join(ref, relative), os.path.join(out, relative), shallow=False):
            fail(f"the collection's {relative} differs from what kar2mid --keep-tree writes")
if open(home + "/times1").read() != open(home + "/times2").read():
    fail("the run with Skip rewrote files of the collection")
for report, result in (("report1.csv", "converted"), ("report2.csv", "skipped")):
    with open(os.path.join(home, report), newline="", encoding="utf-8") as file:
        rows = list(csv.reader(file))
    if rows[0] != ["source", "output", "result", "reason", "lyrics"] or len(rows) != 301:
        fail(f"{report}: {len(rows)} rows, header {rows[0]}")
    for source, output, got, reason, lyrics in rows[1:]:
        below = source.split("\\Collection\\", 1)[1]
        if got != result or not output.endswith("\\CollectionOut\\" + below[:-4] + ".MID"):
            fail(f"{report}: {source}: {got} {output} {reason}")
print("The collection: 300 songs kept in their folders byte for byte as the Linux kar2mid "
      "--keep-tree writes them; the run with Skip rewrote none; both reports read back")
PY
python3 - "$home" <<'PY' || status=1
import filecmp, os, sys
home = sys.argv[1]
ref, out = home + "/Writings-reference", home + "/Later/CollectionOut/Готово"
count = 0
for folder, _, names in os.walk(ref):
    for name in names:
        relative = os.path.relpath(os.path.join(folder, name), ref)
        if not os.path.exists(os.path.join(out, relative)) or not filecmp.cmp(
                os.path.join(ref, relative), os.path.join(out, relative), shallow=False):
            print(f"FAIL: {relative} in other writings differs from what kar2mid --keep-tree writes")
            sys.exit(1)
        count += 1
text = open(home + "/settings-after.ini", "rb").read()
if not text.startswith(b"\xef\xbb\xbf") or "Готово".encode() not in text or "Writings".encode() not in text:
    print("FAIL: the settings file does not remember the folders in UTF-8: %r" % text[:400])
    sys.exit(1)
print(f"Names in other writings: {count} songs listed with their sub-folders and converted into "
      "a folder named in Cyrillic byte for byte as the Linux kar2mid --keep-tree writes them; "
      "the settings file remembers both folders in UTF-8")
PY
uninstallKey='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\LyricastConvert'
if [ -e "$installed" ] || wine reg query "$uninstallKey" >/dev/null 2>&1; then
    echo "FAIL: the uninstaller left the program or its entry behind"
    status=1
fi
wineserver --kill 2>/dev/null || true
echo "Screens: $shots"
[ "$status" -eq 0 ] && echo "PASS: the Windows journey" || echo "FAIL: the Windows journey"
exit "$status"
