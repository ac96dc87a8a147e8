#!/usr/bin/python3
"""Times kar2mid on a folder of karaoke files against a plain copy of it.

Usage: bench.py KAR2MID KAR_FOLDER [--files N] [--runs N] [--dir DIR]

Fills a temporary folder with at least N copies of KAR_FOLDER's .kar files
(repeated under distinct names), then, several times over and alternately,
converts it with `kar2mid --output-dir OUT FOLDER` and copies it with
`cp -r`, both pinned to one core and measured the same way. Both read the
same files, so the page cache is warm for both after the first round, which
is not counted.

The temporary folder is made in RAM (/dev/shm) where there is one, unless
--dir says otherwise: on this shared disk, creating a thousand files takes
anywhere from 30 ms to a second depending on what was deleted on it in the
last seconds, by us or by anyone, which would swamp both figures. For the
same reason nothing is deleted until the end. And since other work shares
the cores, the targets are judged on CPU time (user + system) of the pinned
command, which is what one core spends on it; wall times are printed beside.

Each round also converts the folder in the keyboard lyric style
(--lyric-style keyboard --line-length 40), pinned and with one job as the
as-written run, against which it is judged.

Then memory: songs made to take the most memory for their size (the
densest events a file can hold, 10 and 50 MB of them; 65,535 tracks; 5
million text events; one system-exclusive event of 100 MB), each written
here and converted alone with one job, its peak memory against its size.

Then the listing: a folder of --list-files copies of the smallest .kar file,
listed with `kar2mid --list --recursive`, with `--list --lyrics` (each file
read whole for its Lyrics column) and, alternately, with
`find DIR -name '*.kar' -exec head -c 14 {} +` (which opens each file and
reads what the listing reads of it), both pinned to one core. And, given
--scan-bench (the scan_bench program of a build with the window), the
window's scan of that same folder, timed inside the program from the folder
list's change to the last row shown, against `kar2mid --list` of it; both
unpinned, as the scan has a worker and the UI thread. Last, the listing and
find + head once more on the disk (--disk-dir), with the page cache dropped
before every run, so both wait on the disk as on a first scan of a folder.

Targets:
  * at least 150 MB/s of input with one job on one core,
  * the keyboard style at most 1.10 times the CPU time of as written,
  * at most 3 times the copy's time with all jobs (wall time, not pinned:
    one per core); one job's ratio is printed beside it,
  * peak memory (kar2mid's maximum resident set) per job under 10 x the
    largest file + 16 MiB: that of one job, and that of all jobs divided
    among the cores; and for each of the songs made for it, in each style,
    under 10 x its size + 16 MiB,
  * the listing at most 3 times find + head (CPU time), and on disk with a
    cold page cache before each run (wall time; needs root to drop the
    cache, and is skipped without),
  * the window's scan at most 2 times kar2mid --list (wall time),
  * the window's Lyrics column complete within 3 times kar2mid --list
    --lyrics (wall time, from the scan's start to the column's last cell),
  * a menu opened within 100 ms of its click, all through both passes.
Exits 1 when a target is missed.
"""

import argparse
import math
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time
from pathlib import Path

MB = 1_000_000
MIB = 1 << 20


def memory_limit(size):
    """The most memory one job may take for a file of `size` bytes."""
    return 10 * size + 16 * MIB


def variable_length(value):
    out = [value & 0x7F]
    value >>= 7
    while value:
        out.append(0x80 | (value & 0x7F))
        value >>= 7
    return bytes(reversed(out))


def midi_file(chunks, format_=1):
    """A Standard MIDI File of the given track chunks' event bytes."""
    header = b"MThd" + (6).to_bytes(4, "big") + format_.to_bytes(2, "big") + \
        len(chunks).to_bytes(2, "big") + (96).to_bytes(2, "big")
    return header + b"".join(b"MTrk" + len(c).to_bytes(4, "big") + c for c in chunks)


END_OF_TRACK = b"\x00\xff\x2f\x00"
KEYBOARD = ["--lyric-style", "keyboard", "--line-length", "40"]


def memory_songs():
    """(name, bytes) of the songs that take the most memory for their size,
    one at a time."""
    def dense(size):
        # A delta time and one data byte under running status: the densest events there are.
        return midi_file([b"\x00\xc0\x05" + b"\x00\x05" * ((size - 30) // 2) + END_OF_TRACK])
    yield "dense 10 MB", dense(10 * MB)
    yield "dense 50 MB", dense(50 * MB)
    yield "65,535 tracks", midi_file([b"\x00\x90\x3c\x64\x00\x80\x3c\x40" + END_OF_TRACK] * 65535)
    yield "5M texts", midi_file([b"\x00\xff\x01\x01\x41" * 5_000_000 + END_OF_TRACK])
    yield "100 MB sysex", midi_file([b"\x00\xf0" + variable_length(100 * MB) + b"\x7e" * (100 * MB)
                                     + END_OF_TRACK])


def make_folder(sources, folder, count):
    """At least `count` copies of the sources, repeated under distinct names."""
    folder.mkdir()
    rounds = math.ceil(count / len(sources))
    for round_ in range(rounds):
        for source in sources:
            shutil.copyfile(source, folder / f"{round_:03d}_{source.name}")
    return sorted(folder.iterdir())


def make_listing_folder(source, folder, count):
    """`count` copies of one file, the smallest: the listing reads only headers."""
    folder.mkdir()
    for index in range(count):
        shutil.copyfile(source, folder / f"{index:05d}.kar")


def default_dir():
    shm = Path("/dev/shm")
    return shm if shm.is_dir() and os.access(shm, os.W_OK) else Path(tempfile.gettempdir())


def one_core():
    """A core to pin both commands to, so that neither gets a second one."""
    cores = sorted(os.sched_getaffinity(0))
    return str(cores[-1])


def timed(command, core=None):
    """Wall seconds, CPU seconds (user + system) and peak resident memory
    (bytes) of one command. CPU time comes from the kernel's account of the
    process tree, to the microsecond. Peak memory comes from /usr/bin/time,
    which reports the command's own: a process forked from this python
    would count the python's memory as its peak."""
    with tempfile.NamedTemporaryFile("r", suffix=".time") as report:
        start = time.perf_counter()
        process = subprocess.Popen(
            ["/usr/bin/time", "-f", "%M", "-o", report.name]
            + (["taskset", "-c", core] if core else []) + command,
            stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
        _, status, usage = os.wait4(process.pid, 0)
        seconds = time.perf_counter() - start
        error = process.stderr.read().decode(errors="replace")
        process.stderr.close()
        if os.waitstatus_to_exitcode(status) != 0:
            sys.exit(f"bench: {' '.join(command)} failed:\n{error}")
        peak_kib = int(report.read().split()[-1])
    return seconds, usage.ru_utime + usage.ru_stime, peak_kib * 1024


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("kar2mid")
    parser.add_argument("kar_folder", type=Path)
    parser.add_argument("--files", type=int, default=1000)
    parser.add_argument("--runs", type=int, default=7)
    parser.add_argument("--list-files", type=int, default=20000)
    parser.add_argument("--scan-bench", help="the window's scan_bench program; without it the scan is not timed")
    parser.add_argument("--dir", type=Path, default=default_dir(),
                        help="where to make the temporary folder (default: %(default)s)")
    parser.add_argument("--disk-dir", type=Path, default=Path("/var/tmp"),
                        help="a folder on disk for the cold listing (default: %(default)s)")
    args = parser.parse_args()

    sources = sorted(p for p in args.kar_folder.glob("*") if p.suffix.lower() == ".kar" and p.is_file())
    if not sources:
        print(f"bench: SKIP: no .kar files in {args.kar_folder} (the shared corpus is absent)")
        return 0

    core = one_core()
    with tempfile.TemporaryDirectory(prefix="lyricast-bench-", dir=args.dir) as temp:
        temp = Path(temp)
        files = make_folder(sources, temp / "karaoke", args.files)
        input_bytes = sum(f.stat().st_size for f in files)
        largest = max(f.stat().st_size for f in files)

        convert_wall, convert_cpu, copy_wall, copy_cpu, all_wall = [], [], [], [], []
        keyboard_wall, keyboard_cpu = [], []
        one_peaks, all_peaks = [], []
        for run in range(args.runs + 1):  # the first round only warms the cache
            out = temp / f"all{run}"
            out.mkdir()
            every_core, _, every_peak = timed([args.kar2mid, "--output-dir", str(out), str(temp / "karaoke")])
            out = temp / f"out{run}"
            out.mkdir()
            wall, cpu, peak = timed([args.kar2mid, "-j", "1", "--output-dir", str(out), str(temp / "karaoke")], core)
            converted = len(list(out.iterdir()))
            if converted != len(files):
                sys.exit(f"bench: kar2mid wrote {converted} files for {len(files)}")
            out = temp / f"keyboard{run}"
            out.mkdir()
            keyboard_seconds, keyboard_seconds_cpu, _ = timed(
                [args.kar2mid, "-j", "1", *KEYBOARD, "--output-dir", str(out), str(temp / "karaoke")], core)
            copy_seconds, copy_seconds_cpu, _ = timed(
                ["cp", "-r", str(temp / "karaoke"), str(temp / f"copy{run}")], core)
            if run > 0:
                convert_wall.append(wall)
                convert_cpu.append(cpu)
                keyboard_wall.append(keyboard_seconds)
                keyboard_cpu.append(keyboard_seconds_cpu)
                copy_wall.append(copy_seconds)
                copy_cpu.append(copy_seconds_cpu)
                one_peaks.append(peak)
                all_peaks.append(every_peak)
                all_wall.append(every_core)

        memory = measure_memory(args, temp, core)
        listing = time_listing(args, sources, temp, core)
    listing += time_cold_listing(args, sources, core)

    median = statistics.median
    convert, copy = median(convert_cpu), median(copy_cpu)
    peak = max(one_peaks)
    peak_all = max(all_peaks) / os.cpu_count()
    largest_limit = memory_limit(largest)
    rate = input_bytes / MB / convert
    ratio = convert / copy
    keyboard_ratio = median(keyboard_cpu) / convert

    print(f"bench: {len(files)} files, {input_bytes / MB:.1f} MB, largest {largest} bytes; "
          f"{args.runs} runs each on core {core} after one warm-up, in {args.dir}")
    print(f"  {'':10s} {'CPU median':>12s} {'CPU best':>10s} {'wall median':>12s} {'wall best':>10s}")
    for name, cpu, wall in (("kar2mid", convert_cpu, convert_wall), ("keyboard", keyboard_cpu, keyboard_wall),
                            ("cp -r", copy_cpu, copy_wall)):
        print(f"  {name:10s} {median(cpu) * 1000:9.0f} ms {min(cpu) * 1000:7.0f} ms "
              f"{median(wall) * 1000:9.0f} ms {min(wall) * 1000:7.0f} ms")
    print(f"  {'all jobs':10s} {'':12s} {'':10s} {median(all_wall) * 1000:9.0f} ms {min(all_wall) * 1000:7.0f} ms"
          f"  ({os.cpu_count()} cores, not pinned: {input_bytes / MB / median(all_wall):.0f} MB/s)")
    print(f"  files per second    {len(files) / convert:8.0f}  (wall median {len(files) / median(convert_wall):.0f})")
    print(f"  one job / copy      {ratio:8.2f}  (wall medians {median(convert_wall) / median(copy_wall):.2f}; "
          "no target for one job)")
    targets = [
        ("MB/s of input", f"{rate:8.1f}", ">= 150", rate >= 150,
         f"wall median {input_bytes / MB / median(convert_wall):.1f}"),
        ("keyboard / written", f"{keyboard_ratio:8.2f}", "<= 1.10", keyboard_ratio <= 1.10,
         f"wall medians {median(keyboard_wall) / median(convert_wall):.2f}"),
        ("all jobs / copy", f"{median(all_wall) / median(copy_wall):8.2f}", "<= 3",
         median(all_wall) / median(copy_wall) <= 3, "wall medians"),
        ("peak MiB, one job", f"{peak / MIB:8.1f}", f"< {largest_limit / MIB:.1f}", peak < largest_limit, ""),
        ("peak MiB per job", f"{peak_all / MIB:8.1f}", f"< {largest_limit / MIB:.1f}", peak_all < largest_limit,
         f"all jobs: {max(all_peaks) / MIB:.1f} MiB on {os.cpu_count()} cores"),
    ] + memory + listing
    for name, value, target, met, wall in targets:
        print(f"  {name:26s} {value}  target {target:7s} {'met   ' if met else 'MISSED'}  {wall}")
    return 0 if all(met for _, _, _, met, _ in targets) else 1


def measure_memory(args, temp, core):
    """Each of the songs made to take the most memory, converted alone with
    one job; its line of targets, the peak memory against the file's size."""
    print("bench: peak memory of one job on songs made to take the most, as written and for a keyboard")
    lines = []
    for name, data in memory_songs():
        folder = temp / "memory"
        shutil.rmtree(folder, ignore_errors=True)
        folder.mkdir()
        song = folder / "song.kar"
        song.write_bytes(data)
        size = song.stat().st_size
        limit = memory_limit(size)
        for style, options in (("", []), (", keyboard", KEYBOARD)):
            out = folder / f"out{len(options)}"
            out.mkdir()
            _, seconds, peak = timed([args.kar2mid, "-j", "1", *options, "--output-dir", str(out), str(song)], core)
            print(f"  {name + style:24s} {size / MB:7.1f} MB  peak {peak / MIB:7.1f} MiB = "
                  f"{peak / size:5.1f} x the file  ({seconds * 1000:.0f} ms CPU)")
            lines.append((f"peak, {name}{style}", f"{peak / MIB:8.1f}", f"< {limit / MIB:.0f}", peak < limit,
                          f"{size / MB:.1f} MB file"))
        shutil.rmtree(folder)
    return lines


def time_listing(args, sources, temp, core):
    """The listing and the window's scan of one folder of small files, each
    alternately with what it is measured against; their lines of targets."""
    folder = temp / "listing"
    make_listing_folder(min(sources, key=lambda f: f.stat().st_size), folder, args.list_files)
    lister = [args.kar2mid, "--list", "--recursive", str(folder)]
    lyrics_lister = [args.kar2mid, "--list", "--lyrics", "--recursive", str(folder)]
    finder = ["find", str(folder), "-name", "*.kar", "-exec", "head", "-c", "14", "{}", "+"]
    list_cpu, list_wall, find_cpu, find_wall, scan_wall, plain_wall = [], [], [], [], [], []
    lyrics_cpu, lyrics_wall, column_wall, plain_lyrics_wall, menu_ms = [], [], [], [], []
    for run in range(args.runs + 1):
        wall, cpu, _ = timed(lister, core)
        lyrics_seconds, lyrics_seconds_cpu, _ = timed(lyrics_lister, core)
        find_seconds, find_seconds_cpu, _ = timed(finder, core)
        if args.scan_bench:
            scan_seconds, column_seconds, slowest_menu = time_scan(args.scan_bench, folder)
            plain_seconds, _, _ = timed([args.kar2mid, "--list", str(folder)])
            plain_lyrics_seconds, _, _ = timed([args.kar2mid, "--list", "--lyrics", str(folder)])
        if run > 0:
            list_cpu.append(cpu)
            list_wall.append(wall)
            find_cpu.append(find_seconds_cpu)
            find_wall.append(find_seconds)
            lyrics_cpu.append(lyrics_seconds_cpu)
            lyrics_wall.append(lyrics_seconds)
            if args.scan_bench:
                scan_wall.append(scan_seconds)
                plain_wall.append(plain_seconds)
                column_wall.append(column_seconds)
                plain_lyrics_wall.append(plain_lyrics_seconds)
                menu_ms.append(slowest_menu)

    median = statistics.median
    print(f"bench: listing {args.list_files} copies of a file of {(folder / '00000.kar').stat().st_size} bytes")
    print(f"  {'':14s} {'CPU median':>12s} {'wall median':>12s}")
    print(f"  {'kar2mid --list':14s} {median(list_cpu) * 1000:9.0f} ms {median(list_wall) * 1000:9.0f} ms")
    print(f"  {'--list --lyrics':14s} {median(lyrics_cpu) * 1000:9.0f} ms {median(lyrics_wall) * 1000:9.0f} ms"
          f"  ({median(lyrics_cpu) / median(list_cpu):.2f} times --list's CPU time; no target)")
    print(f"  {'find + head':14s} {median(find_cpu) * 1000:9.0f} ms {median(find_wall) * 1000:9.0f} ms")
    ratio = median(list_cpu) / median(find_cpu)
    lines = [("listing / find", f"{ratio:8.2f}", "<= 3", ratio <= 3,
              f"wall median {median(list_wall) / median(find_wall):.2f}")]
    if args.scan_bench:
        print(f"  {'window scan':14s} {'':12s} {median(scan_wall) * 1000:9.0f} ms  (offscreen, not pinned)")
        print(f"  {'kar2mid --list':14s} {'':12s} {median(plain_wall) * 1000:9.0f} ms  (not pinned)")
        print(f"  {'Lyrics column':14s} {'':12s} {median(column_wall) * 1000:9.0f} ms  (the scan's start to its last cell)")
        print(f"  {'--list --lyrics':14s} {'':12s} {median(plain_lyrics_wall) * 1000:9.0f} ms  (not pinned)")
        print(f"  {'slowest menu':14s} {'':12s} {max(menu_ms):9.1f} ms  (a click to the File menu shown, over every run)")
        scan_ratio = median(scan_wall) / median(plain_wall)
        lines.append(("scan / --list", f"{scan_ratio:8.2f}", "<= 2", scan_ratio <= 2, "wall medians"))
        column_ratio = median(column_wall) / median(plain_lyrics_wall)
        lines.append(("column / --lyrics", f"{column_ratio:8.2f}", "<= 3", column_ratio <= 3, "wall medians"))
        lines.append(("menu opens (ms)", f"{max(menu_ms):8.1f}", "<= 100", max(menu_ms) <= 100,
                      "the slowest, during both passes"))
    return lines


def drop_page_cache():
    """Empties the page cache (and the cached folders and inodes), so the next
    command reads from the disk; False where that is not allowed."""
    os.sync()
    try:
        with open("/proc/sys/vm/drop_caches", "w") as control:
            control.write("3\n")
        return True
    except OSError:
        return False


def time_cold_listing(args, sources, core):
    """The listing of --list-files small files on the disk, each run on a cold
    page cache, alternately with find + head; its line of targets, or none
    where the cache cannot be dropped (it takes root)."""
    with tempfile.TemporaryDirectory(prefix="lyricast-bench-", dir=args.disk_dir) as temp:
        folder = Path(temp) / "listing"
        make_listing_folder(min(sources, key=lambda f: f.stat().st_size), folder, args.list_files)
        if not drop_page_cache():
            print("bench: cold listing skipped: the page cache cannot be dropped here (it takes root)")
            return []
        lister = [args.kar2mid, "--list", "--recursive", str(folder)]
        finder = ["find", str(folder), "-name", "*.kar", "-exec", "head", "-c", "14", "{}", "+"]
        list_wall, find_wall = [], []
        for _ in range(max(args.runs // 2, 2)):
            drop_page_cache()
            list_wall.append(timed(lister, core)[0])
            drop_page_cache()
            find_wall.append(timed(finder, core)[0])
    median = statistics.median
    print(f"bench: the same listing on a cold page cache, in {args.disk_dir}")
    print(f"  {'kar2mid --list':14s} {'':12s} {median(list_wall) * 1000:9.0f} ms")
    print(f"  {'find + head':14s} {'':12s} {median(find_wall) * 1000:9.0f} ms")
    ratio = median(list_wall) / median(find_wall)
    return [("cold listing/find", f"{ratio:8.2f}", "<= 3", ratio <= 3, "wall medians")]


def time_scan(scan_bench, folder):
    """The seconds scan_bench reports for the window's scan of `folder` and for
    its Lyrics column, and the slowest menu it opened meanwhile, in ms."""
    environment = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    done = subprocess.run([scan_bench, str(folder)], env=environment, capture_output=True, text=True)
    if done.returncode != 0:
        sys.exit(f"bench: {scan_bench} failed:\n{done.stderr}")
    seconds, rows, column_seconds, slowest_menu = done.stdout.split()
    if int(rows) != len(list(folder.iterdir())):
        sys.exit(f"bench: the window showed {rows} rows for {len(list(folder.iterdir()))} files")
    return float(seconds), float(column_seconds), float(slowest_menu)


if __name__ == "__main__":
    sys.exit(main())
