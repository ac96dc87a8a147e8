#!/usr/bin/env python3
"""Sums up a CTest JUnit report of GoogleTest programs.

Usage: junit-summary.py REPORT.xml LABEL

Prints each skipped test with the reason it gave, each failed test with its
output, then one line "LABEL: N passed, N failed, N skipped". Exits 1 when a
test failed or none ran.
"""
import sys
import xml.etree.ElementTree as ElementTree


def skip_reason(output):
    """The text GoogleTest prints after "file:line: Skipped"."""
    lines = output.splitlines()
    for index, line in enumerate(lines[:-1]):
        if line.endswith(": Skipped"):
            return lines[index + 1].strip()
    return "(no reason given)"


def main(report, label):
    cases = ElementTree.parse(report).getroot().iter("testcase")
    passed, failed, skipped = [], [], []
    for case in cases:
        output = case.findtext("system-out") or ""
        if case.find("skipped") is not None:
            skipped.append((case.get("name"), skip_reason(output)))
        elif case.find("failure") is not None or case.get("status") != "run":
            failed.append((case.get("name"), output))
        else:
            passed.append(case.get("name"))

    for name, output in failed:
        print(f"FAILED {name}:\n{output.rstrip()}\n")
    for name, reason in skipped:
        print(f"  skipped {name}: {reason}")
    print(f"{label}: {len(passed)} passed, {len(failed)} failed, {len(skipped)} skipped")
    return 1 if failed or not passed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2]))
