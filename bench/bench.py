#!/usr/bin/python3
"""Times kar2mid on a folder of karaoke files against a plain copy of it.

Usage: bench.py KAR2MID KAR_FOLDER [--files N] [--runs N]

Fills a temporary folder with at least N copies of KAR_FOLDER's .kar files
(repeated under distinct names), then, several times over and alternately,
converts it with `kar2mid --output-dir OUT FOLDER` and copies it with
`cp -r`, both pinned to one core and both measured the same way. Both read
the same files, so the page cache is warm for both after the first round,
which is not counted. Nothing is deleted until the end: on ext4, creating
files soon after many were deleted costs several times more, which would
fall on whichever command came next. Prints the median and best of each and the peak
resident memory of kar2mid, against these targets:
  * at least 100 MB/s of input on one core,
  * at most 3 times the copy's time,
  * peak memory under 24 x the largest file + 16 MiB.
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


def make_folder(sources, folder, count):
    """At least `count` copies of the sources, repeated under distinct names."""
    folder.mkdir()
    rounds = math.ceil(count / len(sources))
    for round_ in range(rounds):
        for source in sources:
            shutil.copyfile(source, folder / f"{round_:03d}_{source.name}")
    return sorted(folder.iterdir())


def one_core():
    """A core to pin both commands to, so that neither gets a second one."""
    cores = sorted(os.sched_getaffinity(0))
    return str(cores[-1])


def timed(command, core):
    """Wall seconds, CPU seconds and peak resident memory (bytes) of one command."""
    with tempfile.NamedTemporaryFile("r", suffix=".time") as report:
        wrapped = ["/usr/bin/time", "-f", "%U %S %M", "-o", report.name, "taskset", "-c", core] + command
        start = time.perf_counter()
        result = subprocess.run(wrapped, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
        seconds = time.perf_counter() - start
        if result.returncode != 0:
            sys.exit(f"bench: {' '.join(command)} failed ({result.returncode}):\n{result.stderr}")
        user, system, peak_kib = report.read().split()[-3:]
    return seconds, float(user) + float(system), int(peak_kib) * 1024


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("kar2mid")
    parser.add_argument("kar_folder", type=Path)
    parser.add_argument("--files", type=int, default=1000)
    parser.add_argument("--runs", type=int, default=7)
    args = parser.parse_args()

    sources = sorted(p for p in args.kar_folder.glob("*") if p.suffix.lower() == ".kar" and p.is_file())
    if not sources:
        print(f"bench: SKIP: no .kar files in {args.kar_folder} (the shared corpus is absent)")
        return 0

    core = one_core()
    with tempfile.TemporaryDirectory(prefix="lyricast-bench-") as temp:
        temp = Path(temp)
        files = make_folder(sources, temp / "karaoke", args.files)
        input_bytes = sum(f.stat().st_size for f in files)
        largest = max(f.stat().st_size for f in files)

        convert_times, convert_cpu, copy_times, peaks = [], [], [], []
        for run in range(args.runs + 1):  # the first round only warms the cache
            out = temp / f"out{run}"
            out.mkdir()
            seconds, cpu, peak = timed([args.kar2mid, "--output-dir", str(out), str(temp / "karaoke")], core)
            converted = len(list(out.iterdir()))
            if converted != len(files):
                sys.exit(f"bench: kar2mid wrote {converted} files for {len(files)}")
            copy_seconds, _, _ = timed(["cp", "-r", str(temp / "karaoke"), str(temp / f"copy{run}")], core)
            if run > 0:
                convert_times.append(seconds)
                convert_cpu.append(cpu)
                copy_times.append(copy_seconds)
                peaks.append(peak)

    convert, best = statistics.median(convert_times), min(convert_times)
    copy, copy_best = statistics.median(copy_times), min(copy_times)
    peak = max(peaks)
    memory_limit = 24 * largest + 16 * MIB
    rate = input_bytes / MB / convert
    ratio = convert / copy

    print(f"bench: {len(files)} files, {input_bytes / MB:.1f} MB, largest {largest} bytes; "
          f"{args.runs} runs each on core {core} after one warm-up")
    print(f"  kar2mid   median {convert * 1000:8.1f} ms  best {best * 1000:8.1f} ms"
          f"  (CPU median {statistics.median(convert_cpu) * 1000:.0f} ms)")
    print(f"  cp -r     median {copy * 1000:8.1f} ms  best {copy_best * 1000:8.1f} ms")
    print(f"  files per second   {len(files) / convert:10.0f}  (best {len(files) / best:.0f})")
    targets = [
        ("MB/s of input", f"{rate:10.1f}", f">= 100", rate >= 100),
        ("time / copy time", f"{ratio:10.2f}", "<= 3", ratio <= 3),
        ("peak memory MiB", f"{peak / MIB:10.1f}", f"< {memory_limit / MIB:.1f}", peak < memory_limit),
    ]
    for name, value, target, met in targets:
        print(f"  {name:18s} {value}  target {target:8s} {'met' if met else 'MISSED'}")
    return 0 if all(met for *_, met in targets) else 1


if __name__ == "__main__":
    sys.exit(main())
