// Label painting; see label_paint.h. The gradients are simple linear
// blends, one line (or one frame ring) at a time.
#include "ui/label/label_paint.h"

#include <cstring>

#include "runtime/gbk_boundary.h"
#include "ui/framework/display_scale.h"
#include "ui/framework/gdi.h"

namespace {

void FillSolid(HDC dc, const RECT& r, COLORREF c) {
  HBRUSH brush = CreateSolidBrush(c);
  FillRect(dc, &r, brush);
  DeleteObject(brush);
}

// Concentric one-pixel rings from the outside in, as many as the design
// width takes at dpi; answers the inner rect.
RECT PaintGradientFrame(HDC dc, RECT r, const LabelProps& p, int dpi) {
  COLORREF colors[3];
  int count = GradientColors(p.borderColors, colors);
  const int width = ToPixels(static_cast<int>(p.gradientBorderWidth), dpi);
  if (count < 2 || width <= 0) return r;
  for (int ring = 0; ring < width && r.right - r.left > 0 && r.bottom - r.top > 0; ++ring) {
    HBRUSH brush = CreateSolidBrush(GradientAt(colors, count, ring, width - 1));
    FrameRect(dc, &r, brush);
    DeleteObject(brush);
    InflateRect(&r, -1, -1);
  }
  return r;
}

// Mode 1 blends left to right; any other non-zero mode top to bottom.
bool PaintGradientBackground(HDC dc, const RECT& r, const LabelProps& p) {
  COLORREF colors[3];
  int count = GradientColors(p.gradientColors, colors);
  if (p.gradientMode == 0 || count < 2) return false;
  const bool horizontal = p.gradientMode == 1;
  const int span = horizontal ? r.right - r.left : r.bottom - r.top;
  for (int i = 0; i < span; ++i) {
    RECT line = r;
    if (horizontal) line.left = r.left + i, line.right = line.left + 1;
    else line.top = r.top + i, line.bottom = line.top + 1;
    FillSolid(dc, line, GradientAt(colors, count, i, span - 1));
  }
  return true;
}

void PaintCaption(HDC dc, RECT r, const LabelProps& p, HFONT font, const char* caption, int dpi) {
  if (!caption || !*caption) return;
  UINT format = p.hAlign == 1 ? DT_CENTER : p.hAlign == 2 ? DT_RIGHT : DT_LEFT;
  if (p.wordWrap) format |= DT_WORDBREAK;
  else format |= DT_SINGLELINE | (p.vAlign == 0 ? DT_TOP : p.vAlign == 2 ? DT_BOTTOM : DT_VCENTER);
  HGDIOBJ oldFont = SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  auto draw = [&](COLORREF c, int dx, int dy) {
    RECT at = r;
    OffsetRect(&at, ToPixels(dx, dpi), ToPixels(dy, dpi));
    SetTextColor(dc, c);
    DrawTextGbk(dc, caption, &at, format);
  };
  const COLORREF text = ResolveColor(p.textColor);
  switch (p.textEffect) {
    case 1: draw(RGB(255, 255, 255), 1, 1); draw(text, 0, 0); break;
    case 2: draw(RGB(255, 255, 255), 0, 0); draw(text, 1, 1); break;
    case 3: draw(RGB(0, 0, 0), 2, 2); draw(text, 0, 0); break;
    default: draw(text, 0, 0); break;
  }
  SelectObject(dc, oldFont);
}

}  // namespace

int GradientColors(const uint32_t (&colors)[3], COLORREF (&out)[3]) {
  int n = 0;
  for (uint32_t c : colors)
    if (c != 0xFF000000) out[n++] = static_cast<COLORREF>(c & 0xFFFFFF);
  return n;
}

COLORREF GradientAt(const COLORREF* colors, int count, int t, int span) {
  if (count < 2 || span <= 0) return colors[0];
  // Position along count - 1 equal segments, in 1/span steps.
  const int scaled = t * (count - 1);
  int segment = scaled / span;
  if (segment >= count - 1) return colors[count - 1];
  const int within = scaled - segment * span;  // 0 ... span
  auto mix = [&](int shift) {
    int a = colors[segment] >> shift & 0xFF, b = colors[segment + 1] >> shift & 0xFF;
    return a + (b - a) * within / span;
  };
  return RGB(mix(0), mix(8), mix(16));
}

void PaintLabel(HDC dc, const RECT& client, const LabelProps& p, HFONT font, const char* caption, int dpi) {
  RECT inner = client;
  if (p.border == 6) inner = PaintGradientFrame(dc, client, p, dpi);
  // Pictures are not decoded by this runtime; the colour or gradient shows.
  if (!PaintGradientBackground(dc, inner, p)) FillSolid(dc, inner, ResolveColor(p.backColor));
  PaintCaption(dc, inner, p, font, caption, dpi);
}
