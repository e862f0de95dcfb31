#!/usr/bin/env python3
"""Writes a demo server database: table tPcBaseInfo with a few dozen client
machines (some with Chinese names), the way the diskless-boot server keeps
them: "ip" is the IPv4 address as a 32-bit integer whose least significant
byte is the first octet, stored as signed decimal when the top bit is set.

usage: make_demo_db.py OUT.db [COUNT]"""
import os
import sqlite3
import sys


def ip_value(a, b, c, d):
    v = a | (b << 8) | (c << 16) | (d << 24)
    return v - (1 << 32) if v >= 1 << 31 else v


def machines(count):
    rooms = ["网吧A区", "网吧B区", "VIP包间", "教室"]
    for i in range(1, count + 1):
        if i % 5 == 0:
            name = "%s-%02d" % (rooms[(i // 5) % len(rooms)], i)
        else:
            name = "PC%03d" % i
        mac = "00-1A-2B-%02X-%02X-%02X" % (i // 256, i % 256, (i * 7) % 256)
        yield name, mac, ip_value(192, 168, 1 + i // 200, 10 + i % 200)


def main():
    out = sys.argv[1]
    count = int(sys.argv[2]) if len(sys.argv) > 2 else 36
    if os.path.exists(out):
        os.remove(out)
    db = sqlite3.connect(out)
    db.execute("CREATE TABLE tPcBaseInfo (MACHINE TEXT, mac TEXT, ip INTEGER, "
               "groupname TEXT, remark TEXT)")
    db.executemany("INSERT INTO tPcBaseInfo (MACHINE, mac, ip, groupname) VALUES (?, ?, ?, '默认')",
                   machines(count))
    db.commit()
    db.close()


if __name__ == "__main__":
    main()
