// What the tool shows and writes, for the tests and tools: the constants of
// tools/model/tool_model.py (the one source, made into tool_model_data.inc
// when the build is configured) and the plain rules that turn a stored
// record into a list row and rows into export lines. Written without the
// application's code, so that the tests compare the tool against it.
//
// Texts are GBK, as in the tool (the sources' literals are compiled to GBK).
#pragma once

#include <initializer_list>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace model {

// How a field's stored text is shown.
enum class FieldKind {
  kText,  // as stored
  kIpv4,  // a decimal 32-bit integer; its lowest byte is the first number
};

struct Field {
  const char* column;  // of the server's table
  const char* title;   // list column and drop-down item
  int width;           // list column, pixels at 96 DPI
  FieldKind kind;
};

#include "tool_model_data.inc"

inline constexpr int kFieldCount = static_cast<int>(std::size(kFields));
inline constexpr int kDemoCount = static_cast<int>(std::size(kDemoValues));

// The drop-downs' items: every field's title, then "无".
std::vector<std::string> FieldItems();
std::vector<std::string> ColumnTitles();

// "共:n" and "选中:n".
std::string TotalCaption(size_t rows);
std::string SelectedCaption(size_t rows);

// One record of the server's table: a text per field in field order.
// nullopt, and every field after the values given, stores NULL.
struct Record {
  std::vector<std::optional<std::string>> values;
  Record() : values(kFieldCount) {}
  Record(std::initializer_list<std::optional<std::string>> given);
  // The stored text of a field, "" for NULL.
  std::string Text(int field) const;
};

// A row of the list: a text per field, left to right. A row written with
// fewer texts shows the fields after them empty, as a record that stores
// NULL there does.
struct Row : std::vector<std::string> {
  Row() : std::vector<std::string>(kFieldCount) {}
  Row(std::initializer_list<std::string> texts);
  explicit Row(std::vector<std::string> texts);
};

// a.b.c.d as the server stores it: a in the lowest byte.
std::string StoredIp(unsigned a, unsigned b, unsigned c, unsigned d);
// The dotted text of a stored address: the decimal integer's low 32 bits,
// lowest byte first ("16885952" gives 192.168.1.1); NULL gives 0.0.0.0.
std::string DottedIp(const std::optional<std::string>& stored);

// The row that the list shows for a record whose address is a decimal
// integer or NULL.
Row Shown(const Record& record);
std::vector<Row> Shown(const std::vector<Record>& records);

// The three drop-downs' selections, left to right: a field position,
// kNoField, or -1 for none (typed text).
struct FieldOrder {
  int first, second, third;
};
inline constexpr FieldOrder kDefaultFieldOrder{kDefaultOrder[0], kDefaultOrder[1], kDefaultOrder[2]};

// The export line of a row: the non-empty chosen fields joined by the
// separator, then the line end. A choice that is no field gives nothing.
std::string ExportLine(const Row& row, FieldOrder order = kDefaultFieldOrder);
std::string ExportLine(const std::string& field1, const std::string& field2, const std::string& field3);
// The export file of the selected rows, in list order.
std::string ExportFile(const std::vector<Row>& rows, FieldOrder order = kDefaultFieldOrder);

// The demo server's records (tools/make_demo_db.py writes the same), the
// rows the list shows of them, and their export in the default order.
std::vector<Record> DemoRecords();
std::vector<Row> DemoRows();
std::string DemoExport();

}  // namespace model
