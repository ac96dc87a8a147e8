"""kar2mid's report read back by Python's csv module: names with a comma, a
quote and a line break, a Latin-1 name, every kind of row.
usage: report_csv.py KAR2MID"""
import csv, os, subprocess, sys, tempfile

kar2mid = sys.argv[1]
song = bytes.fromhex("4d546864 00000006 0001 0001 0060"
                     "4d54726b 0000000c 00ff0102612f 00ff2f00")
with tempfile.TemporaryDirectory() as root:
    root = os.fsencode(root)
    songs = os.path.join(root, b"songs")
    os.makedirs(os.path.join(songs, b"sub"))
    names = [b'Queen, "Live"\nat Wembley.kar', b"Caf\xe9.kar", b"sub/plain.kar", b"not midi.kar"]
    for name in names:
        with open(os.path.join(songs, name), "wb") as out:
            out.write(b"junk" if name.startswith(b"not") else song)
    out_dir = os.path.join(root, b"out")
    os.mkdir(out_dir)
    report = os.path.join(root, b"report.csv")
    run = subprocess.run([os.fsencode(kar2mid), b"-r", b"--keep-tree", b"-o", out_dir,
                          b"--report", report, songs], capture_output=True)
    if run.returncode != 1:
        sys.exit(f"FAIL: kar2mid ended with {run.returncode}: {run.stderr!r}")
    with open(report, newline="", encoding="utf-8") as file:
        rows = list(csv.reader(file))
    header, rows = rows[0], rows[1:]
    if header != ["source", "output", "result", "reason", "lyrics"]:
        sys.exit(f"FAIL: header {header}")
    songs_text = os.fsdecode(songs)
    by_source = {row[0]: row for row in rows}
    expected = {
        os.path.join(songs_text, 'Queen, "Live"\nat Wembley.kar'): "converted",
        os.path.join(songs_text, "Caf\ufffd.kar"): "converted",
        os.path.join(songs_text, "sub/plain.kar"): "converted",
        os.path.join(songs_text, "not midi.kar"): "bad",
    }
    for source, result in expected.items():
        row = by_source.get(source)
        if row is None or row[2] != result or len(row) != 5:
            sys.exit(f"FAIL: {source!r}: {row!r} (rows: {rows!r})")
    queen = by_source[os.path.join(songs_text, 'Queen, "Live"\nat Wembley.kar')]
    if queen[1] != os.path.join(os.fsdecode(out_dir), 'Queen, "Live"\nat Wembley.MID'):
        sys.exit(f"FAIL: the output of the quoted name reads {queen[1]!r}")
    if len(rows) != len(expected):
        sys.exit(f"FAIL: {len(rows)} rows for {len(expected)} sources")
print(f"report: {len(rows)} rows read back field for field")
