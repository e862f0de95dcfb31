// Display scale; see display_scale.h.
#include "ui/framework/display_scale.h"

#include <utility>
#include <vector>

#include "ui/framework/window_side_table.h"

namespace {

// user32's entries of Windows 8.1 and later, found once.
struct DpiEntries {
  UINT(WINAPI* dpiForWindow)(HWND) = nullptr;
  UINT(WINAPI* dpiForSystem)() = nullptr;
  int(WINAPI* metricsForDpi)(int, UINT) = nullptr;
  BOOL(WINAPI* adjustForDpi)(RECT*, DWORD, BOOL, DWORD, UINT) = nullptr;
};

template <class Fn>
void Find(HMODULE user32, const char* name, Fn& fn) {
  fn = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(user32, name)));
}

const DpiEntries& Entries() {
  static const DpiEntries entries = [] {
    DpiEntries e;
    if (HMODULE user32 = GetModuleHandleW(L"user32.dll")) {
      Find(user32, "GetDpiForWindow", e.dpiForWindow);
      Find(user32, "GetDpiForSystem", e.dpiForSystem);
      Find(user32, "GetSystemMetricsForDpi", e.metricsForDpi);
      Find(user32, "AdjustWindowRectExForDpi", e.adjustForDpi);
    }
    return e;
  }();
  return entries;
}

// Of each top-level window: the DPI it is laid out for and its monitor's.
struct KeptDpi {
  int dpi;
  int monitorDpi;
};
constinit WindowSideTable<KeptDpi> g_keptDpis;

const KeptDpi* KeptFor(HWND hwnd) { return hwnd ? g_keptDpis.Find(GetAncestor(hwnd, GA_ROOT)) : nullptr; }

int ValidDpi(int dpi) { return dpi > 0 ? dpi : kDesignDpi; }

// The frame around a client area at dpi, as the insets of a RECT.
RECT FrameAtDpi(DWORD style, DWORD exStyle, bool menu, int dpi) {
  RECT r{0, 0, 0, 0};
  if (Entries().adjustForDpi && Entries().adjustForDpi(&r, style, menu, exStyle, static_cast<UINT>(dpi)))
    return r;
  r = {0, 0, 0, 0};
  AdjustWindowRectEx(&r, style, menu, exStyle);
  const int system = SystemDpi();
  if (dpi != system)
    r = {-MulDiv(-r.left, dpi, system), -MulDiv(-r.top, dpi, system), MulDiv(r.right, dpi, system),
         MulDiv(r.bottom, dpi, system)};
  return r;
}

SIZE FrameSize(DWORD style, DWORD exStyle, bool menu, int dpi) {
  RECT f = FrameAtDpi(style, exStyle, menu, dpi);
  return {f.right - f.left, f.bottom - f.top};
}

}  // namespace

int ToPixels(int design, int dpi) { return MulDiv(design, ValidDpi(dpi), kDesignDpi); }
int ToDesign(int pixels, int dpi) { return MulDiv(pixels, kDesignDpi, ValidDpi(dpi)); }

int SystemDpi() {
  if (Entries().dpiForSystem) return ValidDpi(static_cast<int>(Entries().dpiForSystem()));
  HDC dc = GetDC(nullptr);
  int dpi = dc ? GetDeviceCaps(dc, LOGPIXELSY) : kDesignDpi;
  if (dc) ReleaseDC(nullptr, dc);
  return ValidDpi(dpi);
}

int MeasuredWindowDpi(HWND hwnd) {
  if (hwnd && Entries().dpiForWindow) {
    int dpi = static_cast<int>(Entries().dpiForWindow(hwnd));
    if (dpi > 0) return dpi;
  }
  return SystemDpi();
}

int WindowDpi(HWND hwnd) {
  const KeptDpi* kept = KeptFor(hwnd);
  return kept ? kept->dpi : MeasuredWindowDpi(hwnd);
}

int MonitorDpi(HWND hwnd) {
  const KeptDpi* kept = KeptFor(hwnd);
  return kept ? kept->monitorDpi : MeasuredWindowDpi(hwnd);
}

void KeepWindowDpi(HWND topLevel, int dpi, int monitorDpi) {
  g_keptDpis.Keep(topLevel, {ValidDpi(dpi), ValidDpi(monitorDpi)});
}

void ForgetWindowDpi(HWND topLevel) { g_keptDpis.Forget(topLevel); }

int SystemMetricAtDpi(int index, int dpi) {
  if (Entries().metricsForDpi) return Entries().metricsForDpi(index, static_cast<UINT>(ValidDpi(dpi)));
  return MulDiv(GetSystemMetrics(index), ValidDpi(dpi), SystemDpi());
}

SIZE OuterSizeToPixels(SIZE design, DWORD style, DWORD exStyle, bool menu, int dpi, int frameDpi) {
  if (dpi == kDesignDpi && frameDpi == kDesignDpi) return design;
  const SIZE frame96 = FrameSize(style, exStyle, menu, kDesignDpi);
  const SIZE frame = FrameSize(style, exStyle, menu, frameDpi);
  return {ToPixels(design.cx - frame96.cx, dpi) + frame.cx, ToPixels(design.cy - frame96.cy, dpi) + frame.cy};
}

SIZE OuterSizeToDesign(SIZE pixels, DWORD style, DWORD exStyle, bool menu, int dpi, int frameDpi) {
  if (dpi == kDesignDpi && frameDpi == kDesignDpi) return pixels;
  const SIZE frame96 = FrameSize(style, exStyle, menu, kDesignDpi);
  const SIZE frame = FrameSize(style, exStyle, menu, frameDpi);
  return {ToDesign(pixels.cx - frame.cx, dpi) + frame96.cx, ToDesign(pixels.cy - frame.cy, dpi) + frame96.cy};
}

HFONT GuiFontAtDpi(int dpi) {
  const auto stock = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  const int system = SystemDpi();
  if (dpi <= 0 || dpi == system) return stock;
  static std::vector<std::pair<int, HFONT>> made;
  for (const auto& [at, font] : made)
    if (at == dpi) return font;
  LOGFONTW lf{};
  GetObjectW(stock, sizeof lf, &lf);
  lf.lfHeight = MulDiv(lf.lfHeight, ValidDpi(dpi), system);
  HFONT font = CreateFontIndirectW(&lf);
  if (!font) return stock;
  made.emplace_back(dpi, font);
  return font;
}

LOGFONTA LogFontAtDpi(const LOGFONTA& design, int dpi) {
  LOGFONTA lf = design;
  lf.lfHeight = ToPixels(design.lfHeight, dpi);
  lf.lfWidth = ToPixels(design.lfWidth, dpi);
  return lf;
}

void EnableNonClientScaling(HWND hwnd) {
  using Fn = BOOL(WINAPI*)(HWND);
  static const Fn enable = [] {
    Fn fn = nullptr;
    if (HMODULE user32 = GetModuleHandleW(L"user32.dll")) Find(user32, "EnableNonClientDpiScaling", fn);
    return fn;
  }();
  if (enable) enable(hwnd);
}
