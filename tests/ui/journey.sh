#!/usr/bin/env bash
# A person's whole journey, in a real window on a virtual screen, with the
# keyboard wherever a person could use it:
#  1. start the program in a folder, double-click its Karaoke sub-folder (the
#     corpus, a bad file, a named pipe, a Latin-1 name and two names that give
#     one output), select every row, convert, close the summary, leave with
#     File > Exit; every good file's output is the one kar2mid writes;
#  2. start again: the window comes back in Karaoke, F5 lists it again and the
#     files convert again;
#  3. start with a big folder on the command line, convert it, open a menu
#     while the batch runs, stop it with Esc: no file is left half written.
#     The folder holds as many files as kar2mid of the same build converts
#     here in ten seconds (5,000 at least), so on any build and machine the
#     menu is asked for while files are still being written.
# usage: journey.sh PROGRAM CORPUS_DIR KAR2MID
set -euo pipefail
program=$(realpath "$1")
corpus=$2
kar2mid=$(realpath "$3")
if [ ! -d "$corpus/kar" ]; then
    echo "SKIP: the corpus folder $corpus is absent"
    exit 77
fi
for tool in xvfb-run xdotool import mkfifo; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

# Under /tmp itself, so the folder list's ladder is always "/", "tmp", this folder.
# Karaoke is its only folder before Many; what the checks need is kept apart.
home=$(mktemp -d /tmp/lyricast-journey.XXXXXX)
work=$(mktemp -d /tmp/lyricast-journey-work.XXXXXX)
trap 'rm -rf "$home" "$work"' EXIT
export XDG_CONFIG_HOME="$work/config"
# The window ends as a person ends it (File > Exit), so the sanitizer's
# leak check runs at its exit; the desktop bus library keeps a buffer to the end.
echo "leak:libdbus-1.so" >"$work/lsan.supp"
export LSAN_OPTIONS="suppressions=$work/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
# The screenshots (listed, summary, converting) are kept when this names a folder.
shots=${LYRICAST_JOURNEY_SHOTS:-$work/shots}
mkdir -p "$home/Karaoke" "$home/Many" "$work/ref" "$work/ref2" "$work/first-run" "$shots"
karaoke="$home/Karaoke"
cp "$corpus"/kar/*.kar "$karaoke/"
cp "$corpus/malformed/namusic.mid" "$karaoke/Not_Really.kar"
mkfifo "$karaoke/y.kar"
cp "$corpus/kar/Happy-Birthday-To-You-4.kar" "$karaoke/HeyJude.kar"
cp "$corpus/kar/Alphaville-Forever_Young.kar" "$karaoke/HeyJude.KAR"
cp "$corpus/kar/Enya-Only_Time.kar" "$karaoke/"$'Caf\xe9.kar'
cp "$corpus/kar/Happy-Birthday-To-You-4.kar" "$work/song.kar"

# What kar2mid writes from the same sources: the pipe and the bad file left
# out, the two HeyJude files each on their own.
for source in "$karaoke"/*.kar; do
    case $source in */y.kar | */Not_Really.kar | */HeyJude.kar) ;; *) "$kar2mid" --output-dir "$work/ref" "$source" >/dev/null ;; esac
done
"$kar2mid" --output-dir "$work/ref2" "$karaoke/HeyJude.kar" >/dev/null
"$kar2mid" --output-dir "$work/ref2" "$karaoke/HeyJude.KAR" >/dev/null
mv "$work/ref2/HeyJude.MID" "$work/ref2/HeyJude-upper.MID"
"$kar2mid" --output-dir "$work/ref2" "$karaoke/HeyJude.kar" >/dev/null
# The window converts in list order, which is the walk's: the first of the pair wins.
first=$("$kar2mid" --list "$karaoke" | awk -F '\t' '$1 ~ /\/HeyJude\.(kar|KAR)$/ && !seen++ { print $1 }')
expected=$(($(ls "$work/ref" | wc -l) + 1))

cat >"$work/drive.sh" <<'DRIVE'
set -euo pipefail
program=$1; home=$2; expected=$3; shots=$4; work=$5; kar2mid=$6
karaoke="$home/Karaoke"
fail() { echo "FAIL: $*"; import -window root "$work/failed.png" || true; exit 1; }

# Waits up to $1 tenths of a second for the command after it to succeed.
within() {
    local tries=$1; shift
    for _ in $(seq "$tries"); do "$@" && return 0; sleep 0.1; done
    return 1
}
visible() { xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; }
# A window of the program besides the main one: the summary box, an open menu.
popup() {
    { xdotool search --onlyvisible --classname '^lyricast-convert$' 2>/dev/null || true; } |
        { grep -vx "$window" || true; } | head -n 1
}
popup_shown() { [ -n "$(popup)" ]; }
popup_gone() { [ -z "$(popup)" ]; }
outputs() { find "$1" -maxdepth 1 -name '*.MID' | wc -l; }
# Fills Many up to $1 names of one small song, as hard links: a big folder
# costs no room. A file takes so many links only, so a copy serves each 50,000.
many() {
    /usr/bin/python3 - "$work/song.kar" "$home/Many" "$1" <<'PY'
import os, shutil, sys
song, folder, count = sys.argv[1], sys.argv[2], int(sys.argv[3])
for i in range(len(os.listdir(folder)), count):
    copy = f"{song}.{i // 50000}"
    if not os.path.exists(copy):
        shutil.copyfile(song, copy)
    os.link(copy, f"{folder}/s{i:06}.kar")
PY
}
# Waits up to $1 half-seconds for the window to stay the same for two
# seconds: a scan writes its status line a few times a second until it ends.
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

start() {
    "$program" "$@" 2>>"$work/program.log" &
    pid=$!
    within 300 visible 'Lyricast Convert Vers' || fail "the window did not open"
    window=$(xdotool search --onlyvisible --name 'Lyricast Convert Vers' | head -n 1)
    sleep 1
    xdotool windowfocus --sync "$window" 2>/dev/null || true
}
convert_all() {
    xdotool mousemove --window "$window" 400 45 click 1
    xdotool key ctrl+a
    xdotool mousemove --window "$window" 682 447 click 1
}
# The summary box comes at the end of a batch; Escape closes it.
close_summary() {
    within "$1" popup_shown || fail "no summary box after the batch"
    [ -z "${2:-}" ] || import -window root "$2"
    xdotool windowfocus --sync "$(popup)" 2>/dev/null || true
    xdotool key Escape
    within 50 popup_gone || fail "Escape did not close the summary box"
}
# File > Exit with its mnemonics; the window saves what it remembers.
leave() {
    xdotool windowfocus --sync "$window" 2>/dev/null || true
    xdotool key alt+f
    within 30 popup_shown || fail "Alt+F opened no menu"
    xdotool key x
    within 100 bash -c "! kill -0 $pid 2>/dev/null" || fail "File > Exit did not end the program"
    wait "$pid" || fail "the program ended with status $?"
}
trap 'kill $(jobs -p) 2>/dev/null || true' EXIT

cd "$home"
# 1. The fourth item of the folder list (after "/", "tmp" and this folder): Karaoke.
start
xdotool mousemove --window "$window" 61 109 click --repeat 2 --delay 60 1
sleep 4  # the pipe is judged without waiting for a writer
import -window root "$shots/listed.png"
convert_all
close_summary 600 "$shots/summary.png"
[ "$(outputs "$karaoke")" -eq "$expected" ] ||
    fail "$(outputs "$karaoke") of $expected .MID files written (the named pipe may have held the scan)"
leave
ini="$XDG_CONFIG_HOME/Lyricast/Lyricast Convert.ini"
[ -f "$ini" ] || fail "no settings written to $ini"
grep -qF "Folder=@ByteArray($karaoke)" "$ini" || fail "the folder Karaoke is not remembered: $(cat "$ini")"
grep -qF "IncludeSubDir=@ByteArray(0)" "$ini" || fail "the options are not remembered: $(cat "$ini")"
cp -p "$karaoke"/*.MID "$work/first-run/"

# 2. Back in Karaoke: F5 lists it again, the files convert again.
rm "$karaoke"/*.MID
start
xdotool key F5
sleep 4
convert_all
close_summary 600
[ "$(outputs "$karaoke")" -eq "$expected" ] || fail "the second run did not come back to Karaoke"
leave

# 3. The big folder from the command line; a menu while it converts; Esc stops it.
# Its size: what kar2mid of this build converts in ten seconds, timed just
# before, the faster of two runs; the window converts no faster.
many 5000
fastest=0
for _ in 1 2; do
    rm -rf "$work/rate"
    mkdir "$work/rate"
    began=$(date +%s%N)
    "$kar2mid" --output-dir "$work/rate" "$home/Many" >/dev/null
    took=$((($(date +%s%N) - began) / 1000000 + 1))
    [ "$fastest" -ne 0 ] && [ "$fastest" -le "$took" ] || fastest=$took
done
rm -rf "$work/rate"
batch=$((5000 * 10000 / fastest))
batch=$((batch < 5000 ? 5000 : batch > 150000 ? 150000 : batch))
many "$batch"
echo "journey: kar2mid converts 5000 files in $fastest ms here: the batch to stop is $batch files"
start "$home/Many"
settled 600 || fail "the scan of $batch files did not end"  # every row listed before Ctrl+A
convert_all
sleep 0.3
opened=$(date +%s%N)
xdotool key alt+o
within 100 popup_shown || fail "the Options menu did not open while the batch ran"
converted=$(outputs "$home/Many")
echo "journey: the menu opened $((($(date +%s%N) - opened) / 1000000)) ms after Alt+O, with $converted of $batch files converted"
[ "$converted" -lt "$batch" ] || fail "the menu opened only once the batch had ended"
import -window "$window" "$shots/converting.png"
xdotool key Escape   # closes the menu
sleep 0.2
xdotool key Escape   # leaves the menu bar
xdotool key Escape   # stops the batch
close_summary 600
written=$(outputs "$home/Many")
[ "$written" -lt "$batch" ] || fail "the batch did not stop: all $batch files converted"
echo "journey: stopped after $written of $batch files"
leave
DRIVE
xvfb-run -a -s "-screen 0 1024x768x24" bash "$work/drive.sh" "$program" "$home" "$expected" "$shots" "$work" "$kar2mid" || {
    cp "$work/failed.png" /tmp/lyricast-journey-failed.png 2>/dev/null || true
    echo "(screen kept as /tmp/lyricast-journey-failed.png; the program's output:)"
    cat "$work/program.log" 2>/dev/null || true
    exit 1
}

/usr/bin/python3 - "$home" "$work" "$first" <<'PY'
import filecmp, glob, os, struct, sys
home, work, first = sys.argv[1], sys.argv[2], sys.argv[3]
karaoke, first_run = home + "/Karaoke", work + "/first-run"
fail = lambda message: sys.exit("FAIL: " + message)
for run in (karaoke, first_run):
    for name in os.listdir(work + "/ref"):
        if not filecmp.cmp(f"{work}/ref/{name}", f"{run}/{name}", shallow=False):
            fail(f"{run}/{name} differs from what kar2mid writes")
    for gone in ("Not_Really.MID", "y.MID"):
        if os.path.exists(f"{run}/{gone}"):
            fail(f"{gone} was written from a bad file")
    pair = "HeyJude-upper.MID" if first.endswith(".KAR") else "HeyJude.MID"
    if not filecmp.cmp(f"{work}/ref2/{pair}", f"{run}/HeyJude.MID", shallow=False):
        fail(f"{run}/HeyJude.MID is not the output of {first}, the first of the pair")
import mido
for path in sorted(glob.glob(karaoke + "/*.MID")):
    song = mido.MidiFile(path)
    if song.type != 0 or len(song.tracks) != 1: fail(path + ": not one track in format 0")
    kinds = {m.type for m in song.tracks[0]}
    if "lyrics" not in kinds or "text" in kinds: fail(path + ": text events not turned into lyrics")
# The stopped batch: every output whole, no temporary file left.
many = home + "/Many"
if glob.glob(many + "/.lyricast-*"):
    fail("temporary files left after the stop: " + ", ".join(glob.glob(many + "/.lyricast-*")[:3]))
for path in glob.glob(many + "/*.MID"):
    data = open(path, "rb").read()
    if data[:4] != b"MThd" or data[14:18] != b"MTrk" or len(data) != 22 + struct.unpack(">I", data[18:22])[0]:
        fail(path + " is not a whole MIDI file")
print("journey: every good file converted as kar2mid converts it, the pair's first kept, the stop left only whole files")
PY
