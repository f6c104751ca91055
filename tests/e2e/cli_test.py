"""panelwright-cli.exe from outside, under Wine, on the demo install whose registry keys and
GARMINWT.INI tools/demo-env.sh puts in place: only what the in-process cases (CliTest, TrainerTest)
cannot see, the program's own start: the registry's 32-bit view leads to the simulator, arguments
arrive as typed, and the trainer's INI file is the Windows folder's.

    cli_test.py EXE WORK SOURCE_DIR
"""
import json
import os
import subprocess

from fleet import check, main


def scenario(exe, work, src):
    def run(*args, expect):
        done = subprocess.run([os.environ["WINELOADER"], exe] + list(args), stdout=subprocess.PIPE,
                              stderr=subprocess.PIPE, timeout=30)
        check(done.returncode == expect, "%s: exit status %d, expected %d\n%s"
              % (" ".join(args), done.returncode, expect, done.stderr.decode("cp1252")))
        return done.stdout.decode("utf-8" if "--json" in args else "cp1252")

    listing = json.loads(run("list", "--json", expect=0))
    check(listing["simulator"] == r"C:\Program Files\Microsoft Games\FS2002", "list --json: " + listing["simulator"])
    # Letters the code page cannot spell match nothing, never any aircraft through a '?'.
    check(run("install", "--dry-run", "--aircraft", "\u65e5\u672c\u6a5f", expect=1) == "",
          "a pattern of letters the code page cannot spell chose a panel")
    ini = os.path.join(os.environ["WINEPREFIX"], "drive_c", "windows", "GARMINWT.INI")
    check(run("trainer", "international", expect=0).strip() == "international", "trainer international")
    check(b"JeppDB=INTRNATL.IMG" in open(ini, "rb").read(), "GARMINWT.INI holds no INTRNATL.IMG")
    return "registry, arguments as typed and the trainer's INI file as expected"


if __name__ == "__main__":
    main(scenario)
