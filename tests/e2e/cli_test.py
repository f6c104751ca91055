"""panelwright-cli.exe from outside, under Wine, on the demo install whose registry keys and
GARMINWT.INI tools/demo-env.sh puts in place: what the in-process cases cannot see. The registry's
32-bit view leads to the simulator; a batch install and removal gives every file back byte for
byte; a panel.cfg made read-only by the file system fails while the rest is done; arguments
arrive as typed; the trainer's database is shown and set.

    cli_test.py EXE WORK SOURCE_DIR
"""
import json
import os
import subprocess

from fleet import check, main, snapshot

FS = r"C:\Program Files\Microsoft Games\FS2002"


def scenario(exe, work, src):
    root = os.path.join(work, "FS2002")

    def run(*args, expect):
        done = subprocess.run([os.environ["WINELOADER"], exe] + list(args), stdout=subprocess.PIPE,
                              stderr=subprocess.PIPE, timeout=30)
        check(done.returncode == expect, "%s: exit status %d, expected %d\n%s"
              % (" ".join(args), done.returncode, expect, done.stderr.decode("cp1252")))
        return done.stdout.decode("utf-8" if "--json" in args else "cp1252")

    listing = json.loads(run("list", "--json", expect=0))
    check(FS + "\\aircraft\\b737_400\\panel\\" in [p.get("target") for a in listing["aircraft"] for p in a["panels"]],
          "the alias's target is not listed")
    run("remove", FS + r"\aircraft\b737_400\panel", expect=0)
    bare = snapshot(root)
    report = run("install", "--all", expect=1)  # the full c208 fails the run; aliases are passed over
    check("c208\\panel\\: refused: fewer than four window slots" in report and snapshot(root) != bare, report)
    report = run("remove", "--all", expect=0)
    check("skipped: an alias of" in report and snapshot(root) == bare, "install then remove: " + report)

    cfg = os.path.join(root, "aircraft", "c172", "panel", "panel.cfg")
    os.chmod(cfg, 0o444)
    try:
        report = run("install", "--aircraft", "C17*", "--aircraft", "b737?cargo", expect=1)
    finally:
        os.chmod(cfg, 0o644)
    lines = {line.split(": ", 1)[0]: line for line in report.splitlines()}
    check("read-only" in lines[FS + "\\aircraft\\c172\\panel\\"], report)
    check("installed in" in lines[FS + "\\aircraft\\c172\\Panel.IFR\\"], report)
    check("skipped: an alias of" in lines[FS + "\\aircraft\\b737_cargo\\panel\\"], report)
    check(snapshot(root)[os.path.relpath(cfg, root)] == bare[os.path.relpath(cfg, root)], "the read-only file changed")
    run("remove", "--aircraft", "c172", expect=0)

    # Letters the code page cannot spell match nothing, never any aircraft through a '?'.
    check(run("install", "--dry-run", "--aircraft", "\u65e5\u672c\u6a5f", expect=1) == "",
          "a pattern of letters the code page cannot spell chose a panel")
    check("Usage: panelwright-cli" in run("/?", expect=0), "/? prints no help")
    ini = os.path.join(os.environ["WINEPREFIX"], "drive_c", "windows", "GARMINWT.INI")
    check(run("trainer", expect=0).strip() == "americas", "trainer shows no americas")
    check(run("trainer", "international", expect=0).strip() == "international", "trainer international")
    check(b"JeppDB=INTRNATL.IMG" in open(ini, "rb").read(), "GARMINWT.INI holds no INTRNATL.IMG")
    run("trainer", "americas", expect=0)
    return "registry, batch round trip, a read-only file, arguments as typed, help and trainer as expected"


if __name__ == "__main__":
    main(scenario)
