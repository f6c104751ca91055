"""panelwright-cli.exe from outside, under Wine, on the demo install whose registry keys and
GARMINWT.INI tools/demo-env.sh puts in place: the listing as text and as JSON, a dry run that writes no
byte, a batch install and removal that gives every file back byte for byte, a batch that meets a
read-only and an alias panel among good ones, usage errors, the trainer's database.

    cli_test.py EXE WORK SOURCE_DIR
"""
import hashlib
import json
import os
import subprocess
import sys

FS = r"C:\Program Files\Microsoft Games\FS2002"


class Failure(Exception):
    pass


def main():
    exe, work = sys.argv[1:3]
    root = os.path.join(work, "FS2002")

    def run(*args, expect):
        done = subprocess.run([os.environ["WINELOADER"], exe] + list(args), stdout=subprocess.PIPE,
                              stderr=subprocess.PIPE)
        if done.returncode != expect:
            raise Failure("%s: exit status %d, expected %d\n%s" % (" ".join(args), done.returncode, expect,
                                                                  done.stderr.decode("cp1252")))
        return done.stdout

    def snapshot():
        files = {}
        for folder, _, names in os.walk(root):
            for name in names:
                path = os.path.join(folder, name)
                files[os.path.relpath(path, root)] = hashlib.sha1(open(path, "rb").read()).hexdigest()
        return files

    def check(condition, what):
        if not condition:
            raise Failure(what)

    # The registry leads to the simulator: the listing knows where the alias leads.
    listing = json.loads(run("list", "--json", expect=0).decode("utf-8"))
    targets = [p.get("target") for a in listing["aircraft"] for p in a["panels"]]
    check(FS + "\\aircraft\\b737_400\\panel\\" in targets, "the alias's target is not listed")

    # Install everywhere and remove everywhere: every file comes back byte for byte.
    run("remove", FS + r"\aircraft\b737_400\panel", expect=0)
    bare = snapshot()
    # Aliases and foreign panels are passed over without failing the run; the full c208 fails it.
    report = run("install", "--all", expect=1).decode("cp1252")
    check("c208\\panel\\: refused: fewer than four window slots" in report, report)
    check(snapshot() != bare, "the batch install wrote nothing")
    report = run("remove", "--all", expect=0).decode("cp1252")
    check("skipped: an alias of" in report, report)
    check(snapshot() == bare, "install then remove did not give every file back")

    # A read-only panel fails and an alias is refused, each with its reason; the rest is done.
    cfg = os.path.join(root, "aircraft", "c172", "panel", "panel.cfg")
    os.chmod(cfg, 0o444)
    try:
        report = run("install", "--aircraft", "C17*", "--aircraft", "b737?cargo", expect=1).decode("cp1252")
    finally:
        os.chmod(cfg, 0o644)
    lines = {line.split(": ", 1)[0]: line for line in report.splitlines()}
    check("read-only" in lines[FS + "\\aircraft\\c172\\panel\\"], report)
    check("installed in" in lines[FS + "\\aircraft\\c172\\Panel.IFR\\"], report)
    check("skipped: an alias of" in lines[FS + "\\aircraft\\b737_cargo\\panel\\"], report)
    check(snapshot()[os.path.join("aircraft", "c172", "panel", "panel.cfg")] == bare[
        os.path.join("aircraft", "c172", "panel", "panel.cfg")], "the read-only panel.cfg changed")
    run("remove", "--aircraft", "c172", expect=0)

    # Arguments arrive as typed: letters the code page cannot spell match nothing, never any
    # aircraft through a '?', and Windows' own ways of asking for help work.
    check(run("install", "--dry-run", "--aircraft", "\u65e5\u672c\u6a5f", expect=1) == b"",
          "a pattern of letters the code page cannot spell chose a panel")
    check(b"Usage: panelwright-cli" in run("/?", expect=0), "/? prints the help")

    # The trainer's startup database, shown and set as the dialog sets it.
    ini = os.path.join(os.environ["WINEPREFIX"], "drive_c", "windows", "GARMINWT.INI")
    check(run("trainer", expect=0).strip() == b"americas", "trainer shows americas")
    check(run("trainer", "international", expect=0).strip() == b"international", "trainer set")
    check(b"JeppDB=INTRNATL.IMG" in open(ini, "rb").read(), "GARMINWT.INI holds INTRNATL.IMG")
    run("trainer", "americas", expect=0)
    return "list, dry run, batch round trip, refusals, usage errors and trainer as expected"


if __name__ == "__main__":
    try:
        print(main())
    except Failure as e:
        print("FAILED: %s" % e)
        sys.exit(1)
