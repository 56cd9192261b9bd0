#!/usr/bin/env python3
"""Adds up the GoogleTest result files of each build and prints the counts."""
import sys
import xml.etree.ElementTree as ET
from pathlib import Path

totals = {"passed": 0, "failed": 0, "skipped": 0}
for directory in sys.argv[1:]:
    counts = {"passed": 0, "failed": 0, "skipped": 0}
    for result in sorted(Path(directory).glob("*.xml")):
        for case in ET.parse(result).getroot().iter("testcase"):
            if case.find("failure") is not None:
                counts["failed"] += 1
            elif case.get("result") == "skipped" or case.find("skipped") is not None:
                counts["skipped"] += 1
            else:
                counts["passed"] += 1
    print(f"{directory}: {counts['passed']} passed, {counts['failed']} failed, {counts['skipped']} skipped")
    for key in totals:
        totals[key] += counts[key]

if totals["passed"] + totals["failed"] == 0:
    print("no test ran")
    sys.exit(1)
print(f"Total: {totals['passed']} passed, {totals['failed']} failed, {totals['skipped']} skipped")
sys.exit(1 if totals["failed"] else 0)
