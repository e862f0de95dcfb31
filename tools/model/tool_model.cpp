#include "tools/model/tool_model.h"

#include <cstdlib>
#include <utility>

namespace model {

std::vector<std::string> ColumnTitles() {
  std::vector<std::string> titles;
  for (const Field& field : kFields) titles.push_back(field.title);
  return titles;
}

std::vector<std::string> FieldItems() {
  std::vector<std::string> items = ColumnTitles();
  items.push_back(kNoFieldItem);
  return items;
}

std::string TotalCaption(size_t rows) { return kTotalPrefix + std::to_string(rows); }
std::string SelectedCaption(size_t rows) { return kSelectedPrefix + std::to_string(rows); }

Record::Record(std::initializer_list<std::optional<std::string>> given) : values(given) {
  if (values.size() < static_cast<size_t>(kFieldCount)) values.resize(kFieldCount);
}

std::string Record::Text(int field) const {
  const auto& value = values.at(field);
  return value ? *value : std::string();
}

Row::Row(std::initializer_list<std::string> texts) : Row(std::vector<std::string>(texts)) {}

Row::Row(std::vector<std::string> texts) : std::vector<std::string>(std::move(texts)) {
  if (size() < static_cast<size_t>(kFieldCount)) resize(kFieldCount);
}

std::string StoredIp(unsigned a, unsigned b, unsigned c, unsigned d) {
  return std::to_string(a | b << 8 | c << 16 | static_cast<unsigned long long>(d) << 24);
}

std::string DottedIp(const std::optional<std::string>& stored) {
  const unsigned long long v = stored ? static_cast<unsigned long long>(std::strtoll(stored->c_str(), nullptr, 10)) : 0;
  return std::to_string(v & 0xFF) + "." + std::to_string(v >> 8 & 0xFF) + "." + std::to_string(v >> 16 & 0xFF) +
         "." + std::to_string(v >> 24 & 0xFF);
}

Row Shown(const Record& record) {
  Row row;
  for (int k = 0; k < kFieldCount; k++)
    row[k] = kFields[k].kind == FieldKind::kIpv4 ? DottedIp(record.values[k]) : record.Text(k);
  return row;
}

std::vector<Row> Shown(const std::vector<Record>& records) {
  std::vector<Row> rows;
  for (const Record& r : records) rows.push_back(Shown(r));
  return rows;
}

namespace {

std::string FieldOf(const Row& row, int position) {
  return position >= 0 && position < static_cast<int>(row.size()) ? row[position] : std::string();
}

}  // namespace

std::string ExportLine(const std::string& field1, const std::string& field2, const std::string& field3) {
  std::string line;
  for (const std::string* field : {&field1, &field2, &field3}) {
    if (field->empty()) continue;
    if (!line.empty()) line += kFieldSeparator;
    line += *field;
  }
  return line + kLineEnd;
}

std::string ExportLine(const Row& row, FieldOrder order) {
  return ExportLine(FieldOf(row, order.first), FieldOf(row, order.second), FieldOf(row, order.third));
}

std::string ExportFile(const std::vector<Row>& rows, FieldOrder order) {
  std::string file;
  for (const Row& row : rows) file += ExportLine(row, order);
  return file;
}

std::vector<Record> DemoRecords() {
  std::vector<Record> records;
  for (const auto& values : kDemoValues) {
    Record record;
    for (int k = 0; k < kFieldCount; k++)
      if (values[k]) record.values[k] = values[k];
    records.push_back(record);
  }
  return records;
}

std::vector<Row> DemoRows() { return Shown(DemoRecords()); }

std::string DemoExport() { return ExportFile(DemoRows()); }

}  // namespace model
