// Fitting a window to the work area of its monitor: the scale chosen and
// where the window's top-left goes. No window is made; the frames are the
// system's at each DPI.
#include <gtest/gtest.h>
#include <windows.h>

#include "ui/framework/display_scale.h"
#include "ui/framework/screen_fit.h"

namespace {

// The program's main window: 396 by 501 outside at 96 DPI, a fixed
// frame with a caption and minimize box.
constexpr SIZE kDesign{396, 501};
constexpr DWORD kStyle = WS_CLIPCHILDREN | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

SIZE OuterAt(int dpi, int frameDpi) { return OuterSizeToPixels(kDesign, kStyle, 0, false, dpi, frameDpi); }

bool Fits(SIZE outer, const RECT& work) {
  return outer.cx <= work.right - work.left && outer.cy <= work.bottom - work.top;
}

struct FitCase {
  int monitorDpi;
  RECT work;
  bool fitsAtMonitorScale;
};

// Screens at the monitor's scale: large enough (the first three, the third
// by less than the frame), then too small in height, in width, in both.
constexpr FitCase kFitCases[] = {
    {96, {0, 0, 1024, 768}, true},      {192, {0, 0, 2048, 1536}, true},  {144, {0, 0, 1024, 768}, true},
    {192, {0, 0, 1024, 768}, false},    {144, {0, 0, 1366, 730}, false},  {192, {0, 40, 1920, 800}, false},
    {192, {-1200, 0, -500, 1200}, false}, {168, {0, 0, 800, 560}, false},
};

TEST(ScreenFit, TheLargestScaleUpToTheMonitorsAtWhichTheWholeWindowFits) {
  for (const FitCase& c : kFitCases) {
    SCOPED_TRACE(testing::Message() << c.monitorDpi << " DPI, work area " << c.work.right - c.work.left << "x"
                                    << c.work.bottom - c.work.top);
    const ScreenFit fit = FitToWorkArea(kDesign, kStyle, 0, false, c.monitorDpi, c.work);
    EXPECT_EQ(fit.fitsAtMonitorScale, c.fitsAtMonitorScale);
    // The frame stays the monitor's; only the client area takes the scale.
    const SIZE outer = OuterAt(fit.dpi, c.monitorDpi);
    EXPECT_EQ(fit.outer.cx, outer.cx);
    EXPECT_EQ(fit.outer.cy, outer.cy);
    EXPECT_TRUE(Fits(fit.outer, c.work));
    if (c.fitsAtMonitorScale) {
      EXPECT_EQ(fit.dpi, c.monitorDpi);
    } else {
      EXPECT_LT(fit.dpi, c.monitorDpi);
      EXPECT_FALSE(Fits(OuterAt(fit.dpi + 1, c.monitorDpi), c.work)) << "at " << fit.dpi + 1;
    }
  }
}

// Below 96 DPI the text would be smaller than the system's own: a window
// that does not fit even there keeps that scale (or the monitor's lower
// one) and is too large.
TEST(ScreenFit, NeverBelowTheDesignScaleOrTheMonitorsLowerOne) {
  constexpr RECT kTiny{0, 0, 320, 240};
  for (int monitorDpi : {72, 96, 120, 192}) {
    const ScreenFit fit = FitToWorkArea(kDesign, kStyle, 0, false, monitorDpi, kTiny);
    EXPECT_FALSE(fit.fitsAtMonitorScale) << monitorDpi;
    EXPECT_EQ(fit.dpi, monitorDpi < 96 ? monitorDpi : 96) << monitorDpi;
    EXPECT_EQ(fit.outer.cy, OuterAt(fit.dpi, monitorDpi).cy) << monitorDpi;
  }
}

struct PlaceCase {
  POINT at;
  SIZE outer;
  POINT want;
};

// A work area of 1000 by 700 at (0, 40), under a taskbar at the top.
constexpr RECT kWork{0, 40, 1000, 740};
constexpr PlaceCase kPlaceCases[] = {
    {{100, 100}, {400, 500}, {100, 100}},   // inside: stays
    {{700, 300}, {400, 500}, {600, 240}},   // out at the right and the bottom: moved back in
    {{-50, 0}, {400, 500}, {0, 40}},        // out at the left and under the taskbar
    {{300, -113}, {600, 966}, {300, 40}},   // centred and taller: top at the work area's
    {{-200, -100}, {1400, 900}, {0, 40}},   // larger both ways: top-left at the work area's
    {{900, 900}, {1400, 900}, {0, 40}},     // larger and beyond the far corner
    {{600, 240}, {400, 500}, {600, 240}},   // touching the far corner: stays
};

TEST(ScreenFit, TheTopLeftStaysInsideAndAWindowThatFitsLiesInside) {
  for (const PlaceCase& c : kPlaceCases) {
    const POINT got = KeepInWorkArea(c.at, c.outer, kWork);
    EXPECT_EQ(got.x, c.want.x) << c.at.x << "," << c.at.y << " " << c.outer.cx << "x" << c.outer.cy;
    EXPECT_EQ(got.y, c.want.y) << c.at.x << "," << c.at.y << " " << c.outer.cx << "x" << c.outer.cy;
  }
}

}  // namespace
