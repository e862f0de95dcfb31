"""A zip archive that is the same to the byte whoever makes it, wherever and
whenever: entries in name order, every time stamp the one given, no owner,
no permissions, no extra fields. CPack's ZIP generator (CMake 3.25) takes
its entries in the order in which the file system lists the staging folder,
which differs between file systems, and `cmake -E tar --format=zip` writes
the files' access and change times and modes; neither serves.

Deflate's output is zlib's: the same zlib version gives the same bytes."""
import hashlib
import time
import zipfile

# Zip dates start in 1980: an earlier time (a tree outside git has 0) is
# written as the first day.
_ZIP_EPOCH = 315532800


def _entry(name, epoch, is_folder=False):
    info = zipfile.ZipInfo(name, time.gmtime(max(epoch, _ZIP_EPOCH))[:6])
    # MS-DOS attributes only (folder, or archive as Windows gives every new
    # file), nothing of the build machine's users and modes.
    info.create_system = 0
    info.external_attr = 0x10 if is_folder else 0x20
    info.compress_type = zipfile.ZIP_STORED if is_folder else zipfile.ZIP_DEFLATED
    return info


def write_zip(path, folder, files, epoch):
    """Writes files ({name: bytes}) into one folder of a new archive at
    path, every entry dated epoch (seconds since 1970, UTC; zip keeps even
    seconds)."""
    with zipfile.ZipFile(path, "w") as z:
        z.writestr(_entry(folder + "/", epoch, is_folder=True), b"")
        for name in sorted(files):
            z.writestr(_entry("%s/%s" % (folder, name), epoch), files[name], compresslevel=9)


def sha256_lines(named_bytes):
    """SHA256SUMS lines ("HEX  NAME", as sha256sum writes and checks them)
    ended by CR LF, which Notepad shows on every Windows."""
    return "".join("%s  %s\r\n" % (hashlib.sha256(data).hexdigest(), name) for name, data in named_bytes)
