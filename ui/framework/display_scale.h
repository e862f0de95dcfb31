// Display scale. Templates give coordinates, sizes and fonts in design
// units: pixels at 96 DPI. A window shows at the DPI of its monitor, and
// every design value becomes MulDiv(value, dpi, 96) pixels there; the
// program's reads of positions and sizes turn pixels back into design units.
//
// The DPI functions of Windows 8.1 and 10 are looked up at run time, never
// imported, so the program still starts on Windows 7; without them the
// system DPI (the screen's LOGPIXELSY) serves, the one Windows 7 knows.
#pragma once

#include <windows.h>

inline constexpr int kDesignDpi = 96;

// Sent by the framework when a window's DPI changed, with wParam the new
// DPI and lParam the old one: Changing to every unit while all still sit
// as they were, Changed to the window and to each unit once it sits at its
// new rectangle. Each refits what only it knows (fonts, columns, minimum
// heights) and keeps its state.
inline constexpr UINT kMsgDisplayScaleChanged = 0x8A00;
inline constexpr UINT kMsgDisplayScaleChanging = 0x8A01;

// Design units <-> pixels at dpi, rounded to the nearest.
int ToPixels(int design, int dpi);
int ToDesign(int pixels, int dpi);

// The system DPI: GetDpiForSystem, else the screen's LOGPIXELSY.
int SystemDpi();
// What the system says of a window: GetDpiForWindow, else the system DPI.
int MeasuredWindowDpi(HWND hwnd);
// The DPI the window's top-level window is laid out for: the one kept for
// it at its creation and at every change, else MeasuredWindowDpi. Below
// its monitor's when the window would not fit the screen at that scale.
int WindowDpi(HWND hwnd);
// The DPI of the monitor the window's top-level window was last laid out
// on, which its frame is drawn at: the one kept, else MeasuredWindowDpi.
int MonitorDpi(HWND hwnd);
void KeepWindowDpi(HWND topLevel, int dpi, int monitorDpi);
void ForgetWindowDpi(HWND topLevel);

// A system metric at dpi: GetSystemMetricsForDpi, else the system's value
// scaled from the system DPI.
int SystemMetricAtDpi(int index, int dpi);

// A top-level window's outer size: its client area is designed and laid
// out at dpi, its frame is the system's at the monitor's frameDpi
// (AdjustWindowRectExForDpi, else AdjustWindowRectEx scaled from the
// system DPI). At 96 DPI both answer the size given.
SIZE OuterSizeToPixels(SIZE design, DWORD style, DWORD exStyle, bool menu, int dpi, int frameDpi);
SIZE OuterSizeToDesign(SIZE pixels, DWORD style, DWORD exStyle, bool menu, int dpi, int frameDpi);

// The stock DEFAULT_GUI_FONT for dpi: the stock object itself at the system
// DPI (and for dpi 0), else a font made from it with its height scaled,
// kept until exit.
HFONT GuiFontAtDpi(int dpi);
// A font that a template carries (heights in design pixels), for dpi.
LOGFONTA LogFontAtDpi(const LOGFONTA& design, int dpi);

// Per-monitor awareness of the first kind draws a window's frame at its
// monitor's scale only when the window asks during its WM_NCCREATE
// (EnableNonClientDpiScaling, Windows 10 1607 and later); elsewhere nothing.
void EnableNonClientScaling(HWND hwnd);
