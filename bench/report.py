#!/usr/bin/env python3
"""Prints the benchmark's table from the key=value lines of bench/run.sh.

Each line is SIZE.key=value (seconds, kilobytes); "machine=" and
"writer=missing" stand alone. Ratios are to the baseline measured in the
same run; growth is the figure at the largest size over the smallest.
"""
import sys


def load(path):
    data, notes = {}, []
    for raw in open(path, "rb"):
        # The bench programs print the tool's captions as the tool holds
        # them (GBK); the rest is ASCII or UTF-8.
        try:
            line = raw.decode("utf-8").strip()
        except UnicodeDecodeError:
            line = raw.decode("gbk", errors="replace").strip()
        if "=" not in line:
            continue
        key, value = line.split("=", 1)
        if key in ("machine", "writer"):
            notes.append((key, value))
            continue
        if key == "rows":
            data.setdefault(int(value), {})
            continue
        size, name = key.split(".", 1)
        try:
            data.setdefault(int(size), {})[name] = float(value)
        except ValueError:
            data.setdefault(int(size), {})[name] = value
    return data, dict(notes)


def fmt(v, unit):
    if v is None:
        return "-"
    if unit == "s":
        return f"{v:.2f} s"
    if unit == "MB":
        return f"{v / 1024:.0f} MB"
    return f"{v:.2f}"


def main():
    data, notes = load(sys.argv[1])
    sizes = sorted(n for n in data if n > 0)
    empty = data.get(0, {})
    startup = empty.get("tool_load_seconds")
    small, large = sizes[0], sizes[-1]

    def get(n, key):
        v = data.get(n, {}).get(key)
        return v if isinstance(v, float) else None

    def ratio(a, b):
        return a / b if a is not None and b else None

    steps = [
        # label, value(n), baseline(n), target text, unit
        ("load: start until 共:n (less start-up)",
         lambda n: get(n, "tool_load_seconds") - (startup or 0) if get(n, "tool_load_seconds") is not None else None,
         lambda n: (get(n, "sql_transaction_seconds") or 0) + (get(n, "list_fill_seconds") or 0),
         "<= 2 x (read transaction + list fill)", "s", 2.0),
        ("Ctrl+A until 选中:n", lambda n: get(n, "tool_select_seconds"), lambda n: get(n, "list_select_seconds"),
         "<= 1.5 x one-by-one selection", "s", 1.5),
        ("export: the tool's own work", lambda n: get(n, "tool_export_own_seconds"),
         lambda n: get(n, "list_export_seconds"), "<= 3 x texts read and written", "s", 3.0),
        ("export: click to file written, dialog in",
         lambda n: (get(n, "tool_export_until_dialog_seconds") or 0) + (get(n, "tool_export_after_dialog_seconds") or 0),
         lambda n: None, "", "s", None),
        ("close until the process ended", lambda n: get(n, "tool_close_seconds"), lambda n: None,
         "<= 2 s", "s", None),
        ("peak memory (VmHWM)", lambda n: get(n, "tool_peak_kb"), lambda n: get(n, "list_peak_kb"),
         "<= 1.25 x plain list view", "MB", 1.25),
    ]
    head = f"{'step':44} " + " ".join(f"{str(n) + ' rows':>12} {'ratio':>6}" for n in sizes)
    head += f" {'growth':>7}  target (ratio at {large} rows; growth <= 12)"
    print(notes.get("machine", ""))
    print(f"start-up on an empty table: {fmt(startup, 's')}")
    print(head)
    print("-" * len(head))
    verdicts = []
    for label, value, base, target, unit, limit in steps:
        cells, values = [], {}
        for n in sizes:
            v = value(n)
            values[n] = v
            r = ratio(v, base(n))
            cells.append(f"{fmt(v, unit):>12} {fmt(r, ''):>6}")
        growth = ratio(values[large], values[small]) if len(sizes) > 1 else None
        held = ""
        r_large = ratio(values[large], base(large))
        if limit is not None and r_large is not None:
            held = "holds" if r_large <= limit else "MISSED"
        if label.startswith("close") and values[large] is not None:
            held = "holds" if 0 <= values[large] <= 2.0 else "MISSED"
        if growth is not None and growth > 12 and unit == "s":
            held += " (growth MISSED)"
        print(f"{label:44} " + " ".join(cells) + f" {fmt(growth, ''):>7}  {target} {held}")
    print()
    print("baselines (same run)")
    for key, label, unit in [
        ("sql_autocommit_seconds", "four one-field queries a record, autocommit", "s"),
        ("sql_transaction_seconds", "the same in one read transaction", "s"),
        ("list_fill_seconds", "plain report list view filled, drawing held", "s"),
        ("list_select_seconds", "every row selected with its own LVM_SETITEMSTATE", "s"),
        ("list_export_seconds", "selected rows' three texts read and written", "s"),
        ("list_close_seconds", "plain list view destroyed", "s"),
        ("list_peak_kb", "plain list view process peak memory (VmHWM)", "MB"),
    ]:
        cells = " ".join(f"{fmt(get(n, key), unit):>12} {'':>6}" for n in sizes)
        print(f"{label:52}"[:44] + " " + cells)
    if not any(get(n, "sql_autocommit_seconds") for n in sizes[1:]):
        print(f"(autocommit queries measured at {small} rows only; bench/run.sh --full runs every size)")
    print()
    for n in sizes:
        lines = get(n, "tool_export_lines")
        if lines is not None and int(lines) != n:
            print(f"WARNING: the export at {n} rows held {int(lines)} lines")
        if data[n].get("failed"):
            print(f"WARNING: the tool's steps at {n} rows failed")
    if notes.get("writer") == "missing":
        print("server writer: not built in this tree (tools/server_writer); its rows are skipped")
        return
    print()
    print("server writer: one-row commits, hold 5 ms, rest 20 ms, busy timeout 5 s")
    print(f"{'':44} {'worst commit wait':>18} {'commits':>8} {'busy':>5}  load, caption")

    def writer_row(label, n, name, target=None):
        w = get(n, f"{name}_worst_wait_ms")
        if w is None:
            print(f"{label:44} {'(no figures)':>18}")
            return
        load = get(n, f"{name}_tool_load_seconds")
        shown = f"{fmt(load, 's')}, {data[n].get(f'{name}_tool_total')}" if load is not None else ""
        verdict = ""
        if target is not None:
            verdict = f"  target <= {target} ms {'holds' if w <= target else 'MISSED'}"
        print(f"{label:44} {w:>15.1f} ms {get(n, f'{name}_commits') or 0:>8.0f} "
              f"{get(n, f'{name}_busy') or 0:>5.0f}  {shown}{verdict}")

    writer_row("alone", small, "alone")
    for n in sizes:
        writer_row(f"beside a load of {n} rows", n, "writer", 100 if n == large and n >= 100000 else None)
    hostile = get(small, "hostile_tool_load_seconds")
    quiet = get(small, "tool_load_seconds")
    if hostile is not None:
        waited = hostile - quiet if quiet is not None else None
        budget = 2.0
        verdict = "holds" if waited is not None and waited <= budget + 0.5 else "MISSED"
        print()
        print(f"hostile server (holds its lock 1.9 s of every 2 s) beside a load of {small} rows: "
              f"load ended after {fmt(hostile, 's')} with {data[small].get('hostile_tool_total') or 'no caption'} and the box "
              f"\"{data[small].get('hostile_tool_box')}\"")
        print(f"  time beyond the quiet load ({fmt(quiet, 's')}): {fmt(waited, 's')}; "
              f"target: the lock-wait budget of {budget:.0f} s (+ 0.5 s for the start-up's spread) {verdict}")


if __name__ == "__main__":
    main()
