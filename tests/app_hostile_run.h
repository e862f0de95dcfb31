// One start of the real tool as a user meets it: the boxes it shows while
// its window loads, the rows and the total it then shows, and how it ends.
#pragma once

#include <windows.h>

#include <ostream>
#include <string>
#include <vector>

#include "tools/driver/tool_session.h"

namespace hostile {

struct Seen {
  std::vector<std::string> messages;  // texts of the boxes, in order
  std::vector<e2e::Row> rows;
  std::string total;                  // caption of the total label
  bool operator==(const Seen&) const = default;
};
// Long texts are cut, so that a 100,000-byte name does not flood the log.
void PrintTo(const Seen& seen, std::ostream* out);

// What the database message looks like: the box, no rows, no total.
Seen Refused();
// A list that loaded: no box, the rows, "共:<count>".
Seen Listed(const std::vector<e2e::Row>& rows);

// Starts the tool (the registry value set beforehand), answers its boxes,
// reads what it shows, and ends it with Escape. edit gets the text of the
// path box; the answer is false when the tool did not start or end with 0.
bool RunOnce(Seen* seen, std::string* edit = nullptr);

}  // namespace hostile
