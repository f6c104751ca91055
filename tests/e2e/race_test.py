"""Two panelwright-cli.exe runs at once over one generated fleet, both installing everywhere, then
both removing, a few times. Each panel is edited by one of them only: a panel reported done holds
the set exactly once after an install (none after a removal), the other run found it done or
was refused as busy, no other refusal or failure appears, the fleet ends byte for byte as one
clean run leaves it, and no stray file is left.

    race_test.py EXE WORK SOURCE_DIR
PW_RACE_TRIES and PW_RACE_AIRCRAFT change the number of tries (4) and the fleet's size (50).
"""
import collections
import os
import random
import sys
import time

from fleet import Cli, check, clean_run, kind_of, main, make_fleet, reports, set_state, snapshot, strays

TRIES = int(os.environ.get("PW_RACE_TRIES", "4"))
AIRCRAFT = int(os.environ.get("PW_RACE_AIRCRAFT", "50"))


def race():
    exe, work, src = sys.argv[1:4]
    root = make_fleet(src, os.path.join(work, "race-fleet"), AIRCRAFT, 18)
    cli = Cli(exe, root)
    rng = random.Random()
    tally = collections.Counter()
    for n in range(TRIES):
        command = ("install", "remove")[n % 2]
        clean_status, clean, after, _ = clean_run(cli, root, os.path.join(work, "race-clean"), command, "--all")
        runs = [cli.start(command, "--all")]
        time.sleep(rng.uniform(0, 0.03))
        runs.append(cli.start(command, "--all"))
        said = []
        for run in runs:
            out, err = run.communicate()
            said.append({os.path.relpath(folder, root): line for folder, line in reports(out.decode("cp1252")).items()})
            refused = any(kind_of(line) in ("busy", "other") for line in said[-1].values())
            expected = max(clean_status, 1 if refused else 0)
            check(run.returncode == expected, "try %d, %s: exit status %d, expected %d\n%s"
                  % (n, command, run.returncode, expected, err.decode("cp1252")))
            check(said[-1].keys() == clean.keys(), "try %d, %s: a run reported %d panels, a clean run %d"
                  % (n, command, len(said[-1]), len(clean)))
        want = "once" if command == "install" else "none"
        for folder in clean:
            lines = [s[folder] for s in said]
            kinds = [kind_of(line) for line in lines]
            for line, kind in zip(lines, kinds):
                check(kind != "other", "try %d, %s: %s: %s" % (n, command, folder, line))
                tally[kind if clean[folder] == "done" else "elsewhere"] += 1
            check(kinds.count("done") <= 1, "try %d: both runs say they did %s: %s" % (n, command, folder))
            if "done" in kinds:
                tally["done by run %d" % kinds.index("done")] += 1
                state = set_state(open(os.path.join(root, folder, "panel.cfg"), "rb").read())
                tally["undone"] += state != want
                check(state == want, "try %d: %s reported %s, but the panel holds: %s" % (n, folder, command, state))
            else:
                check(clean[folder] != "done", "try %d: neither run did %s: %s (%s)" % (n, command, folder, lines))
        check(snapshot(root) == after, "try %d, %s: the two runs left other bytes than one clean run" % (n, command))
        check(not strays(root), "try %d, %s: stray files left: %s" % (n, command, strays(root)))
    return ("%d tries, %d panels: %d reported done, %d undone, %d false refusals, %d refused as busy, "
            "%d found done by the other run; the later run did %d" % (
                TRIES, len(clean), tally["done"], tally["undone"], tally["other"], tally["busy"], tally["unchanged"],
                tally["done by run 1"]))


if __name__ == "__main__":
    main(race)
