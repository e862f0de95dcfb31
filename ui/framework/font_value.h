// Font property values. A unit holds its font as empty (the stock
// DEFAULT_GUI_FONT) or one 60-byte LOGFONTA. The program sees either one
// field (element 0 angle in tenths of a degree, 1 bold, 2 italic,
// 3 strike-out, 4 underline, 5 size in points, 6 face name) or, with
// element -1, the whole font as a FontRecord block.
#pragma once

#include <windows.h>

#include <cstdint>

struct FontRecord {
  int32_t angle;
  int32_t bold;
  int32_t italic;
  int32_t strikeOut;
  int32_t underline;
  int32_t size;  // points
  char* face;    // RtText
};
#ifdef RT_TARGET_X86
static_assert(sizeof(FontRecord) == 28);
#endif

static_assert(sizeof(LOGFONTA) == 60);

// A font value's heights are design pixels (pixels at 96 DPI), whatever
// the display scale; each unit makes its font for its window's DPI.
//
// The LOGFONT a unit's font value stands for: the value itself when it is
// exactly 60 bytes, else the stock DEFAULT_GUI_FONT's in design pixels.
LOGFONTA FontOrDefault(const uint8_t* data, int32_t length);

// Element -1: a new FontRecord block (its face a new RtText); 0-6: that
// field; other elements read 0.
uint64_t ReadFontValue(const LOGFONTA& font, int element);

// Applies a written value to font. Element -1 replaces the whole font from
// a FontRecord (null: no font, answered as false); 0-6 change one field.
// Answers true when the unit should hold font, false for "no font".
bool WriteFontValue(LOGFONTA& font, int element, uint64_t value);

// Points <-> LOGFONT height in design pixels (72 points to 96 pixels).
int32_t PointsToHeight(int32_t points);
int32_t HeightToPoints(int32_t height);
