#!/usr/bin/env python3
"""Makes the release from a built tree: OUT/NAME-VERSION-win32.zip, one
folder NAME-VERSION-win32 holding the shipped program as built, the user's
guide (README.txt, Chinese) and the notices (NOTICES.txt), and
OUT/SHA256SUMS naming the archive and every file in it.

Every input comes from the tree's release/release.json (written by CMake:
the version of project(), the program, its link map, the commit time) and
the build machine's packages, so the same commit gives the same bytes.

usage: package.py BUILD_DIR OUT_DIR"""
import glob
import json
import os
import re
import struct
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import archive  # noqa: E402
import notices  # noqa: E402

_BOM = b"\xef\xbb\xbf"
_I386 = 0x14C


def windows_text(text):
    """UTF-8 with a byte-order mark and CR LF: Notepad shows it right on
    every Windows from 7 on, whatever the system's language."""
    return _BOM + text.replace("\r\n", "\n").replace("\n", "\r\n").encode("utf-8")


def pe_machine(exe):
    pe = struct.unpack_from("<I", exe, 0x3C)[0]
    if exe[pe:pe + 4] != b"PE\0\0":
        raise SystemExit("package.py: the program is no PE file")
    return struct.unpack_from("<H", exe, pe + 4)[0]


def guide_text(template_path, version):
    with open(template_path, encoding="utf-8") as f:
        text = f.read().replace("@VERSION@", version)
    left = re.findall(r"@[A-Z_]+@", text)
    if left:
        raise SystemExit("package.py: %s names %s, which nothing fills in" % (template_path, left[0]))
    return text


def main():
    if len(sys.argv) != 3:
        raise SystemExit(__doc__)
    build_dir, out_dir = sys.argv[1], sys.argv[2]
    with open(os.path.join(build_dir, "release", "release.json"), encoding="utf-8") as f:
        cfg = json.load(f)
    with open(cfg["exe"], "rb") as f:
        exe = f.read()
    if pe_machine(exe) != _I386:
        raise SystemExit("package.py: %s is not the 32-bit program that ships" % cfg["exe"])
    with open(cfg["epoch_file"], encoding="ascii") as f:
        epoch = int(f.read())

    title = "机器列表导出工具 %s" % cfg["version"]
    try:
        notice = notices.notices_text(title + " — 第三方组件的许可声明 / Third-party notices", cfg["map"],
                                      cfg["build_dir"], cfg["source_dir"], cfg["sqlite_c"])
    except notices.NoticeError as e:
        raise SystemExit("package.py: %s" % e)
    files = {
        os.path.basename(cfg["exe"]): exe,
        "README.txt": windows_text(guide_text(cfg["guide"], cfg["version"])),
        "NOTICES.txt": windows_text(notice),
    }

    stem = "%s-%s-win32" % (cfg["name"], cfg["version"])
    os.makedirs(out_dir, exist_ok=True)
    for old in glob.glob(os.path.join(out_dir, "%s-*-win32.zip" % cfg["name"])):
        os.remove(old)
    zip_path = os.path.join(out_dir, stem + ".zip")
    archive.write_zip(zip_path, stem, files, epoch)
    with open(zip_path, "rb") as f:
        named = [(stem + ".zip", f.read())]
    named += [("%s/%s" % (stem, name), files[name]) for name in sorted(files)]
    with open(os.path.join(out_dir, "SHA256SUMS"), "w", encoding="ascii", newline="") as f:
        f.write(archive.sha256_lines(named))
    print("package.py: %s and %s" % (zip_path, os.path.join(out_dir, "SHA256SUMS")))


if __name__ == "__main__":
    main()
