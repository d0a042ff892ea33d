#!/usr/bin/env python3
"""Every text of the game has a finished translation in each .ts file.

Usage: translations_complete.py LUPDATE SOURCE_ROOT TS_FILE... -- SOURCE...

Runs lupdate over the sources into a copy of each .ts file, exactly as the
build's update rule would, and fails on any message that is new (unfinished),
gone from the sources (vanished), translated empty, or whose translation keeps
Russian letters, drops a %-placeholder or changes the number of lines.
"""
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET
from pathlib import Path


def text_of(element):
    # Line breaks of kind CR are stored as <byte value="xd"/>.
    parts = [element.text or ""]
    for child in element:
        if child.tag == "byte":
            parts.append(chr(int(child.get("value").lstrip("x"), 16)))
        parts.append(child.tail or "")
    return "".join(parts)


def problems_of(ts_path):
    problems = []
    for context in ET.parse(ts_path).getroot().iter("context"):
        name = context.findtext("name")
        for message in context.iter("message"):
            source = text_of(message.find("source"))
            translation = message.find("translation")
            text = text_of(translation)
            where = f"{name}: {source!r}"
            kind = translation.get("type")
            if kind:
                problems.append(f"{where} is {kind}")
            elif not text.strip():
                problems.append(f"{where} has an empty translation")
            elif re.search("[\u0400-\u04ff]", text):
                problems.append(f"{where} is translated with Russian letters: {text!r}")
            elif sorted(re.findall(r"%\d", source)) != sorted(re.findall(r"%\d", text)):
                problems.append(f"{where} loses or adds a placeholder: {text!r}")
            elif source.count("\n") != text.count("\n"):
                problems.append(f"{where} has another number of lines: {text!r}")
    return problems


def main():
    lupdate, root = sys.argv[1], Path(sys.argv[2])
    split = sys.argv.index("--")
    ts_files, sources = sys.argv[3:split], sys.argv[split + 1:]
    failures = []
    with tempfile.TemporaryDirectory() as work:
        for ts in ts_files:
            copy = Path(work) / Path(ts).name
            shutil.copy(ts, copy)
            subprocess.run([lupdate, "-silent", "-I", str(root), "-source-language", "ru",
                            "-locations", "none", *sources, "-ts", str(copy)], check=True)
            failures += [f"{Path(ts).name}: {p}" for p in problems_of(copy)]
    for failure in failures:
        print(failure)
    if failures:
        print("Run `cmake --build build --target update_translations`, then translate "
              "the new texts in Qt Linguist.")
        return 1
    print(f"{len(ts_files)} translation file(s) complete")
    return 0


if __name__ == "__main__":
    sys.exit(main())
