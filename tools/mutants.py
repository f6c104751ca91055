#!/usr/bin/env python3
"""Measures how many faults the tests find: applies each one-line mutant of tools/mutants.txt to
a copy of the sources, builds, runs the tests, and counts the mutants some test failed on.

    tools/mutants.py [--only TEXT] [--commit REV] [--jobs N] [--exclude REGEX]

Works in build/mutants: a copy of the tracked files (the working tree is never touched), built
with the native and windows64 presets. A mutant runs only the tests whose programs it changed
(a test that runs the same bytes cannot see it): the native ones first, the Windows ones (x86_64,
under Wine) when no native test failed, each set stopping at its first failure. The bounded
fuzzer, the benchmarks, the checks of the sources and the shipped i686 exe are left out. Prints
one line per mutant, then "mutants=N caught=M" and the survivors. --only runs the mutants whose
file or text holds TEXT; --commit measures a commit's sources and tests instead of the working
tree's (with the working tree's mutants); --jobs runs that many tests at once (2; 1 on a machine
busy with other work); --exclude leaves out the tests whose "PRESET NAME" matches (a subset
that cannot reach them: "windows64 platform_profile_test").
"""
import argparse
import hashlib
import json
import os
import re
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


def copy_sources(commit):
    """The tracked files of the working tree, or of commit, into SRC; files changed since the last
    copy only, so that the builds stay incremental, and files no longer there removed."""
    tree = ROOT
    if commit:
        tree = os.path.join(WORK, "commit")
        shutil.rmtree(tree, ignore_errors=True)
        os.makedirs(tree)
        archive = subprocess.run(["git", "archive", commit], cwd=ROOT, stdout=subprocess.PIPE, check=True).stdout
        subprocess.run(["tar", "-x", "-C", tree], input=archive, check=True)
        names = [os.path.relpath(os.path.join(d, f), tree) for d, _, files in os.walk(tree) for f in files]
    else:
        listed = subprocess.run(["git", "ls-files", "-z"], cwd=ROOT, stdout=subprocess.PIPE, check=True).stdout
        names = [name for name in listed.decode().split("\0") if name]
    for name in names:
        target = os.path.join(SRC, name)
        os.makedirs(os.path.dirname(target), exist_ok=True)
        source = os.path.join(tree, name)
        if not os.path.exists(target) or open(source, "rb").read() != open(target, "rb").read():
            shutil.copy(source, target)  # stamped now: an archived file's old time would not rebuild
    kept = set(names)
    for folder, dirs, files in os.walk(SRC):
        if folder == SRC and "build" in dirs:
            dirs.remove("build")
        for f in files:
            if os.path.relpath(os.path.join(folder, f), SRC) not in kept:
                os.remove(os.path.join(folder, f))


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


PRESETS = ("native", "windows64")


def test_programs(preset, exclude):
    """{test: the files of the preset's build tree its command or environment names}; tests of
    the labels fuzz and bench, and tests whose command names no built file, are left out."""
    shown = subprocess.run(["ctest", "--preset", preset, "--show-only=json-v1"], cwd=SRC, stdout=subprocess.PIPE,
                           check=True).stdout
    build = os.path.join(SRC, "build", preset) + os.sep
    tests = {}
    for test in json.loads(shown)["tests"]:
        properties = {p["name"]: p["value"] for p in test.get("properties", [])}
        if {"fuzz", "bench"} & set(properties.get("LABELS", [])) or (exclude and re.search(exclude, preset + " " + test["name"])):
            continue
        built = lambda words: [w for w in words if w.startswith(build) and os.path.isfile(w)]
        if built(test.get("command", [])):  # the shipped i686 exe's tests name another tree
            environment = [v.partition("=")[2] for v in properties.get("ENVIRONMENT", [])]
            tests[test["name"]] = built(test["command"] + environment)
    return tests


def digests(programs):
    return {f: hashlib.sha1(open(f, "rb").read()).hexdigest() for files in programs.values() for f in files}


JOBS = "2"


def failing_tests(changed, log):
    """The tests that failed among the changed ones, native first: empty when they all pass."""
    for preset in PRESETS:
        if changed[preset]:
            pattern = "^(%s)$" % "|".join(sorted(changed[preset]))
            if run(["ctest", "--preset", preset, "-R", pattern, "-j", JOBS, "--stop-on-failure"], log) != 0:
                failed = os.path.join(SRC, "build", preset, "Testing", "Temporary", "LastTestsFailed.log")
                names = [line.strip().partition(":")[2] for line in open(failed)] if os.path.exists(failed) else []
                return ["%s %s" % (preset, name) for name in names] or [preset]
    return []


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--only", default="")
    parser.add_argument("--commit", default="", help="measure the tests of this commit, not the working tree's")
    parser.add_argument("--jobs", default="2", help="tests run at once")
    parser.add_argument("--exclude", default="", help='leave out the tests whose "PRESET NAME" matches')
    args = parser.parse_args()
    global JOBS
    JOBS = args.jobs
    mutants = [m for m in read_mutants(os.path.join(ROOT, "tools", "mutants.txt"))
               if args.only in m["file"] or args.only in m["old"]]
    os.makedirs(SRC, exist_ok=True)
    copy_sources(args.commit)
    log = os.path.join(WORK, "mutants.log")
    open(log, "w").close()

    for m in mutants:
        text = open(os.path.join(SRC, m["file"]), encoding="latin-1").read()
        hits = [line for line in text.split("\n") if m["old"] in line]
        if len(hits) != 1:
            sys.exit("mutants.txt:%d: %r is on %d lines of %s" % (m["line"], m["old"], len(hits), m["file"]))

    print("mutants: building the unchanged copy in %s" % SRC, flush=True)
    if not all(build(preset, log) for preset in PRESETS):
        sys.exit("mutants: the unchanged sources do not build (see %s)" % log)
    programs = {preset: test_programs(preset, args.exclude) for preset in PRESETS}
    unchanged = {preset: digests(programs[preset]) for preset in PRESETS}
    if failing_tests(programs, log):
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
            if not all(build(preset, log) for preset in PRESETS):
                verdict = "does not build"
                invalid.append(m)
            else:
                changed = {preset: [test for test, files in programs[preset].items()
                                    if any(digests({test: files})[f] != unchanged[preset][f] for f in files)]
                           for preset in PRESETS}
                failed = failing_tests(changed, log)
                ran = sum(len(tests) for tests in changed.values())
                verdict = "caught by " + ", ".join(failed) if failed else "SURVIVED (%d tests ran)" % ran
                if failed:
                    caught += 1
                else:
                    survivors.append(m)
        finally:
            open(path, "wb").write(original)
        print("%2d/%d %-30s %4.0fs  %-50s %s" % (n, len(mutants), m["file"], time.time() - start,
                                                 m["old"].strip()[:50], verdict), flush=True)

    counted = len(mutants) - len(invalid)
    print("mutants=%d caught=%d" % (counted, caught))
    for m in survivors:
        print("survived: %s:%s  %s  ->  %s" % (m["file"], m["line"], m["old"].strip(), m["new"].strip()))
    for m in invalid:
        print("did not build: %s  %s" % (m["file"], m["old"].strip()))
    return 0


if __name__ == "__main__":
    sys.exit(main())
