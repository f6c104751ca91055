#!/usr/bin/env python3
"""Measures how many faults the tests find: applies each one-line mutant of tools/mutants.txt to
a copy of the sources, builds, runs the tests, and counts the mutants some test failed on.

    tools/mutants.py [--only TEXT] [--keep]

Works in build/mutants: a copy of the tracked files (the working tree is never touched), built
with the native and windows64 presets. Each mutant runs the native tests first and the Windows
tests (x86_64, under Wine) only when no native test failed; the fuzzer, the benchmarks and the
shipped i686 exe are left out. Prints one line per mutant, then "mutants=N caught=M" and the
survivors. --only runs the mutants whose file or text holds TEXT.
"""
import argparse
import os
import shutil
import subprocess
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
WORK = os.path.join(ROOT, "build", "mutants")
SRC = os.path.join(WORK, "src")


def read_mutants(path):
    mutants, current = [], None
    for number, line in enumerate(open(path, encoding="utf-8"), 1):
        line = line.rstrip("\n")
        if line.startswith("== "):
            current = {"file": line[3:], "line": number}
            mutants.append(current)
        elif line.startswith("- ") and current is not None:
            current["old"] = line[2:]
        elif line.startswith("+ ") and current is not None:
            current["new"] = line[2:]
    for m in mutants:
        if "old" not in m or "new" not in m:
            sys.exit("mutants.txt:%d: a mutant needs a - and a + line" % m["line"])
    return mutants


def copy_sources():
    files = subprocess.run(["git", "ls-files", "-z"], cwd=ROOT, stdout=subprocess.PIPE, check=True).stdout
    for name in files.decode().split("\0"):
        if not name:
            continue
        target = os.path.join(SRC, name)
        os.makedirs(os.path.dirname(target), exist_ok=True)
        source = os.path.join(ROOT, name)
        if not os.path.exists(target) or open(source, "rb").read() != open(target, "rb").read():
            shutil.copy2(source, target)


def run(cmd, log, timeout=None):
    with open(log, "a") as out:
        out.write("\n$ %s\n" % " ".join(cmd))
        out.flush()
        try:
            return subprocess.run(cmd, cwd=SRC, stdout=out, stderr=subprocess.STDOUT, timeout=timeout).returncode
        except subprocess.TimeoutExpired:
            return 124


def build(preset, log):
    if run(["cmake", "--preset", preset], log) != 0:
        return False
    return run(["cmake", "--build", "--preset", preset, "-j", "2"], log) == 0


NATIVE_TESTS = ["ctest", "--preset", "native", "-LE", "fuzz|bench", "--stop-on-failure", "--timeout", "120"]
WINDOWS_TESTS = ["ctest", "--preset", "windows64", "-LE", "bench", "-E", "e2e_i686", "-j", "2",
                 "--stop-on-failure", "--timeout", "240"]


def tests_pass(log):
    """None when every test passes, else the kind that failed."""
    if run(NATIVE_TESTS, log) != 0:
        return "native"
    if run(WINDOWS_TESTS, log) != 0:
        return "windows"
    return None


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--only", default="")
    args = parser.parse_args()
    mutants = [m for m in read_mutants(os.path.join(ROOT, "tools", "mutants.txt"))
               if args.only in m["file"] or args.only in m["old"]]
    os.makedirs(SRC, exist_ok=True)
    copy_sources()
    log = os.path.join(WORK, "mutants.log")
    open(log, "w").close()

    for m in mutants:
        text = open(os.path.join(SRC, m["file"]), encoding="latin-1").read()
        hits = [line for line in text.split("\n") if m["old"] in line]
        if len(hits) != 1:
            sys.exit("mutants.txt:%d: %r is on %d lines of %s" % (m["line"], m["old"], len(hits), m["file"]))

    print("mutants: building the unchanged copy in %s" % SRC, flush=True)
    if not (build("native", log) and build("windows64", log)):
        sys.exit("mutants: the unchanged sources do not build (see %s)" % log)
    if tests_pass(log) is not None:
        sys.exit("mutants: the tests fail without a mutant (see %s)" % log)

    caught, survivors, invalid = 0, [], []
    for n, m in enumerate(mutants, 1):
        path = os.path.join(SRC, m["file"])
        original = open(path, "rb").read()
        mutated = original.replace(m["old"].encode("latin-1"), m["new"].encode("latin-1"), 1)
        start = time.time()
        try:
            open(path, "wb").write(mutated)
            with open(log, "a") as out:
                out.write("\n=== mutant %d: %s: %s -> %s\n" % (n, m["file"], m["old"].strip(), m["new"].strip()))
            if not (build("native", log) and build("windows64", log)):
                verdict = "does not build"
                invalid.append(m)
            else:
                failed = tests_pass(log)
                verdict = "caught (%s)" % failed if failed else "SURVIVED"
                if failed:
                    caught += 1
                else:
                    survivors.append(m)
        finally:
            open(path, "wb").write(original)
        print("%2d/%d %-30s %-16s %4.0fs  %s" % (n, len(mutants), m["file"], verdict, time.time() - start,
                                                  m["old"].strip()[:60]), flush=True)

    counted = len(mutants) - len(invalid)
    print("mutants=%d caught=%d" % (counted, caught))
    for m in survivors:
        print("survived: %s:%s  %s  ->  %s" % (m["file"], m["line"], m["old"].strip(), m["new"].strip()))
    for m in invalid:
        print("did not build: %s  %s" % (m["file"], m["old"].strip()))
    return 0


if __name__ == "__main__":
    sys.exit(main())
