// The value-to-text formats of numbers, logicals and date-times, shared by
// ValueToText and InfoBox.
#pragma once

#include <cstddef>

#include "runtime/value.h"

// Writes the text of a numeric, logical or date-time value into out (always
// NUL-terminated when size > 0) and answers true. Any other kind leaves the
// empty text and answers false. 100 bytes hold every format.
bool NumberText(const ArgValue& value, char* out, size_t size);

// A date-time (days since 1899-12-30, fraction = time of day) split into
// its calendar fields, the day clamped to the years 100 to 9999.
struct CivilTime {
  int year, month, day, hour, minute, second;
};
CivilTime SplitDateTime(double days);
