r"""Edits killed on a generated fleet. A program holding a panel's lock refuses an edit of it, and
once the holder is killed (SIGKILL) the lock is gone with it: no panel.cfg_lock left, the next
edit goes ahead. install --all and remove --all killed at random moments (after a random number
of report lines, then a random part of one panel's time) leave every panel.cfg old or new, byte
for byte; a second run of the same command then leaves the fleet as one clean run does, with no
stray file anywhere.

    kill_test.py EXE WORK SOURCE_DIR
PW_HOLD_LOCK names the built hold_lock.exe; PW_KILLS and PW_KILL_AIRCRAFT change the number of
kills (6) and the fleet's size (40). A longer measurement, from the source folder:

    PW_HOLD_LOCK=$PWD/build/windows64/tests/e2e/hold_lock.exe PW_KILLS=100 PW_KILL_AIRCRAFT=300 \
        tests/e2e/run_e2e.sh kill $PWD/build/windows64/bin/panelwright-cli.exe /tmp/pw-kills $PWD
"""
import collections
import os
import random
import select
import subprocess
import time

from fleet import Cli, check, clean_run, main, make_fleet, restore, snapshot, strays, windows_path

KILLS = int(os.environ.get("PW_KILLS", "6"))
AIRCRAFT = int(os.environ.get("PW_KILL_AIRCRAFT", "40"))


def line_within(stream, seconds):
    return stream.readline().decode("cp1252").strip() if select.select([stream], [], [], seconds)[0] else None


def holder_killed(cli, root, folder, hold_lock):
    """The lock of folder's panel.cfg held by another process, then that process killed."""
    cfg = os.path.join(folder, "panel.cfg")
    before = open(cfg, "rb").read()
    holder = subprocess.Popen([os.environ["WINELOADER"], hold_lock, windows_path(cfg)], stdout=subprocess.PIPE,
                              stderr=subprocess.PIPE, bufsize=0)
    try:
        said = line_within(holder.stdout, 10)
        check(said == "held", "hold_lock did not take the lock within 10 s (%r)" % said)
        started = time.monotonic()
        status, out, err = cli.run("install", windows_path(folder))
        waited = time.monotonic() - started
        check(status == 1 and "refused: another program is editing" in out,
              "an edit beside the lock's holder: exit status %d\n%s%s" % (status, out, err))
        check(waited >= 0.9, "the edit was refused after %.2f s, without waiting for the lock" % waited)
        check(open(cfg, "rb").read() == before, "a refused edit changed panel.cfg")
    finally:
        holder.kill()
        holder.communicate()
    # Wine closes a killed process's handles itself, a moment after it is gone.
    deadline = time.monotonic() + 2
    while os.path.exists(cfg + "_lock") and time.monotonic() < deadline:
        time.sleep(0.02)
    check(not os.path.exists(cfg + "_lock"), "panel.cfg_lock is still there 2 s after its holder was killed")
    status, out, err = cli.run("install", windows_path(folder))
    check(status == 0 and "installed in" in out, "the edit after the holder was killed: exit status %d\n%s%s"
          % (status, out, err))
    check(not strays(root), "stray files after the edit: %s" % strays(root))


def kill(exe, work, src):
    hold_lock = os.environ.get("PW_HOLD_LOCK", "")
    check(os.path.isfile(hold_lock), "PW_HOLD_LOCK does not name hold_lock.exe: %r" % hold_lock)
    root = make_fleet(src, os.path.join(work, "kill-fleet"), AIRCRAFT)
    cli, first, clean, tally = Cli(exe, root), snapshot(root), {}, collections.Counter()
    for n in range(KILLS):
        command = ("install", "remove")[n % 2]
        if command == "install":
            restore(root, first)
        old = snapshot(root)
        if command not in clean:
            clean[command] = clean_run(cli, root, os.path.join(work, "kill-clean"), command, "--all")
        status, said, new, seconds = clean[command]
        check(old != new, "a clean %s --all changes nothing" % command)

        # Killed after a random number of report lines, then a random part of one panel's time.
        lines = random.randrange(len(said) + 1)
        run = cli.start(command, "--all")
        for _ in range(lines):
            if line_within(run.stdout, 10) is None:
                break
        time.sleep(random.uniform(0, seconds / len(said)))
        run.kill()
        run.communicate()
        now = snapshot(root)
        for rel in old:
            check(now.get(rel) in (old[rel], new[rel]), "%s --all killed after %d lines: %s is neither old nor new"
                  % (command, lines, rel))
        tally.update(os.path.basename(stray) for stray in strays(root))

        again, out, err = cli.run(command, "--all")
        check(again == status, "%s --all after a kill: exit status %d, a clean run's %d\n%s" % (command, again, status, err))
        check(not strays(root), "%s --all after a kill leaves stray files: %s" % (command, strays(root)))
        check(snapshot(root) == new, "%s --all after a kill leaves other bytes than a clean run" % command)
    restore(root, first)
    folder = os.path.join(root, next(f for f, kind in sorted(clean["install"][1].items()) if kind == "done"))
    holder_killed(cli, root, folder, hold_lock)
    return "lock holder killed: lock gone, edit done; %d kills, left by them: %s; after the second runs: none" % (
        KILLS, ", ".join("%d %s" % (n, name) for name, n in sorted(tally.items())) or "nothing")


if __name__ == "__main__":
    main(kill)
