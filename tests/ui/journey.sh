#!/usr/bin/env bash
# A person's whole journey, in a real window on a virtual screen: start the
# program in a folder, double-click its Karaoke sub-folder, select every row,
# press "Convert File/s", and find a .MID with lyric events for every good file.
# usage: journey.sh PROGRAM CORPUS_DIR
set -euo pipefail
program=$1
corpus=$2
if [ ! -d "$corpus/kar" ]; then
    echo "SKIP: the corpus folder $corpus is absent"
    exit 77
fi
for tool in xvfb-run xdotool import; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

# Under /tmp itself, so the folder list's ladder is always "/", "tmp", this folder.
home=$(mktemp -d /tmp/lyricast-journey.XXXXXX)
trap 'rm -rf "$home"' EXIT
mkdir "$home/Karaoke"
cp "$corpus"/kar/*.kar "$home/Karaoke/"
cp "$corpus/malformed/namusic.mid" "$home/Karaoke/Not_Really.kar"
good=$(ls "$corpus"/kar/*.kar | wc -l)

cat >"$home/drive.sh" <<'DRIVE'
set -euo pipefail
program=$1; home=$2; good=$3
cd "$home"
"$program" &
pid=$!
window=$(xdotool search --sync --onlyvisible --name "Lyricast Convert" | head -n 1)
sleep 1
# The fourth item of the folder list (after "/", "tmp" and this folder): Karaoke.
xdotool mousemove --window "$window" 61 109 click --repeat 2 --delay 60 1
sleep 2
# Every row: click the first, then Ctrl+A; then the convert button.
xdotool mousemove --window "$window" 400 45 click 1
xdotool key --window "$window" ctrl+a
xdotool mousemove --window "$window" 682 447 click 1
for _ in $(seq 50); do
    [ "$(ls "$home"/Karaoke/*.MID 2>/dev/null | wc -l)" -ge "$good" ] && break
    sleep 0.2
done
import -window root "$home/screen.png"
kill "$pid"
wait "$pid" 2>/dev/null || true
DRIVE
xvfb-run -a -s "-screen 0 1024x768x24" bash "$home/drive.sh" "$program" "$home" "$good"

written=$(ls "$home"/Karaoke/*.MID 2>/dev/null | wc -l)
if [ "$written" -ne "$good" ]; then
    cp "$home/screen.png" /tmp/lyricast-journey-failed.png 2>/dev/null || true
    echo "FAIL: $written of $good .MID files written (screen kept as /tmp/lyricast-journey-failed.png)"
    exit 1
fi
[ ! -e "$home/Karaoke/Not_Really.MID" ] || { echo "FAIL: the bad file was converted"; exit 1; }

/usr/bin/python3 - "$home/Karaoke" <<'PY'
import glob, sys
import mido
for path in sorted(glob.glob(sys.argv[1] + "/*.MID")):
    song = mido.MidiFile(path)
    assert song.type == 0 and len(song.tracks) == 1, path
    kinds = {m.type for m in song.tracks[0]}
    assert "lyrics" in kinds, path + ": no lyric events"
    assert "text" not in kinds, path + ": text events left"
print("journey: every good file converted to a format-0 file with lyrics")
PY
