// The export file's contents.
#pragma once

#include <string>

#include "runtime/value.h"

// One line per listed row of rows (0-based list rows, in array order), the
// fields in the order the three field lists choose.
std::string ExportText(const RtArray* rows);
