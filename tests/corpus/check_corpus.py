#!/usr/bin/python3
"""Every file of the shared corpus through kar2mid, every output through mido.

Usage: check_corpus.py KAR2MID CORPUS_DIR

For each file of CORPUS_DIR/{kar,mid,malformed}:
  * kar2mid converts it or refuses it, without crashing: exit status 0 or 1,
    nothing from a sanitizer, an output exactly when it says "converted", and
    no temporary file left behind.
  * mido, a reader nobody here wrote, reads each output as a format-0 file
    with one track that ends in its only End of Track, and the division is
    the source's.
  * Where mido also reads the source without error, the output holds what the
    conversion keeps: the same channel events at the same absolute times (per
    channel, in order), every system-exclusive and meta event, with text
    events turned into lyric events whose bytes are mapped (backslash to
    space, slash to carriage return) and the first track name of each track
    record left out.

Run with Debian's python3 and python3-mido. Exits 77 (a skip for CTest) when
the corpus folder is absent.
"""

import os
import re
import subprocess
import sys
import tempfile
from dataclasses import dataclass, field
from pathlib import Path

SKIP = 77
SOURCE_FOLDERS = ("kar", "mid", "malformed")

try:
    import mido
    from mido.midifiles import meta as mido_meta
    from mido.midifiles import midifiles as mido_files
except ImportError as error:
    sys.exit(f"FAIL: mido is not importable by {sys.executable} ({error}); "
             "install Debian's python3-mido (scripts/test does)")


# ---------------------------------------------------------------------------
# Running kar2mid

SANITIZER_SIGNS = re.compile(r"AddressSanitizer|LeakSanitizer|UndefinedBehaviorSanitizer|"
                             r"runtime error:|SUMMARY: |==\d+==ERROR")
SANITIZER_EXIT = 86  # a sanitizer's report must not pass for an ordinary "1: failed"


@dataclass
class Run:
    status: int
    stdout: str
    stderr: str
    output: Path | None  # the file kar2mid says it wrote


def sanitizer_environment():
    env = dict(os.environ)
    for name in ("ASAN_OPTIONS", "UBSAN_OPTIONS"):
        options = [env[name]] if env.get(name) else []
        env[name] = ":".join(options + [f"exitcode={SANITIZER_EXIT}"])
    return env


def run_kar2mid(kar2mid, source, output_dir):
    result = subprocess.run([kar2mid, "--output-dir", str(output_dir), str(source)],
                            capture_output=True, text=True, errors="replace", timeout=120,
                            env=sanitizer_environment())
    converted = re.search(r"^converted: .* -> (.*)$", result.stdout, re.MULTILINE)
    return Run(result.returncode, result.stdout, result.stderr,
               Path(converted.group(1)) if converted else None)


# ---------------------------------------------------------------------------
# Reading with mido

@dataclass
class MidoRead:
    midi: "mido.MidiFile | None"
    error: str | None  # "Type: message" when mido refused the file


DATA_BYTE_ERROR = "data byte must be in range"


def mido_read(path, clip=False):
    try:
        return MidoRead(mido.MidiFile(str(path), charset="latin1", clip=clip), None)
    except Exception as error:  # mido raises many kinds for damaged files
        return MidoRead(None, f"{type(error).__name__}: {error}")


def text_bytes(text):
    """The raw bytes of a text meta event as mido decoded them."""
    return text.encode("latin1")


def check_mido_keeps_text_bytes():
    # latin1 maps every byte to one character and back, so text read by mido
    # can be compared byte for byte. Guard against a mido that decodes otherwise.
    every_byte = bytes(range(256))
    with mido_meta.meta_charset("latin1"):
        if text_bytes(mido_meta.decode_string(list(every_byte))) != every_byte:
            sys.exit("FAIL: this mido does not round-trip text bytes through latin1")


# ---------------------------------------------------------------------------
# Raw bytes: only what mido does not tell

def u16(data, at):
    return data[at] << 8 | data[at + 1]


def u32(data, at):
    return data[at] << 24 | data[at + 1] << 16 | data[at + 2] << 8 | data[at + 3]


def vlq(data, at):
    value = 0
    while True:
        byte = data[at]
        at += 1
        value = value << 7 | (byte & 0x7F)
        if byte < 0x80:
            return value, at


def is_channel_status(status):
    return 0x80 <= status <= 0xEF


def mido_chunks(data):
    """The (start, end) of each track chunk as mido finds them: after a
    header of the length the header states."""
    at = 8 + u32(data, 4)
    for _ in range(u16(data, 10)):
        size = u32(data, at + 4)
        yield at + 8, at + 8 + size
        at += 8 + size


def why_mido_reads_otherwise(data):
    """Where mido and our reader legitimately part ways on a file both read,
    the reason; else None.

    * A header whose length field is not 6: mido skips that many bytes, we
      look for the first track chunk at offset 14 whatever the field says.
    * A system message (F1-FE) inside a track: mido keeps it as an event, we
      drop it (a realtime byte alone, F1-F7 with one byte).
    * A data byte after a system-exclusive or system message: mido takes that
      status as running status, we keep the last channel status. (After meta
      events both keep the channel status.)
    Only events up to each chunk's End of Track matter; the scan stops there.
    """
    if u32(data, 4) != 6:
        return f"its header length field is {u32(data, 4)}, not 6"
    for index, (at, end) in enumerate(mido_chunks(data)):
        last = None
        while at < end:
            _, at = vlq(data, at)
            status = data[at]
            if status < 0x80:
                # The byte is the first data byte, counted with the others below.
                if last is not None and not is_channel_status(last):
                    return f"track {index} uses running status after status {last:02X}"
                status = last
            else:
                at += 1
                if status != 0xFF:
                    last = status
            if status == 0xFF:
                meta_type = data[at]
                length, at = vlq(data, at + 1)
                at += length
                if meta_type == 0x2F:
                    break
            elif status in (0xF0, 0xF7):
                length, at = vlq(data, at)
                at += length
            elif status > 0xF0:
                return f"track {index} holds the system message {status:02X}"
            else:
                at += 1 if 0xC0 <= status <= 0xDF else 2  # program change, channel pressure: one data byte
    return None


# ---------------------------------------------------------------------------
# What a conversion keeps, as seen through mido

OTHER = "meta and sysex"


def hex_bytes(values):
    return " ".join(f"{value:02X}" for value in values)


def event_key(message):
    """What must survive of an event, as readable bytes: a channel or meta
    event whole (mido encodes meta events from what it decoded, the same for
    source and output), a system-exclusive event's data."""
    if message.type == "sysex":
        return "sysex " + hex_bytes(message.data)
    return hex_bytes(message.bytes())


def stream_of(message):
    return f"channel {message.channel}" if hasattr(message, "channel") else OTHER


def as_lyric(message):
    mapped = text_bytes(message.text).replace(b"\\", b" ").replace(b"/", b"\r")
    return mido.MetaMessage("lyrics", text=mapped.decode("latin1"))


def expected_streams(source):
    """Per stream (each channel, and the meta and sysex events), the events
    the output must hold, in order, as (absolute time, key).

    The reader merges its chunks by time, at equal times in chunk order, and
    the writer keeps each track record's order; within one channel, and among
    the meta and sysex events, that is the order (time, chunk, place in chunk).
    A format-0 file is read into one record per channel with every meta event
    in record 0; any other file into one record per chunk.
    """
    events = []
    named_records = set()
    for chunk, track in enumerate(source.tracks):
        record = 0 if source.type == 0 else chunk
        time = 0
        for place, message in enumerate(track):
            time += message.time
            if message.type == "end_of_track":
                break  # the chunk ends here; what follows is never read
            if message.type == "track_name" and record not in named_records:
                # The record's first name is held as its name and not written;
                # an empty one (or one starting with NUL) is dropped for the next.
                name = text_bytes(message.name)
                if name[:1] not in (b"", b"\0"):
                    named_records.add(record)
                continue
            if message.type == "text":
                message = as_lyric(message)
            events.append(((time, chunk, place), stream_of(message), event_key(message)))

    streams = {}
    for (time, _, _), stream, key in sorted(events, key=lambda event: event[0]):
        streams.setdefault(stream, []).append((time, key))
    return streams


def output_streams(track):
    streams = {}
    time = 0
    for message in track:
        time += message.time
        if message.type != "end_of_track":
            streams.setdefault(stream_of(message), []).append((time, event_key(message)))
    return streams


def first_difference(expected, actual):
    for index, (want, got) in enumerate(zip(expected, actual)):
        if want != got:
            return f"event {index}: expected {want}, found {got}"
    return f"{len(expected)} events expected, {len(actual)} found"


# ---------------------------------------------------------------------------
# The checks of one file

@dataclass
class Verdict:
    source: Path
    output: Path | None = None
    problems: list = field(default_factory=list)
    notes: list = field(default_factory=list)

    def problem(self, text):
        self.problems.append(text)

    def note(self, text):
        self.notes.append(text)


def check_run(verdict, run, output_dir):
    if run.status not in (0, 1) or SANITIZER_SIGNS.search(run.stderr):
        verdict.problem(f"kar2mid crashed or a sanitizer reported (exit {run.status}):\n{run.stderr}")
        return
    leftovers = [p.name for p in output_dir.iterdir() if p.name.endswith(".tmp")]
    if leftovers:
        verdict.problem(f"temporary files left in the output folder: {leftovers}")
    if run.status == 0:
        if run.output is None or not run.output.is_file():
            verdict.problem(f"exit 0 but no converted output: {run.stdout!r}")
    else:
        if run.output is not None:
            verdict.problem(f"exit 1 yet it says it converted: {run.stdout!r}")
        if f"failed: {verdict.source}: " not in run.stderr:
            verdict.problem(f"exit 1 without a 'failed:' line for the file: {run.stderr!r}")
        else:
            verdict.note(run.stderr.strip().split(": ")[-1])


def read_output(verdict, source_read):
    """The output as mido reads it, leniently only where the source already
    held what mido refuses; None when that is not enough."""
    output = mido_read(verdict.output)
    if output.midi is not None or source_read.midi is not None:
        if output.midi is None:
            verdict.problem(f"mido cannot read the output: {output.error}")
        return output
    # The source is damaged, and the conversion copies event bytes as it
    # reads them: a data byte above 7F in a channel event, or a meta event
    # mido cannot decode (a short time signature, a key of 8 flats), reaches
    # the output as it was.
    if DATA_BYTE_ERROR in output.error:
        verdict.note("data bytes above 7F carried over; read with mido's clip")
        output = mido_read(verdict.output, clip=True)
    if output.midi is None and output.error == source_read.error:
        verdict.note(f"mido refuses the output as it refused the source ({output.error})")
        check_output_frame(verdict)
        return output
    if output.midi is None:
        verdict.problem(f"mido cannot read the output: {output.error}")
    return output


def check_output_frame(verdict):
    """mido's own header and chunk readers, for an output whose events mido refuses."""
    size_of_file = verdict.output.stat().st_size
    with open(verdict.output, "rb") as stream:
        file_format, tracks, _ = mido_files.read_file_header(stream)
        name, size = mido_files.read_chunk_header(stream)
    if (file_format, tracks, name, size) != (0, 1, b"MTrk", size_of_file - 22):
        verdict.problem(f"output frame is format {file_format}, {tracks} tracks, "
                        f"chunk {name!r} of {size} bytes in a file of {size_of_file}")


def check_output_shape(verdict, output, source_bytes):
    """Format 0, one track, one End of Track at its end, the source's division."""
    output_bytes = verdict.output.read_bytes()
    if output_bytes[12:14] != source_bytes[12:14]:
        verdict.problem(f"division {output_bytes[12:14].hex()} is not the source's "
                        f"{source_bytes[12:14].hex()}")
    midi = output.midi
    if (midi.type, len(midi.tracks)) != (0, 1):
        verdict.problem(f"output is format {midi.type} with {len(midi.tracks)} tracks")
        return
    track = midi.tracks[0]
    ends = [i for i, message in enumerate(track) if message.type == "end_of_track"]
    if ends != [len(track) - 1] or track[-1].time != 0:
        verdict.problem(f"output track's End of Track events are at {ends} of {len(track)} "
                        "(one, last, with delta 0, expected)")


def check_content(verdict, source, output):
    expected = expected_streams(source)
    actual = output_streams(output.tracks[0])
    for stream in sorted(set(expected) | set(actual)):
        want, got = expected.get(stream, []), actual.get(stream, [])
        if want != got:
            verdict.problem(f"{stream}: {first_difference(want, got)}")
    if verdict.problems:
        return
    lyrics = sum(1 for _, key in expected.get(OTHER, []) if key.startswith("FF 05"))
    channel = sum(len(events) for stream, events in expected.items() if stream != OTHER)
    verdict.note(f"same {channel} channel events, {len(expected.get(OTHER, []))} meta/sysex "
                 f"({lyrics} lyrics)")


def check_file(kar2mid, source, output_dir):
    verdict = Verdict(source)
    run = run_kar2mid(kar2mid, source, output_dir)
    check_run(verdict, run, output_dir)
    if verdict.problems or run.output is None:
        return verdict
    verdict.output = run.output

    source_bytes = source.read_bytes()
    source_read = mido_read(source)
    output_read = read_output(verdict, source_read)
    if output_read.midi is None:
        return verdict
    check_output_shape(verdict, output_read, source_bytes)
    if verdict.problems:
        return verdict

    if source_read.midi is None:
        verdict.note(f"content not compared: mido cannot read the source ({source_read.error})")
        return verdict
    reason = why_mido_reads_otherwise(source_bytes)
    if reason:
        verdict.note(f"content not compared: {reason}")
        return verdict
    check_content(verdict, source_read.midi, output_read.midi)
    return verdict


def check_refusals_are_explained(verdicts):
    """A file mido reads must convert, unless mido reads it differently by
    a rule above."""
    for verdict in verdicts:
        if verdict.output is not None or verdict.problems:
            continue
        source_bytes = verdict.source.read_bytes()
        if mido_read(verdict.source).midi is not None and not why_mido_reads_otherwise(source_bytes):
            verdict.problem("kar2mid refused a file that mido reads")


# ---------------------------------------------------------------------------

def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    kar2mid, corpus = sys.argv[1], Path(sys.argv[2])
    if not all((corpus / folder).is_dir() for folder in SOURCE_FOLDERS):
        print(f"SKIP: the corpus folder {corpus} (with kar/, mid/ and malformed/) is absent; "
              "this test runs where ../shared/corpus exists")
        return SKIP
    check_mido_keeps_text_bytes()

    verdicts = []
    with tempfile.TemporaryDirectory(prefix="lyricast-corpus-") as temp:
        for folder in SOURCE_FOLDERS:
            # One output folder per source folder: names may repeat across them.
            output_dir = Path(temp) / folder
            output_dir.mkdir()
            for source in sorted((corpus / folder).iterdir()):
                if source.is_file():
                    verdicts.append(check_file(kar2mid, source, output_dir))
        check_refusals_are_explained(verdicts)

    return report(verdicts, f"corpus: {len(verdicts)} files checked")


def report(verdicts, summary):
    """Prints each file's verdict and the summary; the exit status."""
    failed = [v for v in verdicts if v.problems]
    for verdict in verdicts:
        mark = "FAIL" if verdict.problems else "ok  "
        print(f"{mark} {verdict.source.parent.name}/{verdict.source.name}: {'; '.join(verdict.notes)}")
        for problem in verdict.problems:
            print(f"     - {problem}")
    print(f"{summary}, {len(failed)} with problems")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
