// Painting a label: gradient frame, background, caption with its effect.
#pragma once

#include <windows.h>

#include "ui/template/label_blob.h"

// Frame widths and text-effect offsets are design pixels, drawn at dpi.
void PaintLabel(HDC dc, const RECT& client, const LabelProps& props, HFONT font, const char* caption,
                int dpi = 96);

// The colours of a gradient: the given ones that are not the button-face
// marker. Fewer than two means no gradient.
int GradientColors(const uint32_t (&colors)[3], COLORREF (&out)[3]);
// The colour at position t (0 ... span) across the colours, evenly spaced.
COLORREF GradientAt(const COLORREF* colors, int count, int t, int span);
