#!/usr/bin/env python3
"""Writes a diskless-boot server's machine table of N rows for the benchmark.

    make_machine_table.py ROWS PATH

The table is the server's as the model of the tool has it
(tools/model/tool_model.py). Rows look like a large installation's: machine
names by room and seat (Chinese room names, stored as UTF-8 as the server
does), unique MAC texts of a few vendors, and IPv4 addresses stored as the
server stores them: an integer whose least significant byte is the first
number of the dotted form. The same ROWS always give the same file contents.
"""
import os
import random
import sqlite3
import sys

sys.dont_write_bytecode = True  # no cache files in the source tree
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tools", "model"))
import tool_model  # noqa: E402

ROOMS = ["一楼大厅", "二楼包间", "三楼竞技区", "VIP区", "网吧A区", "网吧B区", "教室", "机房"]
VENDOR_PREFIXES = ["00-1A-2B", "3C-97-0E", "E0-D5-5E", "B4-2E-99", "70-85-C2"]


def rows(n):
    rng = random.Random(n)
    for k in range(n):
        room = ROOMS[k % len(ROOMS)]
        name = f"{room}-{k // len(ROOMS) + 1:05d}"
        if k % 7 == 0:
            name = f"PC{k + 1:06d}"
        vendor = VENDOR_PREFIXES[k % len(VENDOR_PREFIXES)]
        serial = (k * 2654435761 + rng.randrange(256)) & 0xFFFFFF
        # k in the low bits keeps every MAC unique whatever the serial.
        serial = (serial & 0xFC0000) | (k & 0x3FFFF)
        mac = f"{vendor}-{serial >> 16:02X}-{(serial >> 8) & 0xFF:02X}-{serial & 0xFF:02X}"
        # 10.x.y.z: the first number in the lowest byte.
        host = k + 1
        ip = 10 | ((host >> 16) & 0xFF) << 8 | ((host >> 8) & 0xFF) << 16 | (host & 0xFF) << 24
        yield name, mac, ip


def main():
    n, path = int(sys.argv[1]), sys.argv[2]
    os.makedirs(os.path.dirname(os.path.abspath(path)), exist_ok=True)
    if os.path.exists(path):
        os.remove(path)
    db = sqlite3.connect(path)
    db.execute(tool_model.create_table_sql())
    db.executemany(tool_model.insert_sql(), tool_model.records(rows(n)))
    db.commit()
    db.close()


if __name__ == "__main__":
    main()
