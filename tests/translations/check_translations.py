#!/usr/bin/env python3
"""Every text of the sources has a finished translation in each .ts file.

Runs lupdate over the sources into a copy of each translation, so that the
copy holds exactly the texts the code says now, and fails on a text left
without its translation, a translation whose text the code no longer says,
and a translation that loses a placeholder or a menu's key.

Usage: check_translations.py LUPDATE SOURCE_DIR FOLDER... -- TS...
"""
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ElementTree
from collections import Counter
from pathlib import Path

PLACEHOLDER = re.compile(r"%L?[1-9][0-9]?|%d")


def messages(ts):
    """(context, source) -> (translation, finished) for each message of `ts`."""
    found = {}
    for context in ElementTree.parse(ts).getroot().iter("context"):
        name = context.findtext("name")
        for message in context.iter("message"):
            translation = message.find("translation")
            finished = translation.get("type") not in ("unfinished", "vanished", "obsolete")
            found[(name, message.findtext("source"))] = (translation.text or "", finished)
    return found


def faults_of(text, translation):
    faults = []
    if Counter(PLACEHOLDER.findall(text)) != Counter(PLACEHOLDER.findall(translation)):
        faults.append("its placeholders differ")
    if text.count("&") != translation.count("&"):
        faults.append("its key (&) differs")
    if text.startswith("\n") != translation.startswith("\n") or text.endswith("\n") != translation.endswith("\n"):
        faults.append("its first or last line break differs")
    return faults


def check(lupdate, source_dir, folders, ts):
    faults = []
    committed = messages(ts)
    with tempfile.TemporaryDirectory() as work:
        copy = Path(work) / ts.name
        shutil.copyfile(ts, copy)
        subprocess.run([lupdate, "-silent", "-no-obsolete", "-locations", "none", "-I", source_dir, *folders,
                        "-ts", str(copy)], cwd=source_dir, check=True, stderr=subprocess.DEVNULL)
        current = messages(copy)
    for (context, text), (translation, finished) in sorted(current.items()):
        where = f"{ts.name}: {context}: {text[:60]!r}"
        if not finished or not translation:
            faults.append(f"{where} has no translation")
            continue
        faults.extend(f"{where}: {fault}" for fault in faults_of(text, translation))
    for context, text in sorted(set(committed) - set(current)):
        faults.append(f"{ts.name}: {context}: {text[:60]!r} is no longer in the sources")
    return faults


def main():
    split = sys.argv.index("--")
    lupdate, source_dir, folders = sys.argv[1], sys.argv[2], sys.argv[3:split]
    faults = []
    for ts in sys.argv[split + 1:]:
        faults.extend(check(lupdate, source_dir, folders, Path(ts)))
    for fault in faults:
        print("FAIL:", fault)
    total = sum(len(messages(ts)) for ts in sys.argv[split + 1:])
    print(f"{total} texts, {len(faults)} faults")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
