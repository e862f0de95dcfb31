// Font values between LOGFONT and the program's fields; see font_value.h.
#include "ui/framework/font_value.h"

#include <cstring>

#include "runtime/gbk_boundary.h"
#include "runtime/heap.h"
#include "ui/framework/display_scale.h"
#include "ui/framework/properties.h"

namespace {

void SetAngle(LOGFONTA& f, int32_t angle) {
  angle %= 3600;
  if (angle < 0) angle += 3600;
  f.lfEscapement = f.lfOrientation = angle;
}

void SetFace(LOGFONTA& f, const char* face) {
  size_t n = face ? strlen(face) : 0;
  if (n < 1 || n > 31) face = "宋体", n = strlen(face);
  memset(f.lfFaceName, 0, sizeof f.lfFaceName);
  memcpy(f.lfFaceName, face, n);
}

}  // namespace

int32_t PointsToHeight(int32_t points) { return -MulDiv(points, kDesignDpi, 72); }
int32_t HeightToPoints(int32_t height) {
  return MulDiv(height < 0 ? -height : height, 72, kDesignDpi);
}

LOGFONTA FontOrDefault(const uint8_t* data, int32_t length) {
  LOGFONTA f{};
  if (data && length == static_cast<int32_t>(sizeof f)) {
    memcpy(&f, data, sizeof f);
    return f;
  }
  // The stock font is made for the system DPI; the program sees its design size.
  f = LogFontOf(GetStockObject(DEFAULT_GUI_FONT));
  f.lfHeight = MulDiv(f.lfHeight, kDesignDpi, SystemDpi());
  f.lfWidth = MulDiv(f.lfWidth, kDesignDpi, SystemDpi());
  return f;
}

uint64_t ReadFontValue(const LOGFONTA& f, int element) {
  switch (element) {
    case -1: {
      auto* r = static_cast<FontRecord*>(RtAlloc(sizeof(FontRecord)));
      r->angle = f.lfEscapement;
      r->bold = f.lfWeight >= FW_BOLD ? 1 : 0;
      r->italic = f.lfItalic ? 1 : 0;
      r->strikeOut = f.lfStrikeOut ? 1 : 0;
      r->underline = f.lfUnderline ? 1 : 0;
      r->size = HeightToPoints(f.lfHeight);
      r->face = RtCopyText(f.lfFaceName, static_cast<int32_t>(strnlen(f.lfFaceName, LF_FACESIZE)));
      return ValueOf(r);
    }
    case 0: return static_cast<uint32_t>(f.lfEscapement);
    case 1: return f.lfWeight >= FW_BOLD ? 1 : 0;
    case 2: return f.lfItalic ? 1 : 0;
    case 3: return f.lfStrikeOut ? 1 : 0;
    case 4: return f.lfUnderline ? 1 : 0;
    case 5: return static_cast<uint32_t>(HeightToPoints(f.lfHeight));
    case 6: return ValueOf(RtCopyText(f.lfFaceName, static_cast<int32_t>(strnlen(f.lfFaceName, LF_FACESIZE))));
    default: return 0;
  }
}

bool WriteFontValue(LOGFONTA& f, int element, uint64_t value) {
  const int32_t v = static_cast<int32_t>(value);
  switch (element) {
    case -1: {
      const auto* r = static_cast<const FontRecord*>(PointerOf(value));
      if (!r) return false;
      f = LOGFONTA{};
      f.lfCharSet = DEFAULT_CHARSET;
      SetAngle(f, r->angle);
      f.lfWeight = r->bold ? FW_BOLD : 0;
      f.lfItalic = r->italic ? 1 : 0;
      f.lfStrikeOut = r->strikeOut ? 1 : 0;
      f.lfUnderline = r->underline ? 1 : 0;
      f.lfHeight = PointsToHeight(r->size);
      SetFace(f, r->face);
      return true;
    }
    case 0: SetAngle(f, v); break;
    case 1: f.lfWeight = v ? FW_BOLD : 0; break;
    case 2: f.lfItalic = v ? 1 : 0; break;
    case 3: f.lfStrikeOut = v ? 1 : 0; break;
    case 4: f.lfUnderline = v ? 1 : 0; break;
    case 5: f.lfHeight = PointsToHeight(v); break;
    case 6: SetFace(f, static_cast<const char*>(PointerOf(value))); break;
    default: break;
  }
  return true;
}
