// The filter conversion. Only single-byte characters are white space or a
// bar: the trail byte of a double-byte character is never taken for one.
#include "ui/commondlg/commondlg_filter.h"

#include <cstring>
#include <vector>

#include "runtime/gbk_lead_byte.h"

namespace {

bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

}  // namespace

std::string ToWin32Filter(const char* filter) {
  const char* s = filter ? filter : "";
  const size_t n = strlen(s);
  std::vector<size_t> bars;  // offsets of single-byte "|" characters
  size_t end = 0;            // just after the last character that is not blank
  for (size_t i = 0; i < n;) {
    size_t len = CharLengthAt(s, i, n);
    if (len == 2 || !IsBlank(s[i])) end = i + len;
    if (len == 1 && s[i] == '|') bars.push_back(i);
    i += len;
  }
  if (end == 0) return {};
  while (!bars.empty() && bars.back() >= end) bars.pop_back();

  std::string out(s, end);
  size_t count = bars.size();
  bool endsWithTwoBars = count >= 2 && bars[count - 1] == end - 1 && bars[count - 2] == end - 2;
  for (size_t at : bars) out[at] = '\0';
  if (!endsWithTwoBars) out.append(2, '\0');
  return out;
}
