// One line of the export file.
#pragma once

#include <string>

// Appends field1 + first + field2 + second + field3 + CR LF, where the two
// separators follow the tool's rules: together they join the non-empty
// fields with single blanks (all three empty gives just CR LF).
void AppendExportLine(std::string& out, const std::string& field1, const std::string& field2,
                      const std::string& field3);
