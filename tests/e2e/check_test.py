"""panelwright-cli.exe check from outside, under Wine: on the demo install it finds exactly the faults
tools/make_demo_install.py puts there (tests/e2e/check-demo.txt), and a generated fleet
(tools/make_fleet.py) comes out clean.

    check_test.py EXE WORK SOURCE_DIR
"""
import json
import os
import subprocess

from fleet import Cli, check, main, make_fleet

FS = r"C:\Program Files\Microsoft Games\FS2002"


def scenario(exe, work, src):
    def run(*args):
        done = subprocess.run([os.environ["WINELOADER"], exe] + list(args), stdout=subprocess.PIPE,
                              stderr=subprocess.PIPE, timeout=30)
        return done.returncode, done.stdout.decode("utf-8" if "--json" in args else "cp1252"), done.stderr.decode()

    expected = open(os.path.join(src, "tests", "e2e", "check-demo.txt")).read().replace("{sim}", FS)
    status, out, err = run("check")
    check(status == 1 and out == expected, "check on the demo install: status %d\n%s%s" % (status, out, err))
    status, out, err = run("check", "--json")
    found = [(p["path"], f["code"]) for p in json.loads(out)["panels"] for f in p["findings"]]
    check(status == 1 and len(found) == len(expected.splitlines()), "check --json on the demo install: %s" % found)
    status, out, err = Cli(exe, make_fleet(src, os.path.join(work, "check-fleet"), 60)).run("check")
    check(status == 0 and out == "" and "nothing found" in err, "a generated fleet: status %d\n%s%s" % (status, out, err))
    return "the demo install's faults found, and nothing in a generated fleet"


if __name__ == "__main__":
    main(scenario)
