"""What the process-level edit tests share: a generated fleet (tools/make_fleet.py), panelwright-cli.exe
run over it with --sim, its report read back per panel folder, and byte snapshots of the fleet.
"""
import os
import shutil
import subprocess
import sys
import time

from pwdrive import Failure

# What an edit may leave beside panel.cfg only while it runs, and the profile engine's own
# temporary files.
STRAY_NAMES = ("panel.cfg_new", "panel.cfg_backup", "panel.cfg_lock")
BUSY = "refused: another program is editing this panel.cfg"


def check(condition, what):
    if not condition:
        raise Failure(what)


def windows_path(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def make_fleet(src, out, aircraft):
    subprocess.run([sys.executable, os.path.join(src, "tools", "make_fleet.py"), out, "--aircraft", str(aircraft),
                    "--seed", "18"], check=True, stdout=subprocess.DEVNULL, timeout=30)
    return out


def unexplained(args, status, err):
    """Checks that a run which did not succeed said why on stderr, as every refusal does: a silent
    one never ran to its end, or Wine could not start it."""
    check(status == 0 or err.strip(), "%s: exit status %d and nothing on stderr: the program did not run to its end,"
          " or Wine could not start it" % (" ".join(args), status))


class Cli:
    """panelwright-cli.exe on the simulator folder sim; a run that outlasts 30 s fails the test."""

    def __init__(self, exe, sim):
        self.exe, self.sim = exe, sim

    def command(self, *args):
        return [os.environ["WINELOADER"], self.exe, "--sim", windows_path(self.sim)] + list(args)

    def start(self, *args):
        # Unbuffered: a report line read is one the program has written, and no more.
        return subprocess.Popen(self.command(*args), stdout=subprocess.PIPE, stderr=subprocess.PIPE, bufsize=0)

    def run(self, *args):
        done = subprocess.run(self.command(*args), stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=30)
        unexplained(args, done.returncode, done.stderr)
        return done.returncode, done.stdout.decode("cp1252"), done.stderr.decode("cp1252")


def kinds(text, root):
    """{panel folder relative to root: done, unchanged, skipped, busy or other} from a run's report;
    other is a refusal or failure no run may give here."""
    out = {}
    for line in text.splitlines():
        folder, sep, said = line.partition("\\: ")  # a panel folder ends with its separator
        if sep:
            out[os.path.relpath(os.path.normpath(folder[2:].replace("\\", "/")), root)] = (
                "done" if said.startswith(("installed in ", "removed from ")) else
                "unchanged" if said.endswith("; nothing to do") else "skipped" if said.startswith("skipped: ") else
                "busy" if said.startswith(BUSY) else "other")
    return out


def snapshot(root):
    """{path relative to root: bytes} of every file under root."""
    return {os.path.relpath(os.path.join(folder, name), root): open(os.path.join(folder, name), "rb").read()
            for folder, _, names in os.walk(root) for name in names}


def restore(root, files):
    for rel, data in files.items():
        with open(os.path.join(root, rel), "wb") as f:
            f.write(data)


def strays(root):
    """Every file under root an edit may leave only while it runs, relative to root."""
    return sorted(os.path.relpath(os.path.join(folder, name), root) for folder, _, names in os.walk(root)
                  for name in names if name in STRAY_NAMES or (name.startswith("~") and name.endswith(".tmp")))


def clean_run(cli, root, copy, *args):
    """The fleet as one uninterrupted run of args leaves it, made on a copy: (exit status, report
    kinds by folder, snapshot, seconds the run took)."""
    shutil.rmtree(copy, ignore_errors=True)
    shutil.copytree(root, copy)
    started = time.monotonic()
    status, out, err = Cli(cli.exe, copy).run(*args)
    result = (status, kinds(out, copy), snapshot(copy), time.monotonic() - started)
    check(result[1], "%s: the clean run reported no panel (exit status %d)\n%s" % (" ".join(args), status, err))
    shutil.rmtree(copy)
    return result


def main(run):
    try:
        print(run(*sys.argv[1:4]))
    except Failure as e:
        print("FAILED: %s" % e)
        sys.exit(1)
