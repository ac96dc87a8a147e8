#!/usr/bin/env python3
"""Sums up a CTest JUnit report of GoogleTest programs.

Usage: junit-summary.py REPORT.xml LABEL [RERUN.xml]

Prints each skipped test with the reason it gave, each failed test with
CTest's reason and its output, then one line "LABEL: N passed, N failed,
N skipped". Exits 1 when a test failed or none ran.

RERUN.xml is the report of the failed tests run a second time. A program
under Wine now and then crashes while it exits, after GoogleTest has given
its verdict; a test whose verdict was a pass or a skip, whose program then
crashed, and which passes or skips again on the second run counts by that
verdict and is listed as such. Any other failure stands.
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


def verdict(case):
    """passed, skipped or failed, as CTest saw the test's program end."""
    if case.find("skipped") is not None:
        return "skipped"
    if case.find("failure") is not None or case.get("status") != "run":
        return "failed"
    return "passed"


def finished_without_failing(output):
    """Whether GoogleTest printed the end of its run and no failure in it."""
    return " ran. (" in output and "[  FAILED  ]" not in output


def cases_of(report):
    return {case.get("name"): case for case in ElementTree.parse(report).getroot().iter("testcase")}


def main(report, label, rerun=None):
    reruns = cases_of(rerun) if rerun else {}
    passed, failed, skipped, crashed = [], [], [], []
    for name, case in cases_of(report).items():
        output = case.findtext("system-out") or ""
        outcome = verdict(case)
        again = reruns.get(name)
        if outcome == "failed" and finished_without_failing(output) and again is not None \
                and verdict(again) != "failed":
            crashed.append(name)
            case, output, outcome = again, again.findtext("system-out") or "", verdict(again)
        if outcome == "skipped":
            skipped.append((name, skip_reason(output)))
        elif outcome == "failed":
            failure = case.find("failure")
            reason = failure.get("message", "") if failure is not None else ""
            failed.append((name, reason or "CTest gave no reason", output))
        else:
            passed.append(name)

    for name, reason, output in failed:
        print(f"FAILED {name} ({reason}):\n{output.rstrip()}\n")
    for name, reason in skipped:
        print(f"  skipped {name}: {reason}")
    for name in crashed:
        print(f"  crashed while exiting after its verdict, then ran clean: {name}")
    print(f"{label}: {len(passed)} passed, {len(failed)} failed, {len(skipped)} skipped")
    return 1 if failed or not passed else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:4]) if len(sys.argv) in (3, 4) else __doc__)
