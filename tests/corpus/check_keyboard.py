#!/usr/bin/python3
"""Every file of the shared corpus through kar2mid in the keyboard lyric
style, every output through mido.

Usage: check_keyboard.py KAR2MID CORPUS_DIR

Each folder of CORPUS_DIR/{kar,mid,malformed} is converted three times: as
written (the default), --lyric-style keyboard, and keyboard with
--line-length 40. For each file that converts in keyboard style:
  * kar2mid converts it in every style or in none, without crashing;
  * mido, a reader nobody here wrote, reads the keyboard output (or refuses it
    as it refuses the source), as a format-0 file with one track ending in its
    only End of Track;
  * no lyric event starts with "@";
  * no stream of syllables shows twice: the output's lyric events are exactly
    one source record's syllables, its text events that are no tag (with a
    "/" or "\\" starting one as a carriage return or a line feed) or its own
    lyric events, and no record holds a longer stream; where they are the
    text, every paragraph mark of it is a line feed;
  * the channel events are those of the as-written output, at the same times;
    the other events too, save the title written first and the kind (text or
    lyric) of the text and lyric events, whose number stays;
  * the title is the first "@T" tag's text, else the first record's name;
  * the End of Track is no earlier than the latest of the source's;
  * with --line-length 40, only spaces of the shown text become carriage
    returns, each where the word after it would have passed 40 characters,
    and a line longer than 40 holds a single word.
The content checks need mido to read the source as our reader does (as in
check_corpus.py). Exits 77 (a skip for CTest) when the corpus is absent.
"""

import re
import subprocess
import sys
import tempfile
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
import check_corpus as common  # noqa: E402  (the same runner and mido reading)

STYLES = {
    "as-written": [],
    "keyboard": ["--lyric-style", "keyboard"],
    "keyboard-40": ["--lyric-style", "keyboard", "--line-length", "40"],
}
LONGEST_LINE = 40
NAME_LENGTH = 127


def convert_folder(kar2mid, files, style, output_dir):
    """Converts `files` in one run; the output of each file that converted."""
    output_dir.mkdir(parents=True)
    result = subprocess.run([kar2mid, *STYLES[style], "--output-dir", str(output_dir),
                             *map(str, files)], capture_output=True, text=True,
                            errors="replace", timeout=600, env=common.sanitizer_environment())
    if result.returncode not in (0, 1) or common.SANITIZER_SIGNS.search(result.stderr):
        sys.exit(f"FAIL: kar2mid {style} crashed or a sanitizer reported "
                 f"(exit {result.returncode}):\n{result.stderr}")
    return {Path(m.group(1)): Path(m.group(2))
            for m in re.finditer(r"^converted: (.*) -> (.*)$", result.stdout, re.MULTILINE)}


# ---------------------------------------------------------------------------
# What the source holds, read with mido

def records(source):
    """Each record's messages with their absolute times, up to each chunk's
    End of Track, as our reader files them: a format-0 file's meta events all
    in one record, merged by time and chunk order; any other file a record a
    chunk. Also the latest End of Track time of any chunk."""
    merged, ends = [], []
    for chunk, track in enumerate(source.tracks):
        time = 0
        for place, message in enumerate(track):
            time += message.time
            if message.type == "end_of_track":
                ends.append(time)
                break
            merged.append(((time, chunk, place), message))
    merged.sort(key=lambda item: item[0])
    by_record = [[] for _ in range(1 if source.type == 0 else len(source.tracks))]
    for (time, chunk, _), message in merged:
        by_record[0 if source.type == 0 else chunk].append((time, message))
    return by_record, max(ends, default=0)


def text_of(message):
    return common.text_bytes(message.text)


def with_marks(text):
    if text[:1] == b"/":
        return b"\r" + text[1:]
    if text[:1] == b"\\":
        return b"\n" + text[1:]
    return text


def candidate_streams(record_list):
    """Every stream a record could show: ("words", record, syllables) with the
    marks mapped, and ("lyrics", record, syllables); syllables as (time, bytes)."""
    streams = []
    for index, record in enumerate(record_list):
        words = [(t, with_marks(text_of(m))) for t, m in record
                 if m.type == "text" and not text_of(m).startswith(b"@")]
        lyrics = [(t, text_of(m)) for t, m in record if m.type == "lyrics"]
        streams += [("words", index, words), ("lyrics", index, lyrics)]
    return streams


def title_of(record_list):
    def as_name(text):
        return text.split(b"\0")[0][:NAME_LENGTH]
    for record in record_list:
        for _, message in record:
            if message.type == "text" and text_of(message).startswith(b"@T"):
                if as_name(text_of(message)[2:]):
                    return as_name(text_of(message)[2:])
    for _, message in record_list[0] if record_list else []:
        if message.type == "track_name" and as_name(common.text_bytes(message.name)):
            return as_name(common.text_bytes(message.name))
    return b""


# ---------------------------------------------------------------------------
# What the outputs hold

def timed_messages(midi):
    time = 0
    for message in midi.tracks[0]:
        time += message.time
        yield time, message


def lyrics_of(midi):
    return [(t, text_of(m)) for t, m in timed_messages(midi) if m.type == "lyrics"]


def end_of(midi):
    return [t for t, m in timed_messages(midi) if m.type == "end_of_track"][-1]


def shape_problem(midi):
    track = midi.tracks[0] if len(midi.tracks) == 1 else []
    ends = [i for i, m in enumerate(track) if m.type == "end_of_track"]
    if midi.type != 0 or len(midi.tracks) != 1 or ends != [len(track) - 1]:
        return f"output is format {midi.type} with {len(midi.tracks)} tracks, Ends of Track at {ends}"
    return None


def other_events(midi, skip_title):
    """The meta and sysex events, text and lyric events as one kind whose
    bytes are not compared (the keyboard style maps their marks)."""
    events = common.output_streams(midi.tracks[0]).get(common.OTHER, [])
    if skip_title:
        events = events[1:]
    return [(t, "syllable" if key.startswith(("FF 01", "FF 05")) else key) for t, key in events]


def channel_streams(midi):
    return {s: e for s, e in common.output_streams(midi.tracks[0]).items() if s != common.OTHER}


# ---------------------------------------------------------------------------
# The checks of one file

def check_shown_stream(verdict, source_records, keyboard):
    shown = lyrics_of(keyboard)
    tagged = [text for _, text in shown if text.startswith(b"@")]
    if tagged:
        verdict.problem(f"lyric events start with @: {tagged[:3]}")
    streams = candidate_streams(source_records)
    matches = [(kind, record) for kind, record, syllables in streams if syllables == shown]
    longest = max((len(s) for _, _, s in streams), default=0)
    if not shown and longest == 0:
        verdict.note("no syllables")
        return None
    if not shown or not matches:
        verdict.problem(f"the {len(shown)} lyric events are no one record's stream of syllables")
        return None
    if len(shown) < longest:
        verdict.problem(f"a stream of {longest} syllables is left out for one of {len(shown)}")
    kind, record = matches[0]
    if kind == "words":
        marks = sum(1 for _, m in source_records[record]
                    if m.type == "text" and text_of(m).startswith(b"\\"))
        feeds = sum(1 for _, text in shown if text.startswith(b"\n"))
        if marks != feeds:
            verdict.problem(f"{marks} paragraph marks in the words, {feeds} line feeds shown")
    verdict.note(f"{len(shown)} syllables: the {kind} of record {record}")
    return kind


def check_kept(verdict, as_written, keyboard, title):
    if channel_streams(keyboard) != channel_streams(as_written):
        verdict.problem("the channel events differ from the as-written output's")
    first = keyboard.tracks[0][0] if keyboard.tracks[0] else None
    has_title = first is not None and first.type == "track_name" and first.time == 0
    if title and (not has_title or common.text_bytes(first.name) != title):
        verdict.problem(f"the title {title!r} is not the first event ({first})")
    if other_events(keyboard, bool(title)) != other_events(as_written, False):
        verdict.problem("the meta and sysex events differ from the as-written output's")


def check_end(verdict, keyboard, source_end):
    if end_of(keyboard) < source_end:
        verdict.problem(f"End of Track at {end_of(keyboard)}, before the source's at {source_end}")


def check_wrapped(verdict, keyboard, wrapped):
    """Only spaces of the shown text become breaks, each one needed."""
    plain = b"".join(text for _, text in lyrics_of(keyboard))
    lines = b"".join(text for _, text in lyrics_of(wrapped))
    if len(plain) != len(lines) or [t for t, _ in lyrics_of(keyboard)] != [t for t, _ in lyrics_of(wrapped)]:
        verdict.problem("wrapping changed more than bytes of the lyrics")
        return
    breaks = [i for i, (a, b) in enumerate(zip(plain, lines)) if a != b]
    if any(plain[i] != 0x20 or lines[i] != 0x0D for i in breaks):
        verdict.problem("wrapping changed something other than a space into a carriage return")
        return
    for at in breaks:
        start = max(lines.rfind(b"\r", 0, at), lines.rfind(b"\n", 0, at)) + 1
        word = re.match(rb"[^ \r\n]*", lines[at + 1:]).group(0)
        if (at - start) + 1 + len(word) <= LONGEST_LINE:
            verdict.problem(f"a break where the line had room: {lines[start:at + 1 + len(word)]!r}")
    for line in re.split(rb"[\r\n]", lines):
        if len(line.rstrip(b" ")) > LONGEST_LINE and b" " in line.strip(b" "):
            verdict.problem(f"a line of {len(line)} characters with a place to break: {line!r}")
    verdict.note(f"{len(breaks)} lines broken at {LONGEST_LINE}")


def check_file(source, outputs):
    verdict = common.Verdict(source)
    converted = [style for style in STYLES if source in outputs[style]]
    if converted and len(converted) != len(STYLES):
        verdict.problem(f"converted only as {converted}")
    if len(converted) != len(STYLES):
        return verdict
    verdict.output = outputs["keyboard"][source]
    source_read = common.mido_read(source)
    keyboard = common.read_output(verdict, source_read)
    if keyboard.midi is None:
        return verdict
    problem = shape_problem(keyboard.midi)
    if problem:
        verdict.problem(problem)
        return verdict
    if source_read.midi is None:
        verdict.note(f"content not compared: mido cannot read the source ({source_read.error})")
        return verdict
    reason = common.why_mido_reads_otherwise(source.read_bytes())
    if reason:
        verdict.note(f"content not compared: {reason}")
        return verdict

    source_records, source_end = records(source_read.midi)
    as_written = common.mido_read(outputs["as-written"][source]).midi
    wrapped = common.mido_read(outputs["keyboard-40"][source]).midi
    if as_written is None or wrapped is None:
        verdict.problem("mido cannot read the as-written or the wrapped output")
        return verdict
    kind = check_shown_stream(verdict, source_records, keyboard.midi)
    check_kept(verdict, as_written, keyboard.midi, title_of(source_records))
    check_end(verdict, keyboard.midi, source_end)
    if kind == "words":
        check_wrapped(verdict, keyboard.midi, wrapped)
    elif lyrics_of(wrapped) != lyrics_of(keyboard.midi):
        verdict.problem("a longest line changed lyric events that were the file's own")
    return verdict


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    kar2mid, corpus = sys.argv[1], Path(sys.argv[2])
    if not all((corpus / folder).is_dir() for folder in common.SOURCE_FOLDERS):
        print(f"SKIP: the corpus folder {corpus} (with kar/, mid/ and malformed/) is absent; "
              "this test runs where ../shared/corpus exists")
        return common.SKIP
    common.check_mido_keeps_text_bytes()

    verdicts = []
    with tempfile.TemporaryDirectory(prefix="lyricast-keyboard-") as temp:
        for folder in common.SOURCE_FOLDERS:
            sources = sorted(p for p in (corpus / folder).iterdir() if p.is_file())
            outputs = {style: convert_folder(kar2mid, sources, style, Path(temp) / style / folder)
                       for style in STYLES}
            verdicts += [check_file(source, outputs) for source in sources]

    return common.report(verdicts, f"keyboard corpus: {len(verdicts)} files checked, "
                                   f"{sum(1 for v in verdicts if v.output)} converted")


if __name__ == "__main__":
    sys.exit(main())
