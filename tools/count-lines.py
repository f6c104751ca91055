#!/usr/bin/env python3
"""Counts non-blank, non-comment lines of code: the shipped program's folders against tests/.

    tools/count-lines.py

Counts C++, Python, shell, CMake and resource scripts; data files (case files, golden folders,
corpora) are not code and count on neither side. Prints the lines per folder and the ratio."""
import os
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
PRODUCT = ["app", "catalogue", "cli", "host", "panelcfg", "platform", "preview", "resources"]
HASH_COMMENTS = (".py", ".sh", ".cmake")
SLASH_COMMENTS = (".cpp", ".h", ".rc")


def lines_of(path):
    name = os.path.basename(path)
    hashes = name.endswith(HASH_COMMENTS) or name == "CMakeLists.txt"
    if not hashes and not name.endswith(SLASH_COMMENTS):
        return 0
    count, block = 0, False
    for line in open(path, encoding="utf-8", errors="replace"):
        text = line.strip()
        if not text:
            continue
        if hashes:
            count += not text.startswith("#")
            continue
        if block:
            block = "*/" not in text
            continue
        if text.startswith("/*"):
            block = "*/" not in text
            continue
        count += not text.startswith("//")
    return count


def folder_lines(folder):
    total = 0
    for root, dirs, files in os.walk(os.path.join(ROOT, folder)):
        dirs[:] = [d for d in dirs if d not in ("golden", "corpus", "cases")]
        total += sum(lines_of(os.path.join(root, f)) for f in files)
    return total


def main():
    product = {folder: folder_lines(folder) for folder in PRODUCT}
    tests = folder_lines("tests")
    for folder, count in product.items():
        print("%-10s %6d" % (folder, count))
    print("%-10s %6d" % ("product", sum(product.values())))
    print("%-10s %6d" % ("tests", tests))
    print("ratio=%.2f" % (tests / sum(product.values())))


if __name__ == "__main__":
    sys.exit(main())
