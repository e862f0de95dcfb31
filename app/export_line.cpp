#include "app/export_line.h"

void AppendExportLine(std::string& out, const std::string& f1, const std::string& f2, const std::string& f3) {
  // The rules apply in this order; a later one may undo an earlier one.
  std::string first = " ", second = " ";
  if (f1.empty()) first.clear();
  if (f1.empty() && f2.empty()) second.clear();
  if (f3.empty()) second.clear();
  if (f3.empty() && f2.empty()) first.clear();
  if (f2.empty() && !f1.empty() && !f3.empty()) {
    first = " ";
    second.clear();
  }
  out += f1;
  out += first;
  out += f2;
  out += second;
  out += f3;
  out += "\r\n";
}
