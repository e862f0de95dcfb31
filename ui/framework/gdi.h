// Small GDI helpers shared by the units: colours with the button-face
// marker, and owned fonts and brushes (non-copyable; each deletes its
// object once).
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

// 0xFF000000 stands for the system button-face colour at the time of use.
COLORREF ResolveColor(uint32_t color);

class OwnedFont {
 public:
  OwnedFont() = default;
  ~OwnedFont() { Reset(); }
  OwnedFont(const OwnedFont&) = delete;
  OwnedFont& operator=(const OwnedFont&) = delete;

  // From a font property value (heights in design pixels) for a window at
  // dpi: exactly one LOGFONTA makes a font; any other length means the
  // stock DEFAULT_GUI_FONT.
  void Set(const std::vector<uint8_t>& logfont, int dpi);
  // Set, then the control takes the font (WM_SETFONT).
  void ApplyTo(HWND control, const std::vector<uint8_t>& logfont, int dpi, bool redraw);
  void Reset();
  // The font to select: the unit's own, or DEFAULT_GUI_FONT, at its DPI.
  HFONT Get() const;

 private:
  HFONT font_ = nullptr;
  int dpi_ = 0;  // 0: the system DPI
};

class OwnedBrush {
 public:
  OwnedBrush() = default;
  ~OwnedBrush() { Reset(); }
  OwnedBrush(const OwnedBrush&) = delete;
  OwnedBrush& operator=(const OwnedBrush&) = delete;

  // A solid brush of the colour (resolved once, now).
  void Set(uint32_t color);
  void Reset();
  HBRUSH Get() const { return brush_; }

 private:
  HBRUSH brush_ = nullptr;
};

// The height of a line of text in the font.
int FontTextHeight(HWND hwnd, HFONT font);
