#include "tests/app_hostile_run.h"

namespace hostile {

namespace {

std::string Shortened(const std::string& text) {
  constexpr size_t kShown = 60;
  if (text.size() <= kShown) return text;
  return text.substr(0, kShown) + "...(" + std::to_string(text.size()) + " bytes)";
}

}  // namespace

void PrintTo(const Seen& seen, std::ostream* out) {
  *out << "{messages:";
  for (const auto& m : seen.messages) *out << " [" << m << "]";
  *out << "; rows:";
  for (const auto& row : seen.rows) {
    *out << " [";
    for (size_t i = 0; i < row.size(); i++) *out << (i ? " | " : "") << Shortened(row[i]);
    *out << "]";
  }
  *out << "; total: [" << seen.total << "]}";
}

Seen Refused() { return Seen{{model::kOpenFailed}, {}, ""}; }

Seen Listed(const std::vector<e2e::Row>& rows) { return Seen{{}, rows, model::TotalCaption(rows.size())}; }

bool RunOnce(Seen* seen, std::string* edit) {
  e2e::Tool tool;
  *seen = Seen{};
  if (!tool.StartAnswering(&seen->messages)) return false;
  seen->rows = tool.Rows();
  seen->total = tool.TotalCaption();
  if (edit) *edit = e2e::ControlText(tool.Control(e2e::kPathEditId));
  DWORD code = 1;
  return tool.PressEscapeAndWait(&code) && code == 0;
}

}  // namespace hostile
