"""The notices file of a release: the licence texts of everything that the
shipped program contains, taken from the build machine itself.

What the program contains comes from its build: the link map names every
library file and archive member that the linker took in, and Ninja's
dependency log names every header that the program's objects were compiled
from (headers bring inline code and templates). Each such file outside the
source and build trees belongs to a Debian package, whose copyright file
(/usr/share/doc/PACKAGE/copyright) carries its licence; SQLite, compiled from
its amalgamation in the tree, carries its own dedication in the file's
header. A file that no package owns stops the release: its licence would be
missing."""
import os
import re
import subprocess
from collections import defaultdict

_MEMBER = re.compile(r"^(\S+\.a)\((.+?)\)")
_LOADED_OBJECT = re.compile(r"^LOAD (\S+\.(?:o|obj))$")
_OBJECT_TARGET = re.compile(r"(?:^|/)CMakeFiles/([^/]+)\.dir/")
_LIB_TARGET = re.compile(r"^lib(.+)\.a$")


class NoticeError(Exception):
    pass


def linked_files(map_text, build_dir):
    """Every object file and archive that gave the program code (an archive
    loaded but not drawn from does not count), as absolute paths."""
    files = set()
    for line in map_text.splitlines():
        m = _MEMBER.match(line) or _LOADED_OBJECT.match(line)
        if m:
            files.add(os.path.normpath(os.path.join(build_dir, m.group(1))))
    return files


def compiled_headers(deps_text, targets):
    """The headers that the objects of the named CMake targets include."""
    headers, take = set(), False
    for line in deps_text.splitlines():
        if not line.startswith(" "):
            m = _OBJECT_TARGET.search(line)
            take = bool(m) and m.group(1) in targets
        elif take and line.strip():
            headers.add(os.path.normpath(line.strip()))
    return headers


def _owners(paths):
    """Package of each path (dpkg), or none; a path is tried as given and
    with its links resolved, since a package names the path it installs."""
    asked = sorted({q for p in paths for q in (p, os.path.realpath(p))})
    out = subprocess.run(["dpkg-query", "-S", *asked], capture_output=True, text=True).stdout
    owner = {}
    for line in out.splitlines():
        packages, _, path = line.partition(": ")
        owner[path] = packages.split(",")[0].strip().split(":")[0]
    return {p: owner.get(p) or owner.get(os.path.realpath(p)) for p in paths}


def _versions(packages):
    out = subprocess.run(["dpkg-query", "-W", "-f=${Package}\t${Version}\n", *sorted(packages)],
                         capture_output=True, text=True, check=True).stdout
    return dict(line.split("\t") for line in out.splitlines())


def sqlite_dedication(sqlite_c):
    """SQLite's version and the dedication to the public domain at the head
    of its amalgamation."""
    with open(sqlite_c, encoding="utf-8", errors="replace") as f:
        head = f.read(200000)
    version = re.search(r'#define SQLITE_VERSION\s+"([^"]+)"', head)
    start = head.find("The author disclaims copyright")
    end = head.find("*****", start)
    if not version or start < 0 or end < 0:
        raise NoticeError("%s has no SQLite dedication in its header" % sqlite_c)
    lines = [re.sub(r"^\*\*\s?", "", l).rstrip() for l in head[start:end].splitlines()]
    return version.group(1), "\n".join(lines).strip()


def _inside(path, folders):
    return any(os.path.commonpath([path, f]) == f for f in folders)


def notices_text(title, map_path, build_dir, source_dir, sqlite_c):
    """The notices of the program linked with map_path, as text (LF)."""
    build_dir, source_dir = os.path.abspath(build_dir), os.path.abspath(source_dir)
    with open(map_path, encoding="utf-8", errors="replace") as f:
        files = linked_files(f.read(), build_dir)
    targets = {"machine-list-export"}
    targets |= {m.group(1) for p in files if _inside(p, [build_dir]) for m in [_LIB_TARGET.match(os.path.basename(p))] if m}
    deps = subprocess.run(["ninja", "-C", build_dir, "-t", "deps"], capture_output=True, text=True)
    if deps.returncode != 0:
        raise NoticeError("no dependency log of Ninja in %s: %s" % (build_dir, deps.stderr.strip()))
    headers = compiled_headers(deps.stdout, targets)

    own_tree = [build_dir, source_dir]
    external = sorted(p for p in files | headers if not _inside(p, own_tree))
    owner = _owners(external)
    orphans = [p for p in external if not owner[p]]
    if orphans:
        raise NoticeError("no package owns these parts of the program: " + ", ".join(orphans))

    supplied = defaultdict(set)  # package -> what it supplied
    for p in external:
        supplied[owner[p]].add("headers" if p in headers and p not in files else os.path.basename(p))
    versions = _versions(supplied)
    by_text = defaultdict(list)  # copyright file -> packages that it covers
    for package in sorted(supplied):
        copyright_file = os.path.realpath("/usr/share/doc/%s/copyright" % package)
        if not os.path.isfile(copyright_file):
            raise NoticeError("package %s has no copyright file" % package)
        by_text[copyright_file].append(package)

    sqlite_version, dedication = sqlite_dedication(sqlite_c)
    parts = [title, "", _INTRO, ""]
    parts += ["=" * 72, "SQLite %s (sqlite3.c, compiled into the program)" % sqlite_version, "=" * 72, "",
              dedication, ""]
    for copyright_file, packages in sorted(by_text.items()):
        parts += ["=" * 72]
        for package in packages:
            parts.append("Debian package %s %s: %s" % (package, versions.get(package, "?"),
                                                       ", ".join(sorted(supplied[package]))))
        parts += ["=" * 72, "", _read_text(copyright_file).rstrip(), ""]
    return "\n".join(parts) + "\n"


def _read_text(path):
    with open(path, encoding="utf-8", errors="replace") as f:
        return f.read()


_INTRO = """\
本程序是一个静态链接的 Windows 程序：下列组件的代码已编入 machine-list-export.exe，
随程序一起分发。以下是这些组件的版权与许可声明原文（英文），取自构建本程序的机器上
提供这些组件的 Debian 软件包的版权文件（/usr/share/doc/<软件包>/copyright）。

The program is one statically linked file: code of the components below is
part of machine-list-export.exe and is distributed with it. Their copyright
and licence texts follow as the Debian packages that supplied them on the
build machine carry them (/usr/share/doc/<package>/copyright), each with the
files that the program took from it ("headers": code compiled in from its
header files)."""
