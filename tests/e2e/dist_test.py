"""The zip a user downloads (make dist), unzipped into a fresh folder with nothing beside it: it
holds its five files and no other, the checksums in SHA256SUMS are the exes', the texts have CRLF
line ends; panelwright-cli.exe says the version the zip is named after and lists the demo install
given with --sim; panelwright.exe starts, lists the simulator the registry names and closes.

    dist_test.py ZIP WORK SOURCE_DIR
"""
import hashlib
import os
import re
import shutil
import subprocess
import zipfile

import pwdrive
from fleet import check, main

FILES = ["LICENSE.txt", "README.txt", "SHA256SUMS", "panelwright-cli.exe", "panelwright.exe"]
SIM = r"C:\Program Files\Microsoft Games\FS2002"


def cli(folder, *args):
    done = subprocess.run([os.environ["WINELOADER"], os.path.join(folder, "panelwright-cli.exe")] + list(args),
                          stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=30)
    check(done.returncode == 0, "panelwright-cli %s: exit status %d\n%s" % (" ".join(args), done.returncode,
                                                                          done.stderr.decode("cp1252")))
    return done.stdout.decode("cp1252")


def dist(zip_path, work, src):
    named = re.fullmatch(r"panelwright-(\d+\.\d+\.\d+)-win32\.zip", os.path.basename(zip_path))
    check(named, "the zip's name %s carries no version" % os.path.basename(zip_path))
    folder = os.path.join(work, "unzipped")
    shutil.rmtree(folder, ignore_errors=True)
    with zipfile.ZipFile(zip_path) as archive:
        check(sorted(archive.namelist()) == FILES, "the zip holds %s" % sorted(archive.namelist()))
        archive.extractall(folder)
    for name in FILES[:3]:
        data = open(os.path.join(folder, name), "rb").read()
        check(data.endswith(b"\r\n") and data.count(b"\n") == data.count(b"\r\n"), name + " has not CRLF line ends")
    sums = dict(reversed(line.split("  ", 1))
                for line in open(os.path.join(folder, "SHA256SUMS"), newline="").read().split("\r\n") if line)
    check(sorted(sums) == FILES[3:], "SHA256SUMS names %s" % sorted(sums))
    for exe, digest in sums.items():
        check(hashlib.sha256(open(os.path.join(folder, exe), "rb").read()).hexdigest() == digest,
              "the SHA-256 of %s is not the one in SHA256SUMS" % exe)

    version = cli(folder, "--version").strip()
    check(version == "panelwright-cli " + named.group(1), "--version says %r, the zip is %s" % (version, zip_path))
    listing = cli(folder, "--sim", SIM, "list")
    for needed in ("Beech Baron 58", "alias of", "foreign"):
        check(needed in listing, "list --sim shows no %r:\n%s" % (needed, listing))
    app = pwdrive.App(os.path.join(folder, "panelwright.exe"))
    try:
        app.find_window()
        pwdrive.Tree(app)
        pwdrive.close(app)
    except pwdrive.Failure as e:
        app.save(os.path.join(work, "failure.png"))
        raise pwdrive.Failure("%s\non screen: %s (screenshot: %s)" % (e, pwdrive.on_screen(),
                                                                     os.path.join(work, "failure.png")))
    finally:
        app.kill()
    return "%s: five files, checksums, %s, list --sim; the dialog started and closed" % (
        os.path.basename(zip_path), version)


if __name__ == "__main__":
    main(dist)
