"""Two panelwright-cli.exe runs at once over one generated fleet, both installing everywhere, then
both removing, a few times. Each panel is edited by one of them only: the other found it done or
was refused as busy, no other refusal or failure appears, the fleet ends byte for byte as one
clean run leaves it (so each panel holds the set once, or not at all), and no stray file is left.

    race_test.py EXE WORK SOURCE_DIR
PW_RACE_TRIES and PW_RACE_AIRCRAFT change the number of tries (4) and the fleet's size (50).
"""
import collections
import os
import random
import time

from fleet import Cli, check, clean_run, kinds, main, make_fleet, snapshot, strays, unexplained

TRIES = int(os.environ.get("PW_RACE_TRIES", "4"))
AIRCRAFT = int(os.environ.get("PW_RACE_AIRCRAFT", "50"))


def race(exe, work, src):
    root = make_fleet(src, os.path.join(work, "race-fleet"), AIRCRAFT)
    cli, tally = Cli(exe, root), collections.Counter()
    for n in range(TRIES):
        command = ("install", "remove")[n % 2]
        clean_status, clean, after, _ = clean_run(cli, root, os.path.join(work, "race-clean"), command, "--all")
        runs = [cli.start(command, "--all")]
        time.sleep(random.uniform(0, 0.03))
        runs.append(cli.start(command, "--all"))
        said = []
        for run in runs:
            out, err = run.communicate(timeout=30)
            unexplained((command, "--all"), run.returncode, err)
            said.append(kinds(out.decode("cp1252"), root))
            expected = max(clean_status, 1 if set(said[-1].values()) & {"busy", "other"} else 0)
            check(run.returncode == expected, "try %d, %s: exit status %d, expected %d\n%s"
                  % (n, command, run.returncode, expected, err.decode("cp1252")))
            check(said[-1].keys() == clean.keys(), "try %d, %s: a run reported %d panels, a clean run %d"
                  % (n, command, len(said[-1]), len(clean)))
        for folder, kind in clean.items():
            both = [s[folder] for s in said]
            tally.update(both)
            check("other" not in both, "try %d, %s: %s: %s" % (n, command, folder, both))
            check(both.count("done") == (kind == "done"), "try %d, %s: %s was done by %d runs, by %d in a clean run"
                  % (n, command, folder, both.count("done"), kind == "done"))
        check(snapshot(root) == after, "try %d, %s: the two runs left other bytes than one clean run" % (n, command))
        check(not strays(root), "try %d, %s: stray files left: %s" % (n, command, strays(root)))
    return "%d tries, %d panels: %d done, %d refused as busy, %d found done by the other run" % (
        TRIES, len(clean), tally["done"], tally["busy"], tally["unchanged"])


if __name__ == "__main__":
    main(race)
