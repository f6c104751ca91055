r"""A panel's edit lock held by another process (hold_lock.exe), then that process killed (SIGKILL):
while it holds the lock, an edit of the panel waits about a second and refuses, the file
untouched; once it is killed the lock is gone with it (no panel.cfg_lock left) and the next edit
goes ahead. An edit killed midway is PanelEditCommitTest's: a crash after every change it makes.

    kill_test.py EXE WORK SOURCE_DIR
PW_HOLD_LOCK names the built hold_lock.exe.
"""
import os
import select
import subprocess
import time

from fleet import BUSY, Cli, check, main, strays, windows_path


def kill(exe, work, src):
    hold_lock = os.environ.get("PW_HOLD_LOCK", "")
    check(os.path.isfile(hold_lock), "PW_HOLD_LOCK does not name hold_lock.exe: %r" % hold_lock)
    root = os.path.join(work, "FS2002")  # the demo install
    cli, folder = Cli(exe, root), os.path.join(root, "aircraft", "c172", "panel", "")
    cfg = os.path.join(folder, "panel.cfg")
    before = open(cfg, "rb").read()
    holder = subprocess.Popen([os.environ["WINELOADER"], hold_lock, windows_path(cfg)], stdout=subprocess.PIPE,
                              stderr=subprocess.PIPE, bufsize=0)
    try:
        said = holder.stdout.readline().decode().strip() if select.select([holder.stdout], [], [], 10)[0] else None
        check(said == "held", "hold_lock did not take the lock within 10 s (%r)" % said)
        started = time.monotonic()
        status, out, err = cli.run("install", windows_path(folder))
        waited = time.monotonic() - started
        check(status == 1 and BUSY in out, "an edit beside the lock's holder: exit status %d\n%s%s" % (status, out, err))
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
    return "lock holder killed: the edit waited and refused, then the lock was gone and the edit done"


if __name__ == "__main__":
    main(kill)
