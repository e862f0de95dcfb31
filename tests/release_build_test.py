#!/usr/bin/env python3
"""What would make the release differ between two builds of one commit, or
unreadable for a user, checked on the built tree: the program's PE time
stamp is the commit's and it names no folder, user or host of the build
machine; the archive's entries come in one order with one time and no
trace of the build machine's users; the texts are what Notepad shows right
on every Windows.

usage: release_build_test.py BUILD_DIR [unittest arguments]"""
import json
import os
import socket
import struct
import subprocess
import sys
import time
import unittest
import zipfile

BUILD_DIR = None


def config():
    with open(os.path.join(BUILD_DIR, "release", "release.json"), encoding="utf-8") as f:
        return json.load(f)


def read(path):
    with open(path, "rb") as f:
        return f.read()


def commit_time(source_dir):
    if os.environ.get("SOURCE_DATE_EPOCH"):
        return int(os.environ["SOURCE_DATE_EPOCH"])
    # As the build has it: a tree outside git carries 0.
    out = subprocess.run(["git", "-C", source_dir, "log", "-1", "--format=%ct"], capture_output=True, text=True)
    return int(out.stdout) if out.returncode == 0 and out.stdout.strip() else 0


def pe_time_stamp(exe):
    pe = struct.unpack_from("<I", exe, 0x3C)[0]
    return struct.unpack_from("<I", exe, pe + 8)[0]


class ShippedProgram(unittest.TestCase):
    def setUp(self):
        self.cfg = config()
        self.exe = read(self.cfg["exe"])

    def test_pe_time_stamp_is_the_commits(self):
        self.assertEqual(pe_time_stamp(self.exe), commit_time(self.cfg["source_dir"]),
                         "the program's time stamp is not the commit's time (linked before the last commit?)")

    def test_no_folder_user_or_host_of_the_build_machine(self):
        marks = {os.path.abspath(self.cfg["source_dir"]), os.path.realpath(self.cfg["source_dir"]),
                 os.path.abspath(self.cfg["build_dir"])}
        home = os.path.expanduser("~")
        if home not in ("/", ""):
            marks.add(home)
        host = socket.gethostname()
        if len(host) >= 4:  # a shorter name would be found by chance
            marks.add(host)
        exe = self.exe.lower()
        for mark in sorted(marks):
            for encoding in ("utf-8", "utf-16-le"):
                self.assertFalse(mark.encode(encoding).lower() in exe, "the program holds %r (%s)" % (mark, encoding))


class Archive(unittest.TestCase):
    def setUp(self):
        self.cfg = config()
        self.stem = "%s-%s-win32" % (self.cfg["name"], self.cfg["version"])
        self.zip = zipfile.ZipFile(os.path.join(BUILD_DIR, "dist", self.stem + ".zip"))
        self.addCleanup(self.zip.close)

    def test_one_folder_in_name_order(self):
        expected = [self.stem + "/"] + ["%s/%s" % (self.stem, n) for n in
                                        sorted(["NOTICES.txt", "README.txt", os.path.basename(self.cfg["exe"])])]
        self.assertEqual(self.zip.namelist(), expected)

    def test_every_entry_has_the_commits_time_and_no_owner_or_mode(self):
        epoch = commit_time(self.cfg["source_dir"])
        stamp = time.gmtime(epoch - epoch % 2)[:6]  # zip keeps even seconds
        for info in self.zip.infolist():
            self.assertEqual(info.date_time, stamp, info.filename)
            self.assertEqual(info.create_system, 0, info.filename + ": attributes of a Unix system")
            self.assertEqual(info.external_attr >> 16, 0, info.filename + ": a Unix mode")
            self.assertEqual(info.extra, b"", info.filename + ": extra fields (owner, times)")

    def test_texts_show_in_notepad_on_every_windows(self):
        for name in ("README.txt", "NOTICES.txt"):
            data = self.zip.read("%s/%s" % (self.stem, name))
            self.assertTrue(data.startswith(b"\xef\xbb\xbf"), name + " has no byte-order mark")
            data.decode("utf-8")
            self.assertEqual(data.count(b"\n"), data.count(b"\r\n"), name + " has a line end without CR")
        guide = self.zip.read("%s/README.txt" % self.stem).decode("utf-8-sig")
        self.assertIn(self.cfg["version"], guide.splitlines()[0])


if __name__ == "__main__":
    BUILD_DIR = sys.argv.pop(1)
    unittest.main()
