#!/usr/bin/env python3
"""Writes a demo server database: the server's table with the demo's client
machines (some with Chinese names), as the model of the tool has them
(tools/model/tool_model.py) and the server keeps them: "ip" is the IPv4
address as a 32-bit integer whose least significant byte is the first
octet, stored as signed decimal when the top bit is set.

usage: make_demo_db.py OUT.db [COUNT]"""
import os
import sqlite3
import sys

sys.dont_write_bytecode = True  # no cache files in the source tree
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "model"))
import tool_model  # noqa: E402


def main():
    out = sys.argv[1]
    count = int(sys.argv[2]) if len(sys.argv) > 2 else tool_model.DEMO_COUNT
    if os.path.exists(out):
        os.remove(out)
    db = sqlite3.connect(out)
    db.execute(tool_model.create_table_sql())
    db.executemany(tool_model.insert_sql(), tool_model.records(tool_model.demo_machines(count)))
    db.commit()
    db.close()


if __name__ == "__main__":
    main()
