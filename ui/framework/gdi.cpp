// GDI helpers; see gdi.h.
#include "ui/framework/gdi.h"

#include <cstring>

#include "runtime/gbk_boundary.h"
#include "ui/framework/display_scale.h"
#include "ui/template/window_blob.h"

COLORREF ResolveColor(uint32_t color) {
  return color == kColorButtonFace ? GetSysColor(COLOR_BTNFACE) : static_cast<COLORREF>(color);
}

void OwnedFont::Set(const std::vector<uint8_t>& logfont, int dpi) {
  Reset();
  dpi_ = dpi;
  if (logfont.size() != sizeof(LOGFONTA)) return;
  LOGFONTA lf;
  memcpy(&lf, logfont.data(), sizeof lf);
  lf = LogFontAtDpi(lf, dpi);
  font_ = CreateFontGbk(lf);
}

void OwnedFont::ApplyTo(HWND control, const std::vector<uint8_t>& logfont, int dpi, bool redraw) {
  Set(logfont, dpi);
  SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(Get()), redraw ? TRUE : FALSE);
}

void OwnedFont::Reset() {
  if (font_) DeleteObject(font_);
  font_ = nullptr;
}

HFONT OwnedFont::Get() const {
  return font_ ? font_ : GuiFontAtDpi(dpi_);
}

void OwnedBrush::Set(uint32_t color) {
  Reset();
  brush_ = CreateSolidBrush(ResolveColor(color));
}

void OwnedBrush::Reset() {
  if (brush_) DeleteObject(brush_);
  brush_ = nullptr;
}

int FontTextHeight(HWND hwnd, HFONT font) {
  HDC dc = GetDC(hwnd);
  if (!dc) return 0;
  HGDIOBJ old = SelectObject(dc, font);
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  SelectObject(dc, old);
  ReleaseDC(hwnd, dc);
  return tm.tmHeight;
}
