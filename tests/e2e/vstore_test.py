"""The simulator under C:\\Program Files as users run it, on the demo install in the prefix: one
panel with a per-user copy of its panel.cfg in the prefix user's VirtualStore (mooney), one in a
read-only folder standing in for a folder only administrators may change (lear45). panelwright-cli
runs the cases of vstore-cases.txt; then the dialog shows the copy's state, says once where the
copy is, edits the copy, and offers a restart as administrator for the read-only folder, answered
No. The files under Program Files keep their bytes throughout.

    vstore_test.py EXE WORK SOURCE_DIR   (EXE: panelwright.exe, panelwright-cli.exe beside it)
"""
import glob
import json
import os
import stat
import subprocess
import sys

import pwdrive
from fleet import check
from pwdrive import wait_until

SIM = r"C:\Program Files\Microsoft Games\FS2002"
SET_TITLE = b"Skyvantage 530 GPS"
# Tree rows of the demo install with mooney's copy carrying the set: its aircraft starts open.
LEARJET, MOONEY_PANEL = 11, 13


def local_app_data():
    found = [p for p in glob.glob(os.path.join(os.environ["WINEPREFIX"], "drive_c", "users", "*", "AppData", "Local"))
             if os.sep + "Public" + os.sep not in p]
    check(len(found) == 1, "the prefix's user has no single AppData\\Local folder: %s" % found)
    return found[0]


def user_account_control(on):
    """Sets the policy value that says whether User Account Control, and with it virtualization, is on."""
    done = subprocess.run([os.environ["WINELOADER"], "reg", "add", r"HKLM\Software\Microsoft\Windows\CurrentVersion"
                           r"\Policies\System", "/v", "EnableLUA", "/t", "REG_DWORD", "/d", on, "/f"],
                          stdout=subprocess.PIPE, stderr=subprocess.STDOUT, timeout=30)
    check(done.returncode == 0, "cannot set EnableLUA: %s" % done.stdout.decode("cp1252", "replace"))


def read_only(folder, on):
    """Makes folder refuse new files, as Windows refuses them under Program Files to a program not
    run as administrator: by its permissions, and for root, who passes those, by the immutable flag."""
    if not on:
        subprocess.run(["chattr", "-i", folder], stderr=subprocess.DEVNULL, check=False)
        os.chmod(folder, stat.S_IRWXU)
        return
    os.chmod(folder, stat.S_IRUSR | stat.S_IXUSR)
    if os.geteuid() == 0:
        done = subprocess.run(["chattr", "+i", folder], stderr=subprocess.PIPE, check=False)
        check(done.returncode == 0, "cannot make %s refuse new files: %s" % (folder, done.stderr.decode()))
    try:
        open(os.path.join(folder, "probe"), "x").close()
        os.remove(os.path.join(folder, "probe"))
        raise pwdrive.Failure("%s still takes new files: no read-only folder can stand in here" % folder)
    except PermissionError:
        pass


def run_cases(cli, src, names, copy_file):
    """Runs vstore-cases.txt; the files under Program Files are compared by the caller."""
    cases, case = [], None
    for line in open(os.path.join(src, "tests", "e2e", "vstore-cases.txt"), encoding="utf-8"):
        line = line.rstrip("\n")
        if line.startswith("$ "):
            case = {"args": line[2:].split(" "), "lines": [], "copy": None}
            cases.append(case)
        elif line.startswith("! EnableLUA "):
            cases.append({"lua": line.split()[2]})
        elif line.startswith(("= ", "~ ", "@ ")):
            text = line[2:].format(**names)
            if line[0] == "=":
                case["status"] = int(text)
            elif line[0] == "~":
                case["lines"].append(text)
            else:
                case["copy"] = text.split()[1]
    for case in cases:
        if "lua" in case:
            user_account_control(case["lua"])
            continue
        args = [a.format(**names) for a in case["args"]]
        done = subprocess.run([os.environ["WINELOADER"], cli] + args, stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                              timeout=30)
        out = done.stdout.decode("utf-8" if "--json" in args else "cp1252")
        if "--json" in args:
            out = "\n".join("%s file=%s shadowed=%s installed=%s reason=%s" % (
                p["path"], p.get("file", p["path"] + "panel.cfg"), str(p.get("shadowed", False)).lower(), str(p["installed"]).lower(),
                p.get("reason", {}).get("code", "-")) for a in json.loads(out)["aircraft"] for p in a["panels"])
        said = "%s: exit status %d\n%s%s" % (" ".join(args), done.returncode, out, done.stderr.decode("cp1252"))
        check(done.returncode == case["status"], said)
        for text in case["lines"]:
            check(text in out, "%s\nlacks: %s" % (said, text))
        if case["copy"]:
            check((SET_TITLE in open(copy_file, "rb").read()) == (case["copy"] == "set"),
                  "%s\nthe copy does not hold %s" % (said, case["copy"]))
    return len(cases)


def scenario(app, work, src):
    fs = os.path.join(work, "FS2002", "aircraft")
    originals = {name: open(os.path.join(fs, name, "panel", "panel.cfg"), "rb").read() for name in ("mooney", "lear45")}
    copy_file = os.path.join(STORE, "Program Files", "Microsoft Games", "FS2002", "aircraft", "mooney", "panel",
                             "panel.cfg")
    names = {"mooney": SIM + r"\aircraft\mooney\panel" + "\\", "lear45": SIM + r"\aircraft\lear45\panel" + "\\",
             "copy": WINDOWS_STORE + r"\Program Files\Microsoft Games\FS2002\aircraft\mooney\panel" + "\\"}
    cli = os.environ["PW_CLI"]
    count = run_cases(cli, src, names, copy_file)

    def unchanged():
        for name, data in originals.items():
            check(open(os.path.join(fs, name, "panel", "panel.cfg"), "rb").read() == data,
                  "%s\\panel\\panel.cfg under Program Files changed" % name)

    unchanged()
    # The tree shows the copy's state: the Mooney carries the set there, so it starts open.
    check(wait_until(lambda: len(app.tree_rows(app.shot())) == 15, 5),
          "the tree shows %d rows, expected 15 (the Mooney open for its copy's set)" % len(app.tree_rows(app.shot())))
    tree = pwdrive.Tree(app)
    notice = lambda: pwdrive.xdotool("search", "--onlyvisible", "--name", "^Panelwright$", check=False).split()
    tree.click(MOONEY_PANEL)
    check(wait_until(notice, 10), "no word that the simulator reads the per-user copy on selecting the Mooney")
    pwdrive.xdotool("key", "Return")
    check(wait_until(lambda: not notice(), 5), "the per-user copy's message did not close on Enter")
    holds_set = lambda: SET_TITLE in open(copy_file, "rb").read()
    app.click(*pwdrive.INSTALL_BUTTON)
    check(wait_until(lambda: not holds_set()), "the dialog's removal did not reach the per-user copy")
    app.click(*pwdrive.INSTALL_BUTTON)
    check(wait_until(holds_set), "the dialog's install did not reach the per-user copy")
    unchanged()

    box = lambda: pwdrive.xdotool("search", "--onlyvisible", "--name", "Panel.cfg error", check=False).split()
    tree.open_aircraft(LEARJET)
    tree.select(LEARJET + 1)
    app.click(*pwdrive.INSTALL_BUTTON)
    check(wait_until(box, 10), "no offer to restart as administrator after an install refused in a read-only folder")
    pwdrive.xdotool("key", "n")  # No: a box without that button (an error alone) stays open
    check(wait_until(lambda: not box(), 5), "the refusal's box has no No button to press: no offer to restart")
    app.settle()
    check(app.proc.poll() is None, "answered No, the program ended")
    tree.click(MOONEY_PANEL + 1)  # the Mooney again, a row lower: said once a run only
    app.settle()
    check(not notice(), "the per-user copy was said again")
    unchanged()
    return "%d command-line cases; the dialog showed, named and edited the per-user copy; No to the offer kept " \
           "everything as it was" % count


if __name__ == "__main__":
    work = sys.argv[2]
    panel = os.path.join(work, "FS2002", "aircraft", "lear45", "panel")
    STORE = os.path.join(local_app_data(), "VirtualStore")
    WINDOWS_STORE = subprocess.run([os.environ["WINELOADER"], "winepath", "-w", STORE], stdout=subprocess.PIPE,
                                   stderr=subprocess.DEVNULL, timeout=30).stdout.decode().strip()
    copy = os.path.join(STORE, "Program Files", "Microsoft Games", "FS2002", "aircraft", "mooney", "panel")
    os.makedirs(copy, exist_ok=True)
    with open(os.path.join(copy, "panel.cfg"), "wb") as f:
        f.write(open(os.path.join(work, "FS2002", "aircraft", "b737_400", "panel", "panel.cfg"), "rb").read())
    try:
        user_account_control("1")
        read_only(panel, True)
        status = pwdrive.scenario(scenario)
    except pwdrive.Failure as e:
        print("FAILED: %s" % e)
        status = 1
    finally:
        read_only(panel, False)
        user_account_control("0")
    sys.exit(status)
