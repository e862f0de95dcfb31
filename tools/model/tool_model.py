"""What the machine list export tool shows and writes, written once for the
tests and tools, plainly and without looking at the application's code.

The end-to-end tests, the tool sessions, the demo and the benchmark's
generators take their texts, fields, schema and demo rows from here: Python
imports this file, C++ includes the header that write_cpp_model.py makes of
it when the build is configured. One test (ToolModel.* in app_test) checks
it once against the program's field table and window template.
"""

# The window's texts, as the user reads them.
TITLE = "机器列表导出工具"
PATH_LABEL = "路径："
BROWSE_CAPTION = "..."
EXPORT_CAPTION = "导出选中项"
TOTAL_PREFIX = "共:"        # then the number of rows
SELECTED_PREFIX = "选中:"   # then the number of selected rows
SAVE_FILE_NAME = "computer.txt"
# The message boxes.
INFO_TITLE = "信息："
OPEN_FAILED = "打开数据库失败"
WRITE_FAILED = "写入文件失败"
LIST_INCOMPLETE = "读取数据库失败，列表不完整"

# The server's table and the machine's fields, in list-column order. Each
# field is a column of the table, a column of the list (title, width in
# pixels) and an item of the three field-order drop-downs. kind "text" is
# shown as stored; "ipv4" is a 32-bit integer whose least significant byte
# is the first number of the dotted form.
TABLE = "tPcBaseInfo"
FIELDS = [
    # key,   column,    SQL type,  title,    width, kind
    ("name", "MACHINE", "TEXT",    "机器名", 110,   "text"),
    ("mac",  "mac",     "TEXT",    "MAC",    118,   "text"),
    ("ip",   "ip",      "INTEGER", "IP",     128,   "ipv4"),
]
# The drop-downs' item after the fields: a column that does not exist,
# exported as an empty field.
NO_FIELD_ITEM = "无"
# The three drop-downs at start, left to right: field positions.
DEFAULT_ORDER = (0, 1, 2)

# One line of the export file per selected row: the non-empty chosen fields
# joined by the separator, then the line end; GBK, no header.
FIELD_SEPARATOR = " "
LINE_END = "\r\n"

# The serialised window template's length in bytes: any change of a text,
# a column or an item changes it.
TEMPLATE_BYTES = 2678
# The list view's block in it.
LIST_VIEW_BLOB_BYTES = 177


def create_table_sql():
    """The server's table with the machine's fields, rows by row id."""
    columns = ", ".join("%s %s" % (column, sql_type) for _, column, sql_type, _, _, _ in FIELDS)
    return "CREATE TABLE %s (id INTEGER PRIMARY KEY, %s)" % (TABLE, columns)


def insert_sql():
    """One record: a parameter per field, in field order."""
    columns = ", ".join(column for _, column, _, _, _, _ in FIELDS)
    return "INSERT INTO %s (%s) VALUES (%s)" % (TABLE, columns, ", ".join("?" * len(FIELDS)))


def records(rows):
    """Rows of values for insert_sql(): a row of fewer values than fields
    stores NULL in the fields after them."""
    for row in rows:
        yield tuple(row) + (None,) * (len(FIELDS) - len(row))


def ip_value(a, b, c, d):
    """a.b.c.d as the server stores it: a in the low byte, signed 32 bits."""
    v = a | (b << 8) | (c << 16) | (d << 24)
    return v - (1 << 32) if v >= 1 << 31 else v


DEMO_COUNT = 36


def demo_machines(count=DEMO_COUNT):
    """The demo server's records, one value per field: every fifth machine
    is named after its room, in Chinese; the others PC001, PC002 ..."""
    rooms = ["网吧A区", "网吧B区", "VIP包间", "教室"]
    for i in range(1, count + 1):
        if i % 5 == 0:
            name = "%s-%02d" % (rooms[(i // 5) % len(rooms)], i)
        else:
            name = "PC%03d" % i
        mac = "00-1A-2B-%02X-%02X-%02X" % (i // 256, i % 256, (i * 7) % 256)
        yield name, mac, ip_value(192, 168, 1 + i // 200, 10 + i % 200)
