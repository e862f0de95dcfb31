// The one place where GBK, the program's text inside, and UTF-16, the text
// of Windows, meet. Every conversion between the two is here, in an exact
// form (fails, or tells, when a character has no form on the other side)
// and a lossy one (such a character becomes '?'). Nothing else in the
// program names a code page or converts: the database units convert only
// between UTF-8 and UTF-16 and come here for GBK, and every Win32 call that
// carries text goes through gbk_boundary.h.
//
// '?' is never a GBK trail byte and never valid in a Windows file name, so
// a path with a character GBK lacks is shown as far as it goes and opens
// nothing.
//
// Loads of the machine list convert every field, so ASCII (most of the
// tables' texts) is copied without a conversion call.
#pragma once

#include <string>
#include <string_view>

// GBK -> UTF-16, lossy: a byte that starts no GBK character becomes what
// the system's table makes of it. A null text is empty.
std::wstring WideFromGbk(std::string_view gbk);
std::wstring WideFromGbk(const char* gbk);
// GBK -> UTF-16, exact: the units of `bytes` bytes into `out` of `capacity`
// units, or -1 when some byte sequence is not a GBK character (a lead byte
// without its trail byte) or the units do not fit. One GBK byte never makes
// more than one unit.
int GbkToWideExact(const char* gbk, int bytes, wchar_t* out, int capacity);

// UTF-16 -> GBK, lossy: '?' for each character GBK has no form for. A null
// text is empty.
std::string GbkFromWide(std::wstring_view wide);
std::string GbkFromWide(const wchar_t* wide);
// As GbkFromWide; false when some character had no GBK form.
bool GbkFromWideExact(std::wstring_view wide, std::string* gbk);
// The GBK form of `units` units into `out` of `capacity` bytes: the bytes
// written, or -1 when some character has no GBK form or it does not fit.
int WideToGbkExact(const wchar_t* wide, int units, char* out, int capacity);
// As WideToGbkExact, with '?' for each character GBK has no form for; -1 only
// when the bytes do not fit. At most two bytes a unit.
int WideToGbkLossy(const wchar_t* wide, int units, char* out, int capacity);

// The wide form of a GBK text for one call, on the stack when short: the
// list view's setters run once per cell of a load, and a heap block each
// would be interleaved with the control's own blocks (11 MB more resident
// at 100,000 rows, measured with bench/machine_list_bench). A null text is
// empty.
class WideArg {
 public:
  explicit WideArg(const char* gbk);
  WideArg(const WideArg&) = delete;
  WideArg& operator=(const WideArg&) = delete;
  wchar_t* data() { return text_; }
  const wchar_t* c_str() const { return text_; }

 private:
  wchar_t small_[128];
  std::wstring large_;
  wchar_t* text_;
};

// The wide form of a GBK text into a fixed buffer of `capacity` units (a
// tip buffer, a face name), NUL included; cut at a whole character.
void CopyGbkAsWide(std::string_view gbk, wchar_t* out, size_t capacity);
