// GBK <-> UTF-8 through the C runtime's multibyte conversions in the user's
// default locale (code page 936 on the target systems), plus CompareNoCase.
//
// The UTF-8 side is coded by hand because the C runtime of the target knows
// no UTF-8 locale. Each 16-bit unit is handled on its own: the code page has
// no characters outside the Basic Multilingual Plane, so surrogates never
// arise from GBK, and a UTF-8 text that would need them is refused.
#include "db/gbk_utf8.h"

#include <climits>
#include <clocale>
#include <cstdint>
#include <cstring>

namespace {

using WideBuffer = std::unique_ptr<wchar_t[], FreeDeleter>;

// Largest input for which the 3-bytes-per-unit output size cannot overflow.
constexpr int kMaxLength = (INT_MAX - 3) / 3;

OwnedText EmptyText() {
  OwnedText out(static_cast<char*>(malloc(1)));
  if (out) out[0] = 0;
  return out;
}

// Resolves the length rules shared by both directions: -1 = up to the NUL,
// a null text is empty. Returns -1 for an input too long to convert.
int EffectiveLength(const char* text, int length) {
  if (!text || length == 0) return 0;
  size_t n = length < 0 ? strlen(text) : static_cast<size_t>(length);
  return n > static_cast<size_t>(kMaxLength) ? -1 : static_cast<int>(n);
}

// The locale is set on every call, as the code page may only be known once
// the process runs; "" is the user's default.
void UseUserLocale() { setlocale(LC_ALL, ""); }

}  // namespace

OwnedText ToUtf8(const char* text, int length) {
  int n = EffectiveLength(text, length);
  if (n < 0) return nullptr;
  if (n == 0) return EmptyText();

  // mbstowcs reads up to a NUL, so a counted text gets a terminated copy.
  OwnedText source(static_cast<char*>(malloc(n + 1)));
  WideBuffer wide(static_cast<wchar_t*>(malloc((n + 1) * sizeof(wchar_t))));
  if (!source || !wide) return nullptr;
  memcpy(source.get(), text, n);
  source[n] = 0;

  UseUserLocale();
  size_t units = mbstowcs(wide.get(), source.get(), n + 1);
  if (units == static_cast<size_t>(-1)) return nullptr;  // invalid in the code page
  wide[units] = 0;  // units <= n: every character takes at least one byte

  OwnedText out(static_cast<char*>(malloc(3 * units + 3)));
  if (!out) return nullptr;
  auto* p = reinterpret_cast<unsigned char*>(out.get());
  for (size_t i = 0; i < units && wide[i] != 0; i++) {
    uint32_t u = static_cast<uint16_t>(wide[i]);
    if (u < 0x80) {
      *p++ = static_cast<unsigned char>(u);
    } else if (u < 0x800) {
      *p++ = static_cast<unsigned char>(0xC0 | (u >> 6));
      *p++ = static_cast<unsigned char>(0x80 | (u & 0x3F));
    } else {
      *p++ = static_cast<unsigned char>(0xE0 | (u >> 12));
      *p++ = static_cast<unsigned char>(0x80 | ((u >> 6) & 0x3F));
      *p++ = static_cast<unsigned char>(0x80 | (u & 0x3F));
    }
  }
  *p = 0;
  return out;
}

OwnedText FromUtf8(const char* text, int length) {
  int n = EffectiveLength(text, length);
  if (n < 0) return nullptr;
  if (n == 0) return EmptyText();

  // At most one unit per input byte, and at most two GBK bytes for the two
  // or three UTF-8 bytes a non-ASCII unit took: both buffers fit n + 1.
  WideBuffer wide(static_cast<wchar_t*>(malloc((n + 1) * sizeof(wchar_t))));
  OwnedText out(static_cast<char*>(malloc(n + 1)));
  if (!wide || !out) return nullptr;

  auto s = reinterpret_cast<const unsigned char*>(text);
  auto isTrail = [](unsigned char c) { return c >= 0x80 && c <= 0xBF; };
  int units = 0;
  for (int i = 0; i < n;) {
    unsigned char b = s[i];
    uint32_t u;
    if (b < 0x80) {
      u = b;
      i += 1;
    } else if ((b & 0xE0) == 0xC0) {
      if (i + 1 >= n || !isTrail(s[i + 1])) return nullptr;
      u = (b & 0x1Fu) << 6 | (s[i + 1] & 0x3Fu);
      i += 2;
    } else if ((b & 0xF0) == 0xE0) {
      if (i + 2 >= n || !isTrail(s[i + 1]) || !isTrail(s[i + 2])) return nullptr;
      u = (b & 0x0Fu) << 12 | (s[i + 1] & 0x3Fu) << 6 | (s[i + 2] & 0x3Fu);
      i += 3;
    } else {
      return nullptr;  // stray continuation byte or a 4-byte (or longer) lead
    }
    wide[units++] = static_cast<wchar_t>(u);
  }
  wide[units] = 0;

  UseUserLocale();
  size_t bytes = wcstombs(out.get(), wide.get(), n + 1);
  if (bytes == static_cast<size_t>(-1)) return nullptr;  // not in the code page
  out[bytes] = 0;
  return out;
}

namespace {

// Walks a text as CompareNoCase sees it: ASCII small letters capitalised,
// both bytes of a double-byte character passed through. A lead byte at the
// very end keeps the terminating NUL as the end.
class FoldedBytes {
 public:
  explicit FoldedBytes(const char* t)
      : p_(reinterpret_cast<const unsigned char*>(t ? t : "")) {}

  unsigned char Next() {
    unsigned char c = *p_;
    if (c == 0) return 0;
    p_++;
    if (inTrail_) {
      inTrail_ = false;
      return c;
    }
    if (c >= 0x80) {
      inTrail_ = true;
      return c;
    }
    return (c >= 'a' && c <= 'z') ? static_cast<unsigned char>(c - 0x20) : c;
  }

 private:
  const unsigned char* p_;
  bool inTrail_ = false;
};

}  // namespace

int CompareNoCase(const char* a, const char* b) {
  if (a == b) return 0;
  FoldedBytes x(a), y(b);
  for (;;) {
    unsigned char cx = x.Next(), cy = y.Next();
    if (cx != cy) return cx < cy ? -1 : 1;
    if (cx == 0) return 0;
  }
}
