#!/usr/bin/env python3
"""Packs the shipped program into the zip a Windows user downloads (`make dist`).

    tools/make_dist.py BUILD_DIR OUT_DIR

BUILD_DIR is the i686 build tree (build/windows); the zip is OUT_DIR/panelwright-VERSION-win32.zip
and holds panelwright.exe, panelwright-cli.exe, README.txt (docs/README.txt), LICENSE.txt
(LICENSE) and SHA256SUMS.

Its bytes depend on the sources alone: the version is the build tree's project(VERSION), the date
that of the last commit (or SOURCE_DATE_EPOCH when set, as where there is no git checkout), and
every entry has that date, a fixed place and fixed attributes. The texts get CRLF line ends.
Packing stops, saying why, on an exe that is not i686 or whose version resource names another
version, and on a text line longer than 78 characters or not in ASCII.
"""
import hashlib
import os
import re
import struct
import subprocess
import sys
import time
import zipfile

SOURCE = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
EXES = ("panelwright.exe", "panelwright-cli.exe")
TEXTS = (("README.txt", os.path.join("docs", "README.txt")), ("LICENSE.txt", "LICENSE"))
MACHINE_I386 = 0x14C
FIXED_FILE_INFO = struct.pack("<I", 0xFEEF04BD)
WIDTH = 78


class Refusal(Exception):
    pass


def project_version(build_dir):
    try:
        cache = open(os.path.join(build_dir, "CMakeCache.txt"), encoding="utf-8").read()
    except OSError:
        raise Refusal("%s is not a configured build tree (make build-windows makes it)" % build_dir)
    found = re.search(r"^CMAKE_PROJECT_VERSION:STATIC=(\d+\.\d+\.\d+)$", cache, re.M)
    if not found:
        raise Refusal("%s/CMakeCache.txt names no project version" % build_dir)
    return found.group(1)


def source_date():
    """Seconds since 1970 of the sources: SOURCE_DATE_EPOCH, or the last commit's time."""
    if os.environ.get("SOURCE_DATE_EPOCH"):
        return int(os.environ["SOURCE_DATE_EPOCH"])
    done = subprocess.run(["git", "-C", SOURCE, "log", "-1", "--format=%ct"], stdout=subprocess.PIPE,
                          stderr=subprocess.DEVNULL, text=True)
    if done.returncode != 0 or not done.stdout.strip().isdigit():
        raise Refusal("%s is not a git checkout: set SOURCE_DATE_EPOCH to the sources' date" % SOURCE)
    return int(done.stdout)


def check_exe(name, data, version):
    """An i686 PE whose version resource holds `version`, as numbers and as text."""
    if data[:2] != b"MZ" or len(data) < 0x40:
        raise Refusal("%s is not a Windows program" % name)
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    if data[pe:pe + 4] != b"PE\0\0" or struct.unpack_from("<H", data, pe + 4)[0] != MACHINE_I386:
        raise Refusal("%s is not a 32-bit (i686) Windows program" % name)
    at = data.find(FIXED_FILE_INFO)
    if at < 0:
        raise Refusal("%s has no version resource" % name)
    major, minor, patch = (int(n) for n in version.split("."))
    words = struct.unpack_from("<4I", data, at + 8)  # file version MS, LS; product version MS, LS
    wanted = ((major << 16) | minor, patch << 16) * 2
    if words != wanted:
        raise Refusal("%s: its version resource says %s, the project %s" % (
            name, "%d.%d.%d" % (words[0] >> 16, words[0] & 0xFFFF, words[1] >> 16), version))
    for key in ("FileVersion", "ProductVersion"):
        # A VS_VERSIONINFO string: the key, NUL, padding to 4 bytes, then the value.
        text = re.escape(key.encode("utf-16-le")) + b"\0\0(?:\0\0)?" + re.escape(version.encode("utf-16-le")) + b"\0\0"
        if not re.search(text, data):
            raise Refusal("%s: its version resource's %s is not %s" % (name, key, version))


def crlf_text(name, text):
    for number, line in enumerate(text.split("\n"), 1):
        if len(line) > WIDTH:
            raise Refusal("%s line %d has %d characters; at most %d" % (name, number, len(line), WIDTH))
        if "\r" in line or "\t" in line or not line.isascii():
            raise Refusal("%s line %d holds a tab, a CR or a character outside ASCII" % (name, number))
    return text.replace("\n", "\r\n").encode("ascii")


def entries(build_dir, version, epoch):
    files = {}
    for exe in EXES:
        path = os.path.join(build_dir, "bin", exe)
        try:
            data = open(path, "rb").read()
        except OSError:
            raise Refusal("%s does not exist (make build-windows builds it)" % path)
        check_exe(exe, data, version)
        files[exe] = data
    date = time.strftime("%Y-%m-%d", time.gmtime(epoch))
    for name, source in TEXTS:
        text = open(os.path.join(SOURCE, source), encoding="ascii", errors="replace").read()
        text = text.replace("@VERSION@", version).replace("@DATE@", date)
        files[name] = crlf_text(source, text)
    files["SHA256SUMS"] = "".join("%s  %s\r\n" % (hashlib.sha256(files[exe]).hexdigest(), exe)
                                  for exe in EXES).encode("ascii")
    return files


def write_zip(path, files, epoch):
    stamp = time.gmtime(max(epoch, 315532800))[:6]  # a zip date starts in 1980
    temporary = path + ".part"
    with zipfile.ZipFile(temporary, "w") as archive:
        for name in sorted(files):
            info = zipfile.ZipInfo(name, date_time=stamp)
            info.compress_type = zipfile.ZIP_DEFLATED
            info.create_system = 0      # MS-DOS: no Unix mode bits of this machine
            info.external_attr = 0
            archive.writestr(info, files[name], compresslevel=9)
    os.replace(temporary, path)


def main():
    if len(sys.argv) != 3:
        print(__doc__.strip().split("\n\n")[1], file=sys.stderr)
        return 2
    build_dir, out_dir = sys.argv[1:3]
    try:
        version = project_version(build_dir)
        epoch = source_date()
        files = entries(build_dir, version, epoch)
    except Refusal as why:
        print("make_dist: %s" % why, file=sys.stderr)
        return 1
    os.makedirs(out_dir, exist_ok=True)
    path = os.path.join(out_dir, "panelwright-%s-win32.zip" % version)
    write_zip(path, files, epoch)
    data = open(path, "rb").read()
    print("make_dist: %s, %d bytes, SHA-256 %s" % (path, len(data), hashlib.sha256(data).hexdigest()))
    return 0


if __name__ == "__main__":
    sys.exit(main())
