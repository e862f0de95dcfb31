// GBK <-> UTF-8 through UTF-16: the text boundary converts between GBK and
// UTF-16 (whatever the system's code page, so neither the C runtime's
// locale nor the system has a say), and this file between UTF-16 and
// UTF-8. Plus CompareNoCase.
//
// The UTF-8 side is coded by hand: each 16-bit unit is handled on its own.
// GBK has no characters outside the Basic Multilingual Plane, so surrogates
// never arise from it, and a UTF-8 text that would need them is refused
// (names) or shows '?' for the character (field values).
#include "db/gbk_utf8.h"

#include <climits>
#include <cstdint>
#include <cstring>

#include "runtime/gbk_boundary_conversion.h"
#include "runtime/gbk_lead_byte.h"

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

// Texts of ASCII bytes other than NUL are the same in GBK and UTF-8, and
// most of what the tables hold (MACs, addresses, statements) is.
bool IsPlainAscii(const char* text, int n) {
  for (int i = 0; i < n; i++) {
    auto c = static_cast<unsigned char>(text[i]);
    if (c == 0 || c >= 0x80) return false;
  }
  return true;
}

OwnedText CopyOf(const char* text, int n) {
  OwnedText out(static_cast<char*>(malloc(n + 1)));
  if (!out) return nullptr;
  memcpy(out.get(), text, n);
  out[n] = 0;
  return out;
}

}  // namespace

OwnedText ToUtf8(const char* text, int length) {
  int n = EffectiveLength(text, length);
  if (n < 0) return nullptr;
  // A counted text ends at a NUL inside it, as every text does.
  n = static_cast<int>(strnlen(text, static_cast<size_t>(n)));
  if (n == 0) return EmptyText();
  if (IsPlainAscii(text, n)) return CopyOf(text, n);

  // One GBK byte never makes more than one unit.
  WideBuffer wide(static_cast<wchar_t*>(malloc((n + 1) * sizeof(wchar_t))));
  if (!wide) return nullptr;
  int units = GbkToWideExact(text, n, wide.get(), n);
  if (units <= 0) return nullptr;  // not valid GBK
  wide[units] = 0;

  OwnedText out(static_cast<char*>(malloc(3 * units + 3)));
  if (!out) return nullptr;
  auto* p = reinterpret_cast<unsigned char*>(out.get());
  for (int i = 0; i < units && wide[i] != 0; i++) {
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

namespace {

enum class Utf8Step { kUnit, kMalformed, kBeyondBmp };

// Decodes the sequence at s[i] (i < n): a 1-, 2- or 3-byte sequence gives
// its 16-bit unit; a well-formed 4-byte sequence is a character beyond the
// 16-bit range. *used is the sequence's length, or 1 when malformed (a bad
// lead or continuation byte, or a sequence cut off by the end).
Utf8Step DecodeUtf8(const unsigned char* s, int n, int i, uint32_t* unit, int* used) {
  auto isTrail = [&](int k) { return k < n && s[k] >= 0x80 && s[k] <= 0xBF; };
  unsigned char b = s[i];
  *used = 1;
  if (b < 0x80) {
    *unit = b;
    return Utf8Step::kUnit;
  }
  if ((b & 0xE0) == 0xC0) {
    if (!isTrail(i + 1)) return Utf8Step::kMalformed;
    *unit = (b & 0x1Fu) << 6 | (s[i + 1] & 0x3Fu);
    *used = 2;
    return Utf8Step::kUnit;
  }
  if ((b & 0xF0) == 0xE0) {
    if (!isTrail(i + 1) || !isTrail(i + 2)) return Utf8Step::kMalformed;
    *unit = (b & 0x0Fu) << 12 | (s[i + 1] & 0x3Fu) << 6 | (s[i + 2] & 0x3Fu);
    *used = 3;
    return Utf8Step::kUnit;
  }
  if (b >= 0xF0 && b <= 0xF4 && isTrail(i + 1) && isTrail(i + 2) && isTrail(i + 3)) {
    *used = 4;
    return Utf8Step::kBeyondBmp;
  }
  return Utf8Step::kMalformed;  // stray continuation byte, 5- or 6-byte lead, 0xF8-0xFF
}

// FromUtf8 and FromUtf8Lossy: strict fails at the first sequence that is
// not a 16-bit unit or the first character GBK lacks; lossy puts '?' in
// their place (and in place of a NUL, which cannot live in a text).
OwnedText ConvertFromUtf8(const char* text, int length, bool lossy) {
  int n = EffectiveLength(text, length);
  if (n < 0) return nullptr;
  if (n == 0) return EmptyText();

  // At most one unit per input byte, and at most one output byte per input
  // byte: a GBK character (at most 2 bytes) came from a 2- or 3-byte
  // sequence, and a '?' stands for one byte or one 4-byte character.
  if (IsPlainAscii(text, n)) return CopyOf(text, n);
  WideBuffer wide(static_cast<wchar_t*>(malloc((n + 1) * sizeof(wchar_t))));
  OwnedText out(static_cast<char*>(malloc(n + 1)));
  if (!wide || !out) return nullptr;

  auto s = reinterpret_cast<const unsigned char*>(text);
  int units = 0;
  for (int i = 0, used; i < n; i += used) {
    uint32_t u = 0;
    if (DecodeUtf8(s, n, i, &u, &used) != Utf8Step::kUnit) {
      if (!lossy) return nullptr;
      u = 0;
    }
    wide[units++] = static_cast<wchar_t>(lossy && u == 0 ? L'?' : u);
  }
  wide[units] = 0;

  // Like the text it came from, the result ends at its first NUL.
  units = static_cast<int>(wcsnlen(wide.get(), units));
  auto toGbk = lossy ? WideToGbkLossy : WideToGbkExact;
  int bytes = toGbk(wide.get(), units, out.get(), n);
  if (bytes < 0) return nullptr;  // strict: not in GBK
  out[bytes] = 0;
  return out;
}

}  // namespace

OwnedText FromUtf8(const char* text, int length) { return ConvertFromUtf8(text, length, false); }

OwnedText FromUtf8Lossy(const char* text, int length) { return ConvertFromUtf8(text, length, true); }

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
    if (IsLeadByte(static_cast<char>(c))) {
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
