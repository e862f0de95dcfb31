// Value-to-text formats. A date-time is split by hand (no OLE needed): the
// whole days count from 1899-12-30, the fraction is the time of day, and a
// negative value keeps its fraction as a positive time on its own day
// (-1.25 is 1899-12-29 06:00), as the platform's date-times do.
#include "commands/number_text.h"

#include <cmath>
#include <cstdio>

namespace {

constexpr double kFirstDay = -657434;  // 100-01-01
constexpr double kLastDay = 2958465;   // 9999-12-31
constexpr int64_t kDaysFrom1970 = -25569;  // 1899-12-30 relative to 1970-01-01

double ClampDay(double day) {
  if (std::isnan(day)) return 0;
  if (day < kFirstDay) return kFirstDay;
  if (day > kLastDay) return kLastDay;
  return day;
}

// Proleptic Gregorian date of a day count relative to 1970-01-01.
void CivilFromDays(int64_t z, int* y, int* m, int* d) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  *d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  *m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  *y = static_cast<int>(yoe + era * 400 + (*m <= 2));
}

}  // namespace

CivilTime SplitDateTime(double days) {
  double whole = std::isfinite(days) ? std::trunc(days) : days;
  double fraction = std::isfinite(days) ? std::fabs(days - whole) : 0;
  int64_t day = static_cast<int64_t>(ClampDay(whole));
  // Whole seconds, rounded; a time that rounds up to midnight belongs to the
  // next calendar day.
  int64_t seconds = std::llround(fraction * 86400.0);
  if (seconds >= 86400) {
    seconds = 0;
    day = static_cast<int64_t>(ClampDay(static_cast<double>(day + 1)));
  }
  CivilTime t{};
  CivilFromDays(day + kDaysFrom1970, &t.year, &t.month, &t.day);
  t.hour = static_cast<int>(seconds / 3600);
  t.minute = static_cast<int>(seconds / 60 % 60);
  t.second = static_cast<int>(seconds % 60);
  return t;
}

bool NumberText(const ArgValue& value, char* out, size_t size) {
  if (size == 0) return false;
  out[0] = 0;
  switch (value.type) {
    case kTypeByte: snprintf(out, size, "%u", static_cast<unsigned>(value.v.u8)); return true;
    case kTypeShort: snprintf(out, size, "%d", static_cast<int>(value.v.i16)); return true;
    case kTypeInt: snprintf(out, size, "%d", value.v.i32); return true;
    case kTypeLong: snprintf(out, size, "%lld", static_cast<long long>(value.v.i64)); return true;
    case kTypeFloat: snprintf(out, size, "%.6g", static_cast<double>(value.v.f32)); return true;
    case kTypeDouble: snprintf(out, size, "%.13g", value.v.f64); return true;
    case kTypeBool: snprintf(out, size, "%s", value.v.i32 ? "真" : "假"); return true;
    case kTypeDateTime: {
      CivilTime t = SplitDateTime(value.v.f64);
      int n = snprintf(out, size, "%d年%d月%d日", t.year, t.month, t.day);
      if (n < 0 || static_cast<size_t>(n) >= size) return true;
      if (t.second != 0)
        snprintf(out + n, size - n, "%d时%d分%d秒", t.hour, t.minute, t.second);
      else if (t.minute != 0)
        snprintf(out + n, size - n, "%d时%d分", t.hour, t.minute);
      else if (t.hour != 0)
        snprintf(out + n, size - n, "%d时", t.hour);
      return true;
    }
    default:
      return false;
  }
}
