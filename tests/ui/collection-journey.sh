#!/usr/bin/env bash
# A collection's journey through the real window on a virtual screen: 300
# songs in nested folders, many of one name in different folders, listed
# with "Include Sub Dir" (ticked from its menu, which lists the folder
# again) and converted with "Keep sub-folders" (checked in the output folder
# dialog with the keyboard) into one folder, the report saved from the
# summary; then converted again with "Skip" chosen in the dialog: nothing is
# rewritten (every output's modification time stays) and the second report
# says so. Every output is the one kar2mid --keep-tree writes.
# usage: collection-journey.sh PROGRAM CORPUS_DIR KAR2MID [SCREENSHOT_DIR]
set -euo pipefail
program=$(realpath "$1")
corpus=$2
kar2mid=$(realpath "$3")
if [ ! -d "$corpus/kar" ]; then
    echo "SKIP: the corpus folder $corpus is absent"
    exit 77
fi
for tool in xvfb-run xdotool import; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

home=$(mktemp -d /tmp/lyricast-collection.XXXXXX)
trap 'rm -rf "$home"' EXIT
export XDG_CONFIG_HOME="$home/config"
echo "leak:libdbus-1.so" >"$home/lsan.supp"
export LSAN_OPTIONS="suppressions=$home/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
shots=${4:-${LYRICAST_JOURNEY_SHOTS:-$home/shots}}
mkdir -p "$shots" "$home/Out" "$home/ref"

# Pop, Rock and Jazz, ten artists each, ten tracks each: "Track 01.kar" 30 times.
/usr/bin/python3 - "$corpus/kar" "$home/Collection" <<'PY'
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
"$kar2mid" -r --keep-tree -o "$home/ref" "$home/Collection" >/dev/null
mkdir -p "$XDG_CONFIG_HOME/Lyricast"
# The output folder is chosen already (the browse dialog is another journey's):
# "Always save to" it, replacing what is there, the tree not yet kept.
cat >"$XDG_CONFIG_HOME/Lyricast/Lyricast Convert.ini" <<INI
[General]
OutputFolder=@ByteArray($home/Out)
AlwaysSaveTo=@ByteArray(1)
IncludeSubDir=@ByteArray(0)
INI

cat >"$home/drive.sh" <<'DRIVE'
set -euo pipefail
program=$1; home=$2; shots=$3
fail() { echo "FAIL: $*"; import -window root "$home/failed.png" || true; exit 1; }
within() {
    local tries=$1; shift
    for _ in $(seq "$tries"); do "$@" && return 0; sleep 0.1; done
    return 1
}
visible() { xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; }
popup() {
    { xdotool search --onlyvisible --classname '^lyricast-convert$' 2>/dev/null || true; } |
        { grep -vx "$window" || true; } | head -n 1
}
popup_shown() { [ -n "$(popup)" ]; }
popup_gone() { [ -z "$(popup)" ]; }
outputs() { find "$home/Out" -name '*.MID' | wc -l; }
settled() {
    local last="" now still=0
    for _ in $(seq "$1"); do
        now=$(import -window "$window" rgb:- 2>/dev/null | md5sum)
        if [ "$now" = "$last" ]; then
            still=$((still + 1))
            [ "$still" -lt 4 ] || return 0
        else
            still=0
        fi
        last=$now
        sleep 0.5
    done
    return 1
}
focus() { xdotool windowfocus --sync "$1" 2>/dev/null || true; }
# Options > Select Output Folder; the keys after it go to the dialog, which
# closes with Close; $1 names its screenshot.
output_dialog() {
    focus "$window"
    xdotool key alt+o
    within 30 popup_shown || fail "Alt+O opened no menu"
    xdotool key o
    within 50 visible '^Output Path$' || fail "the output folder dialog did not open"
    sleep 0.5
    dialog=$(xdotool search --onlyvisible --name '^Output Path$' | head -n 1)
    focus "$dialog"
    shift_keys=("${@:2}")
    [ "${#shift_keys[@]}" -eq 0 ] || xdotool key --delay 120 "${shift_keys[@]}"
    sleep 0.3
    import -window root "$shots/$1"
    xdotool key Escape
    within 50 bash -c "! xdotool search --onlyvisible --name '^Output Path\$' >/dev/null 2>&1" ||
        fail "the output folder dialog did not close"
}
# Selects every row, converts, saves the report as $1 from the summary
# ($2 names its screenshot) and closes it.
convert_all() {
    focus "$window"
    xdotool mousemove --window "$window" 400 45 click 1
    xdotool key ctrl+a
    xdotool mousemove --window "$window" 682 447 click 1
    within 900 popup_shown || fail "no summary box after the batch"
    sleep 0.5
    import -window root "$shots/$2"
    focus "$(popup)"
    xdotool key alt+r
    within 50 visible 'Save Report' || fail "Save Report opened no dialog"
    sleep 0.5
    xdotool key ctrl+a
    xdotool type --delay 20 "$1"
    xdotool key Return
    within 50 bash -c "[ -f '$1' ]" || fail "no report written to $1"
    sleep 0.5
    focus "$(popup)"
    xdotool key Escape
    within 50 popup_gone || fail "Escape did not close the summary box"
}
trap 'kill $(jobs -p) 2>/dev/null || true' EXIT

cd "$home"
"$program" "$home/Collection" 2>>"$home/program.log" &
pid=$!
within 300 visible 'Lyricast Convert Vers' || fail "the window did not open"
window=$(xdotool search --onlyvisible --name 'Lyricast Convert Vers' | head -n 1)
sleep 1
focus "$window"
# Options > Include Sub Dir: the folder is listed again, with its sub-folders.
xdotool key alt+o
within 30 popup_shown || fail "Alt+O opened no menu"
xdotool key s
settled 300 || fail "the collection's listing did not end"
import -window "$window" "$home/listed.png"

# 1. Keep sub-folders (Alt+K), then convert.
output_dialog coll-qt-dialog.png alt+k
convert_all "$home/report1.csv" coll-qt-summary-first.png
[ "$(outputs)" -eq 300 ] || fail "$(outputs) of 300 outputs written"
find "$home/Out" -name '*.MID' -printf '%P %T@\n' | sort >"$home/times1"

# 2. Skip (Alt+S).
sleep 1.5 # a rewritten file would show a later time than any of the first run
output_dialog coll-qt-dialog-skip.png alt+s
convert_all "$home/report2.csv" coll-qt-summary-skip.png
find "$home/Out" -name '*.MID' -printf '%P %T@\n' | sort >"$home/times2"

focus "$window"
xdotool key alt+f
within 30 popup_shown || fail "Alt+F opened no menu"
xdotool key x
within 100 bash -c "! kill -0 $pid 2>/dev/null" || fail "File > Exit did not end the program"
wait "$pid" || fail "the program ended with status $?"
DRIVE
xvfb-run -a -s "-screen 0 1024x768x24" bash "$home/drive.sh" "$program" "$home" "$shots" || {
    cp "$home/failed.png" /tmp/lyricast-collection-failed.png 2>/dev/null || true
    echo "(screen kept as /tmp/lyricast-collection-failed.png; the program's output:)"
    cat "$home/program.log" 2>/dev/null || true
    exit 1
}

ini="$XDG_CONFIG_HOME/Lyricast/Lyricast Convert.ini"
grep -qF "KeepSubFolders=@ByteArray(1)" "$ini" || { echo "FAIL: Keep sub-folders not remembered"; exit 1; }
grep -qF "IfFileExists=@ByteArray(Skip)" "$ini" || { echo "FAIL: Skip not remembered"; exit 1; }
/usr/bin/python3 - "$home" <<'PY'
import csv, filecmp, os, sys
home = sys.argv[1]
fail = lambda message: sys.exit("FAIL: " + message)
ref, out = home + "/ref", home + "/Out"
for folder, _, names in os.walk(ref):
    for name in names:
        relative = os.path.relpath(os.path.join(folder, name), ref)
        if not filecmp.cmp(os.path.join(ref, relative), os.path.join(out, relative), shallow=False):
            fail(f"{relative} differs from what kar2mid --keep-tree writes")
if open(home + "/times1").read() != open(home + "/times2").read():
    fail("the run with Skip rewrote files: their modification times moved")
for report, result in (("report1.csv", "converted"), ("report2.csv", "skipped")):
    with open(os.path.join(home, report), newline="", encoding="utf-8") as file:
        rows = list(csv.reader(file))
    if rows[0] != ["source", "output", "result", "reason", "lyrics"] or len(rows) != 301:
        fail(f"{report}: {len(rows)} rows, header {rows[0]}")
    for source, output, got, reason, lyrics in rows[1:]:
        relative = os.path.relpath(source, home + "/Collection")
        if got != result or output != os.path.join(out, relative[:-4] + ".MID"):
            fail(f"{report}: {source}: {got} {output} {reason}")
print("collection: 300 songs kept in their folders as kar2mid keeps them; "
      "the second run with Skip rewrote none; both reports read back")
PY
