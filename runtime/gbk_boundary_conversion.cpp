// GBK <-> UTF-16; see gbk_boundary_conversion.h.
#include "runtime/gbk_boundary_conversion.h"

#include <windows.h>

#include <cstring>

namespace {

// The code page of every text inside the program, named at each conversion
// whatever the system's own code page is.
constexpr UINT kGbkCodePage = 936;

// Characters GBK lacks become '?' rather than a look-alike: a look-alike
// would turn a path into another one without a word.
constexpr DWORD kToGbkFlags = WC_NO_BEST_FIT_CHARS;

bool IsAscii(std::string_view text) {
  for (char c : text)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

bool IsAscii(std::wstring_view text) {
  for (wchar_t c : text)
    if (c >= 0x80) return false;
  return true;
}

}  // namespace

std::wstring WideFromGbk(std::string_view gbk) {
  // ASCII is the same in both, and most of the program's texts are.
  if (IsAscii(gbk)) return std::wstring(gbk.begin(), gbk.end());
  // One GBK byte never makes more than one UTF-16 unit.
  std::wstring wide(gbk.size(), L'\0');
  int n = MultiByteToWideChar(kGbkCodePage, 0, gbk.data(), static_cast<int>(gbk.size()), wide.data(),
                              static_cast<int>(wide.size()));
  wide.resize(n > 0 ? static_cast<size_t>(n) : 0);
  return wide;
}

std::wstring WideFromGbk(const char* gbk) { return gbk ? WideFromGbk(std::string_view(gbk)) : std::wstring(); }

int GbkToWideExact(const char* gbk, int bytes, wchar_t* out, int capacity) {
  if (bytes <= 0) return 0;
  int n = MultiByteToWideChar(kGbkCodePage, MB_ERR_INVALID_CHARS, gbk, bytes, out, capacity);
  return n > 0 ? n : -1;
}

WideArg::WideArg(const char* gbk) : text_(small_) {
  const size_t n = gbk ? strlen(gbk) : 0;
  if (n >= std::size(small_)) {
    large_ = WideFromGbk(std::string_view(gbk, n));
    text_ = large_.data();
    return;
  }
  // One GBK byte never makes more than one unit, so the units fit.
  int units = 0;
  if (IsAscii(std::string_view(gbk ? gbk : "", n))) {
    for (size_t i = 0; i < n; i++) small_[i] = static_cast<unsigned char>(gbk[i]);
    units = static_cast<int>(n);
  } else {
    units = MultiByteToWideChar(kGbkCodePage, 0, gbk, static_cast<int>(n), small_, static_cast<int>(n));
  }
  small_[units > 0 ? units : 0] = 0;
}

int WideToGbkExact(const wchar_t* wide, int units, char* out, int capacity) {
  if (units <= 0) return 0;
  // The plain conversion is Wine's fast one; asking it to report characters
  // GBK lacks takes its slow one, several times dearer per character. So
  // the bytes are converted back instead: a character GBK lacks (or only
  // resembles) does not come back as itself.
  int n = WideCharToMultiByte(kGbkCodePage, 0, wide, units, out, capacity, nullptr, nullptr);
  if (n <= 0) return -1;
  wchar_t small[256];
  std::wstring large;
  wchar_t* back = small;
  if (units > static_cast<int>(std::size(small))) {
    large.resize(static_cast<size_t>(units));
    back = large.data();
  }
  // More bytes than units (a pair of one character each) cannot come back
  // as the same units.
  int m = MultiByteToWideChar(kGbkCodePage, 0, out, n, back, units);
  return m == units && wmemcmp(back, wide, static_cast<size_t>(units)) == 0 ? n : -1;
}

namespace {

// The slow conversion that puts '?' for what GBK lacks.
int WideToGbkMarked(const wchar_t* wide, int units, char* out, int capacity) {
  int n = WideCharToMultiByte(kGbkCodePage, kToGbkFlags, wide, units, out, capacity, nullptr, nullptr);
  return n > 0 ? n : -1;
}

}  // namespace

int WideToGbkLossy(const wchar_t* wide, int units, char* out, int capacity) {
  if (units <= 0) return 0;
  // Most texts have a GBK form: the fast exact path first.
  int n = WideToGbkExact(wide, units, out, capacity);
  return n >= 0 ? n : WideToGbkMarked(wide, units, out, capacity);
}

bool GbkFromWideExact(std::wstring_view wide, std::string* gbk) {
  gbk->clear();
  if (IsAscii(wide)) {
    gbk->assign(wide.begin(), wide.end());
    return true;
  }
  // At most two GBK bytes for each UTF-16 unit.
  gbk->resize(wide.size() * 2);
  const int units = static_cast<int>(wide.size()), capacity = static_cast<int>(gbk->size());
  int n = WideToGbkExact(wide.data(), units, gbk->data(), capacity);
  const bool exact = n >= 0;
  if (!exact) n = WideToGbkMarked(wide.data(), units, gbk->data(), capacity);
  gbk->resize(n > 0 ? static_cast<size_t>(n) : 0);
  return exact;
}

std::string GbkFromWide(std::wstring_view wide) {
  std::string gbk;
  GbkFromWideExact(wide, &gbk);
  return gbk;
}

std::string GbkFromWide(const wchar_t* wide) { return wide ? GbkFromWide(std::wstring_view(wide)) : std::string(); }

void CopyGbkAsWide(std::string_view gbk, wchar_t* out, size_t capacity) {
  if (capacity == 0) return;
  std::wstring wide = WideFromGbk(gbk);
  // GBK has no character beyond the basic plane: every unit is a whole one.
  size_t n = wide.size() < capacity - 1 ? wide.size() : capacity - 1;
  memcpy(out, wide.data(), n * sizeof(wchar_t));
  out[n] = 0;
}
