#!/usr/bin/env python3
"""Writes the model of tool_model.py as C++ constants, for
tools/model/tool_model.h to include inside namespace model.

usage: write_cpp_model.py OUT.inc"""
import os
import sys

sys.dont_write_bytecode = True  # no cache files in the source tree
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import tool_model as m  # noqa: E402


def literal(text):
    escaped = text.replace("\\", "\\\\").replace('"', '\\"').replace("\r", "\\r").replace("\n", "\\n")
    return '"%s"' % escaped


def text_constant(name, text):
    return "inline constexpr const char* %s = %s;" % (name, literal(text))


def camel(key):
    return "".join(part.capitalize() for part in key.split("_"))


def lines():
    yield "// Made from tools/model/tool_model.py by write_cpp_model.py when the"
    yield "// build is configured: change the model, not this file."
    for name, value in [("kTitle", m.TITLE), ("kPathLabel", m.PATH_LABEL), ("kBrowseCaption", m.BROWSE_CAPTION),
                        ("kExportCaption", m.EXPORT_CAPTION), ("kTotalPrefix", m.TOTAL_PREFIX),
                        ("kSelectedPrefix", m.SELECTED_PREFIX), ("kSaveFileName", m.SAVE_FILE_NAME),
                        ("kInfoTitle", m.INFO_TITLE), ("kOpenFailed", m.OPEN_FAILED),
                        ("kWriteFailed", m.WRITE_FAILED), ("kListIncomplete", m.LIST_INCOMPLETE),
                        ("kTable", m.TABLE), ("kNoFieldItem", m.NO_FIELD_ITEM),
                        ("kFieldSeparator", m.FIELD_SEPARATOR), ("kLineEnd", m.LINE_END),
                        ("kCreateTableSql", m.create_table_sql()), ("kInsertSql", m.insert_sql())]:
        yield text_constant(name, value)
    yield "inline constexpr int kTemplateBytes = %d;" % m.TEMPLATE_BYTES
    yield "inline constexpr int kListViewBlobBytes = %d;" % m.LIST_VIEW_BLOB_BYTES
    yield "inline constexpr Field kFields[] = {"
    for _, column, _, title, width, kind in m.FIELDS:
        yield "    {%s, %s, %d, FieldKind::k%s}," % (literal(column), literal(title), width, camel(kind))
    yield "};"
    for position, (key, *_) in enumerate(m.FIELDS):
        yield "inline constexpr int k%sField = %d;" % (camel(key), position)
    yield "inline constexpr int kNoField = %d;" % len(m.FIELDS)
    yield "inline constexpr int kDefaultOrder[] = {%s};" % ", ".join(str(p) for p in m.DEFAULT_ORDER)
    yield "inline constexpr const char* kDemoValues[][%d] = {" % len(m.FIELDS)
    for values in m.records(m.demo_machines()):
        yield "    {%s}," % ", ".join("nullptr" if v is None else literal(str(v)) for v in values)
    yield "};"


def main():
    out = sys.argv[1]
    text = "\n".join(lines()) + "\n"
    # Unchanged contents keep the file's time, so nothing rebuilds for nothing.
    if os.path.exists(out):
        with open(out, encoding="utf-8") as f:
            if f.read() == text:
                return
    os.makedirs(os.path.dirname(os.path.abspath(out)), exist_ok=True)
    with open(out, "w", encoding="utf-8", newline="\n") as f:
        f.write(text)


if __name__ == "__main__":
    main()
