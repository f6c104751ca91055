"""What the process-level edit tests share: a generated fleet (tools/make_fleet.py) and
panelwright-cli.exe run over it with --sim, its report lines read back per panel folder, and the
questions asked of the fleet afterwards (which panels hold the window set, which stray files lie
about, byte snapshots).
"""
import os
import re
import shutil
import subprocess
import sys
import time

SET_TITLES = ["Skyvantage 530 MiniStack", "Skyvantage 530 GPS", "Skyvantage 530 AVIONICS",
              "Skyvantage 530 VOR"]
# What an edit may leave beside panel.cfg only while it runs, and the profile engine's own
# temporary files.
STRAY_NAMES = ("panel.cfg_new", "panel.cfg_backup", "panel.cfg_lock")
BUSY = "refused: another program is editing this panel.cfg"


class Failure(Exception):
    pass


def check(condition, what):
    if not condition:
        raise Failure(what)


def windows_path(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def linux_path(path):
    check(path[:2].upper() == "Z:", "not a path on Wine's Z: drive: %s" % path)
    return os.path.normpath(path[2:].replace("\\", "/"))


def make_fleet(src, out, aircraft, seed):
    subprocess.run([sys.executable, os.path.join(src, "tools", "make_fleet.py"), out, "--aircraft", str(aircraft),
                    "--seed", str(seed)], check=True, stdout=subprocess.DEVNULL)
    return out


class Cli:
    """panelwright-cli.exe on the simulator folder sim (a fleet made by make_fleet)."""

    def __init__(self, exe, sim):
        self.exe, self.sim = exe, sim

    def command(self, *args):
        return [os.environ["WINELOADER"], self.exe, "--sim", windows_path(self.sim)] + list(args)

    def start(self, *args):
        # Unbuffered: a report line read is one the program has written, and no more.
        return subprocess.Popen(self.command(*args), stdout=subprocess.PIPE, stderr=subprocess.PIPE, bufsize=0)

    def run(self, *args):
        done = subprocess.run(self.command(*args), stdout=subprocess.PIPE, stderr=subprocess.PIPE)
        return done.returncode, done.stdout.decode("cp1252"), done.stderr.decode("cp1252")


def reports(text):
    """{panel folder (Linux path): what the run said of it} from a run's standard output."""
    out = {}
    for line in text.splitlines():
        folder, sep, said = line.partition("\\: ")  # a panel folder ends with its separator
        if sep:
            out[linux_path(folder)] = said
    return out


def kind_of(said):
    """done, unchanged, skipped, busy, or other: a refusal or failure no run may give here."""
    if said.startswith(("installed in ", "removed from ")):
        return "done"
    if said.endswith("; nothing to do"):
        return "unchanged"
    if said.startswith("skipped: "):
        return "skipped"
    if said.startswith(BUSY):
        return "busy"
    return "other"


def sections(text):
    """[(section name, its lines)] of a panel.cfg's text, in order."""
    out = []
    for line in text.splitlines():
        match = re.match(r"\s*\[([^\]]*)\]", line)
        if match:
            out.append((match.group(1).strip().lower(), []))
        elif out:
            out[-1][1].append(line.strip())
    return out


def set_state(data):
    """once: each set title exactly once in [Window Titles] and its [WindowNN] section exactly
    once; none: no set title and no section holding an Aerolith gauge; otherwise what is wrong."""
    parts = sections(data.decode("latin-1"))
    titles = [line.partition("=") for name, lines in parts if name == "window titles" for line in lines]
    keys = {title: [key.strip() for key, _, value in titles if value.strip() == title] for title in SET_TITLES}
    counts = {}
    for name, _ in parts:
        counts[name] = counts.get(name, 0) + 1
    if all(not k for k in keys.values()):
        aerolith = [name for name, lines in parts if any("skyvantage_aerolith!" in l.lower() for l in lines)]
        return "none" if not aerolith else "Aerolith gauges left in " + ", ".join(aerolith)
    for title, found in keys.items():
        if len(found) != 1:
            return "%d titles %r" % (len(found), title)
        match = re.match(r"(?i)window0*(\d+)$", found[0])
        if not match:
            return "title key %r" % found[0]
        name = "window%02d" % int(match.group(1))
        if counts.get(name, 0) != 1:
            return "%d sections [%s] for %r" % (counts.get(name, 0), name, title)
    return "once"


def snapshot(root):
    """{path relative to root: bytes} of every panel.cfg under root."""
    files = {}
    for folder, _, names in os.walk(root):
        if "panel.cfg" in names:
            path = os.path.join(folder, "panel.cfg")
            with open(path, "rb") as f:
                files[os.path.relpath(path, root)] = f.read()
    return files


def restore(root, files):
    for rel, data in files.items():
        with open(os.path.join(root, rel), "wb") as f:
            f.write(data)


def strays(root):
    """Every file under root an edit may leave only while it runs, relative to root."""
    out = []
    for folder, _, names in os.walk(root):
        for name in names:
            if name in STRAY_NAMES or (name.startswith("~") and name.endswith(".tmp")):
                out.append(os.path.relpath(os.path.join(folder, name), root))
    return sorted(out)


def clean_run(cli, root, copy, *args):
    """The fleet as one uninterrupted run of args leaves it, made on a copy: (exit status, report
    kinds by folder relative to the fleet, snapshot, seconds the run took)."""
    shutil.rmtree(copy, ignore_errors=True)
    shutil.copytree(root, copy)
    started = time.monotonic()
    status, out, err = Cli(cli.exe, copy).run(*args)
    seconds = time.monotonic() - started
    said = {os.path.relpath(folder, copy): kind_of(line) for folder, line in reports(out).items()}
    check(said, "%s: the clean run reported no panel (exit status %d)\n%s" % (" ".join(args), status, err))
    result = (status, said, snapshot(copy), seconds)
    shutil.rmtree(copy)
    return result


def main(run):
    try:
        print(run())
    except Failure as e:
        print("FAILED: %s" % e)
        sys.exit(1)
