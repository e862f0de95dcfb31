// The program's own window at the display scale of the prefix it runs in
// (tools/dpi-prefix.sh sets it, MLE_DPI names it): every unit where the
// design puts it times the scale, every text whole in its control, the
// list's columns wide enough for the demo table, property values in
// design units, and a change of scale while the window shows. On a screen
// too small for the window at that scale (MLE_SCREEN) the scale is the
// largest at which the window fits, and the window lies inside the screen.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/handler_table.h"
#include "app/main_window_template.h"
#include "tests/program_window.h"
#include "tests/ui_test_support.h"
#include "tests/window_geometry.h"
#include "tools/model/tool_model.h"
#include "ui/core_library.h"
#include "ui/framework/host.h"
#include "ui/listview/extended_ui_library.h"

namespace {

int ExpectedDpi() {
  const char* v = getenv("MLE_DPI");
  return v && atoi(v) > 0 ? atoi(v) : 96;
}

int Scaled(int design, int dpi) { return MulDiv(design, dpi, 96); }

// The screen the scripts asked for: MLE_SCREEN, else their large one.
SIZE ExpectedScreen() {
  const char* v = getenv("MLE_SCREEN");
  int cx = 2048, cy = 1536;
  if (v) sscanf(v, "%dx%d", &cx, &cy);
  return {cx, cy};
}

// The system's DPI entry, found at run time as the program finds it.
UINT DpiOfWindow(HWND hwnd) {
  using Fn = UINT(WINAPI*)(HWND);
  auto fn = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "GetDpiForWindow")));
  return fn ? fn(hwnd) : 0;
}

struct DesignUnit {
  uint32_t id;
  RECT rect;  // design: left, top, width, height
  bool closedHeightIsItsOwn;
};
constexpr DesignUnit kUnits[] = {
    {kPathLabelId, {24, 16, 40, 24}, false},     {kPathEditId, {64, 17, 272, 20}, false},
    {kBrowseButtonId, {335, 16, 30, 20}, false}, {kExportButtonId, {296, 432, 80, 32}, false},
    {kMachineListId, {16, 56, 360, 336}, false}, {kTotalLabelId, {16, 433, 60, 24}, false},
    {kSelectedLabelId, {76, 433, 60, 24}, false}, {kCombo1Id, {176, 405, 60, 20}, true},
    {kCombo2Id, {248, 405, 60, 20}, true},        {kCombo3Id, {320, 405, 60, 20}, true},
};

SIZE TextExtent(HWND control, const std::string& text) {
  HDC dc = GetDC(control);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
  SIZE size{};
  GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  return size;
}

int FontHeight(HWND control) {
  LOGFONTA lf{};
  GetObjectA(reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)), sizeof lf, &lf);
  return lf.lfHeight < 0 ? -lf.lfHeight : lf.lfHeight;
}

// Within a pixel of rounding.
::testing::AssertionResult Near(long got, long want) {
  if (got >= want - 1 && got <= want + 1) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << got << " instead of " << want;
}

class MainWindowAtScale : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(LoadProgramWindowQuietly());
    // The list gets the demo table as LoadMachines would fill it, the
    // labels their counts.
    HWND list = Unit(kMachineListId);
    int row = 0;
    for (const auto& texts : model::DemoRows()) {
      LVITEMA it{};
      it.mask = LVIF_TEXT;
      it.iItem = row;
      it.pszText = const_cast<char*>(texts[0].c_str());
      SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&it));
      for (int column = 1; column < model::kFieldCount; column++) {
        it.iSubItem = column;
        it.pszText = const_cast<char*>(texts[column].c_str());
        SendMessageA(list, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&it));
      }
      row++;
    }
    WriteText(kMainWindowId, kTotalLabelId, 8, model::TotalCaption(model::kDemoCount).c_str());
    WriteText(kMainWindowId, kSelectedLabelId, 8, model::SelectedCaption(model::kDemoCount).c_str());
    for (uint32_t id : {kCombo1Id, kCombo2Id, kCombo3Id}) WriteInt(kMainWindowId, id, 19, 0);
    PumpMessages();
  }
  void TearDown() override { StopRuntime(); }
  static HWND Unit(uint32_t id) { return UnitHandle(kMainWindowId, id); }
  // The scale the window must be laid out at on this screen.
  static int LayoutDpi() { return FittingDpi(Unit(0), ExpectedDpi()); }

  // Every unit at its design rectangle times the scale of dpi.
  void ExpectLaidOutAt(int dpi) {
    for (const DesignUnit& u : kUnits) {
      SCOPED_TRACE(testing::Message() << std::hex << u.id);
      RECT r = RectInParent(Unit(u.id));
      EXPECT_TRUE(Near(r.left, Scaled(u.rect.left, dpi)));
      EXPECT_TRUE(Near(r.top, Scaled(u.rect.top, dpi)));
      EXPECT_TRUE(Near(r.right - r.left, Scaled(u.rect.right, dpi)));
      if (u.id == kPathEditId) {
        EXPECT_GE(r.bottom - r.top, Scaled(u.rect.bottom, dpi) - 1);  // at least: a line of text must fit
      } else if (!u.closedHeightIsItsOwn) {
        EXPECT_TRUE(Near(r.bottom - r.top, Scaled(u.rect.bottom, dpi)));
      }
    }
    for (int i = 0; i < model::kFieldCount; i++)
      EXPECT_TRUE(Near(SendMessageA(Unit(kMachineListId), LVM_GETCOLUMNWIDTH, i, 0), Scaled(model::kFields[i].width, dpi)))
          << "column " << i;
  }

  // Every caption and every drop-down item shows whole, in the control's
  // own font; every list column holds its longest demo text.
  void ExpectTextsFit() {
    for (uint32_t id : {kPathLabelId, kTotalLabelId, kSelectedLabelId}) {
      HWND label = Unit(id);
      RECT client;
      GetClientRect(label, &client);
      SIZE text = TextExtent(label, WindowTextOf(label));
      EXPECT_LE(text.cx, client.right) << WindowTextOf(label);
      EXPECT_LE(text.cy, client.bottom) << WindowTextOf(label);
    }
    for (uint32_t id : {kBrowseButtonId, kExportButtonId}) {
      HWND button = Unit(id);
      RECT client;
      GetClientRect(button, &client);
      // A push button draws inside its edges and a focus rectangle.
      const int edges = 2 * (GetSystemMetrics(SM_CXEDGE) + 1);
      SIZE text = TextExtent(button, WindowTextOf(button));
      EXPECT_LE(text.cx, client.right - edges) << WindowTextOf(button);
      EXPECT_LE(text.cy, client.bottom) << WindowTextOf(button);
    }
    // Laid out below the monitor's scale, a drop-down button keeps the
    // monitor's width and takes a larger share of the combo box: the items
    // show whole in the list then, no longer always in the field.
    const bool belowMonitorScale = LayoutDpi() < ExpectedDpi();
    for (uint32_t id : {kCombo1Id, kCombo2Id, kCombo3Id}) {
      HWND combo = Unit(id);
      COMBOBOXINFO info{sizeof info};
      ASSERT_TRUE(GetComboBoxInfo(combo, &info));
      RECT room = info.rcItem;
      if (belowMonitorScale) GetClientRect(info.hwndList, &room);
      for (int i = 0; i < model::kFieldCount; i++) {  // the field names; "无" is one character
        char item[16] = {};
        SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item));
        SIZE text = TextExtent(combo, item);
        EXPECT_LE(text.cx, room.right - room.left) << item;
        EXPECT_LE(text.cy, belowMonitorScale ? SendMessageA(combo, CB_GETITEMHEIGHT, 0, 0) : room.bottom - room.top)
            << item;
      }
    }
    HWND list = Unit(kMachineListId);
    const auto rows = model::DemoRows();
    for (int column = 0; column < model::kFieldCount; column++) {
      int longest = 0;
      std::string widest;
      for (const auto& row : rows) {
        int w = static_cast<int>(SendMessageA(list, LVM_GETSTRINGWIDTHA, 0, reinterpret_cast<LPARAM>(row[column].c_str())));
        if (w > longest) longest = w, widest = row[column];
      }
      // The list view keeps a label margin on both sides of a text; a
      // text wider than what remains is cut with "...".
      RECT label{};
      label.top = column;
      label.left = LVIR_LABEL;
      SendMessageA(list, LVM_GETSUBITEMRECT, 0, reinterpret_cast<LPARAM>(&label));
      const int margin = 2 * MulDiv(6, LayoutDpi(), 96);
      EXPECT_LE(longest + margin, label.right - label.left) << "column " << column << ": " << widest;
    }
  }
};

TEST_F(MainWindowAtScale, ThePrefixShowsItAtItsDpi) {
  HWND window = Unit(0);
  EXPECT_EQ(static_cast<int>(DpiOfWindow(window)), ExpectedDpi());
  HDC screen = GetDC(nullptr);
  EXPECT_EQ(GetDeviceCaps(screen, LOGPIXELSY), ExpectedDpi());
  ReleaseDC(nullptr, screen);
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), ExpectedScreen().cx);
  EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), ExpectedScreen().cy);
}

TEST_F(MainWindowAtScale, WindowAndUnitsLieAtTheirDesignPlacesTimesTheScale) {
  const int dpi = LayoutDpi();
  HWND window = Unit(0);
  // The client area is the design's (the outer size less the frame at
  // 96 DPI) times the scale; the frame is the system's at the monitor's
  // DPI.
  const SIZE frame96 = FrameAtDpi(window, 96);
  RECT client;
  GetClientRect(window, &client);
  EXPECT_TRUE(Near(client.right, Scaled(396 - frame96.cx, dpi)));
  EXPECT_TRUE(Near(client.bottom, Scaled(501 - frame96.cy, dpi)));
  RECT outer;
  GetWindowRect(window, &outer);
  const SIZE frame = FrameAtDpi(window, ExpectedDpi());
  EXPECT_EQ(outer.right - outer.left, client.right + frame.cx);
  EXPECT_EQ(outer.bottom - outer.top, client.bottom + frame.cy);
  EXPECT_EQ(outer.left, (GetSystemMetrics(SM_CXSCREEN) - (outer.right - outer.left)) / 2);
  EXPECT_EQ(outer.top, (GetSystemMetrics(SM_CYSCREEN) - (outer.bottom - outer.top)) / 2);
  EXPECT_TRUE(LiesInsideTheWorkArea(window));
  ExpectLaidOutAt(dpi);
}

TEST_F(MainWindowAtScale, EveryTextShowsWhole) { ExpectTextsFit(); }

// Left, top, width and height read and write design units at any scale.
TEST_F(MainWindowAtScale, PositionsAndSizesSpeakDesignUnits) {
  const int dpi = LayoutDpi();
  for (const DesignUnit& u : kUnits) {
    SCOPED_TRACE(testing::Message() << std::hex << u.id);
    EXPECT_EQ(ReadInt(kMainWindowId, u.id, 0), u.rect.left);
    EXPECT_EQ(ReadInt(kMainWindowId, u.id, 1), u.rect.top);
    EXPECT_EQ(ReadInt(kMainWindowId, u.id, 2), u.rect.right);
  }
  EXPECT_EQ(ReadInt(kMainWindowId, 0, 2), 396);
  EXPECT_EQ(ReadInt(kMainWindowId, 0, 3), 501);

  WriteInt(kMainWindowId, kExportButtonId, 2, 100);
  WriteInt(kMainWindowId, kExportButtonId, 0, 200);
  RECT r = RectInParent(Unit(kExportButtonId));
  EXPECT_EQ(r.right - r.left, Scaled(100, dpi));
  EXPECT_EQ(r.left, Scaled(200, dpi));
  EXPECT_EQ(ReadInt(kMainWindowId, kExportButtonId, 2), 100);
  EXPECT_EQ(ReadInt(kMainWindowId, kExportButtonId, 0), 200);
  WriteInt(kMainWindowId, 0, 2, 420);
  EXPECT_EQ(ReadInt(kMainWindowId, 0, 2), 420);
  EXPECT_EQ(ReadInt(kMainWindowId, 0, 3), 501);
}

// The window moves to a monitor of another scale: it takes the proposed
// rectangle, everything is laid out for the new DPI, and nothing that the
// user did is lost. Where the window does not fit the screen at the old
// or the new scale, it takes its own size at the scale it fits at.
TEST_F(MainWindowAtScale, AChangeOfScaleRelaysEverythingOutAndKeepsTheState) {
  const int dpi = ExpectedDpi(), layout = LayoutDpi();
  const int next = dpi == 144 ? 192 : 144;
  HWND window = Unit(0), list = Unit(kMachineListId), edit = Unit(kPathEditId);
  const int nextLayout = FittingDpi(window, next);
  for (int row : {3, 20, 33}) {
    LVITEMA it{};
    it.stateMask = it.state = LVIS_SELECTED;
    SendMessageA(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&it));
  }
  RECT row{LVIR_BOUNDS};
  SendMessageA(list, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row));
  SendMessageA(list, LVM_SCROLL, 0, 8 * (row.bottom - row.top));
  const int top = static_cast<int>(SendMessageA(list, LVM_GETTOPINDEX, 0, 0));
  ASSERT_EQ(top, 8);
  SetWindowTextA(edit, "C:\\Server\\config\\quillnode.db");
  SetWindowTextA(Unit(kCombo2Id), "自定");
  SendMessageA(Unit(kCombo3Id), CB_SETCURSEL, 3, 0);
  const int fontBefore = FontHeight(Unit(kExportButtonId));

  RECT proposed;
  GetWindowRect(window, &proposed);
  proposed.right = proposed.left + MulDiv(proposed.right - proposed.left, next, dpi);
  proposed.bottom = proposed.top + MulDiv(proposed.bottom - proposed.top, next, dpi);
  OffsetRect(&proposed, -20, -30);
  SendMessageA(window, WM_DPICHANGED, MAKEWPARAM(next, next), reinterpret_cast<LPARAM>(&proposed));
  PumpMessages();

  RECT now;
  GetWindowRect(window, &now);
  if (layout == dpi && nextLayout == next) {
    EXPECT_TRUE(EqualRect(&now, &proposed));
  } else {
    const SIZE frame96 = FrameAtDpi(window, 96), frame = FrameAtDpi(window, next);
    EXPECT_EQ(now.right - now.left, Scaled(396 - frame96.cx, nextLayout) + frame.cx);
    EXPECT_EQ(now.bottom - now.top, Scaled(501 - frame96.cy, nextLayout) + frame.cy);
    if (nextLayout < next) EXPECT_TRUE(LiesInsideTheWorkArea(window));
    else EXPECT_TRUE(now.left == proposed.left && now.top == proposed.top);
  }
  EXPECT_TRUE(IsWindowVisible(window));
  ExpectLaidOutAt(nextLayout);
  EXPECT_TRUE(Near(FontHeight(Unit(kExportButtonId)), MulDiv(fontBefore, nextLayout, layout)));
  EXPECT_TRUE(Near(FontHeight(Unit(kPathLabelId)), MulDiv(fontBefore, nextLayout, layout)));
  EXPECT_TRUE(Near(FontHeight(list), MulDiv(fontBefore, nextLayout, layout)));

  EXPECT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), model::kDemoCount);
  EXPECT_EQ(SendMessageA(list, LVM_GETSELECTEDCOUNT, 0, 0), 3);
  for (int row : {3, 20, 33}) EXPECT_EQ(SendMessageA(list, LVM_GETITEMSTATE, row, LVIS_SELECTED), LVIS_SELECTED);
  EXPECT_EQ(SendMessageA(list, LVM_GETTOPINDEX, 0, 0), top);
  EXPECT_EQ(WindowTextOf(edit), "C:\\Server\\config\\quillnode.db");
  EXPECT_EQ(WindowTextOf(Unit(kCombo2Id)), "自定");
  EXPECT_EQ(SendMessageA(Unit(kCombo3Id), CB_GETCURSEL, 0, 0), 3);
  EXPECT_EQ(SendMessageA(Unit(kCombo1Id), CB_GETCURSEL, 0, 0), 0);
  for (const DesignUnit& u : kUnits) EXPECT_EQ(ReadInt(kMainWindowId, u.id, 0), u.rect.left) << std::hex << u.id;
  WriteInt(kMainWindowId, kExportButtonId, 2, 100);
  RECT r = RectInParent(Unit(kExportButtonId));
  EXPECT_EQ(r.right - r.left, Scaled(100, nextLayout));
}

// A monitor whose scale makes the window taller than the screen: the
// window is laid out at the largest scale at which it fits, lies inside the
// screen and still speaks design units; back on a monitor of the first
// scale it is laid out as before.
TEST_F(MainWindowAtScale, OnAMonitorTooSmallForItTheWindowIsLaidOutAtAScaleThatFits) {
  const int dpi = ExpectedDpi();
  HWND window = Unit(0);
  const RECT work = WorkArea();
  const int next = MulDiv(work.bottom - work.top, 96, 476) + 24;  // the client area alone is too tall
  const int nextLayout = FittingDpi(window, next);
  ASSERT_LT(nextLayout, next);
  RECT proposed;
  GetWindowRect(window, &proposed);
  proposed.right = proposed.left + MulDiv(proposed.right - proposed.left, next, dpi);
  proposed.bottom = proposed.top + MulDiv(proposed.bottom - proposed.top, next, dpi);
  SendMessageA(window, WM_DPICHANGED, MAKEWPARAM(next, next), reinterpret_cast<LPARAM>(&proposed));
  PumpMessages();

  EXPECT_TRUE(LiesInsideTheWorkArea(window));
  ExpectLaidOutAt(nextLayout);
  EXPECT_EQ(ReadInt(kMainWindowId, 0, 2), 396);
  EXPECT_EQ(ReadInt(kMainWindowId, 0, 3), 501);
  EXPECT_EQ(ReadInt(kMainWindowId, kExportButtonId, 1), 432);
  WriteInt(kMainWindowId, kExportButtonId, 3, 40);
  EXPECT_EQ(RectInParent(Unit(kExportButtonId)).bottom - RectInParent(Unit(kExportButtonId)).top, Scaled(40, nextLayout));
  EXPECT_EQ(ReadInt(kMainWindowId, kExportButtonId, 3), 40);
  WriteInt(kMainWindowId, kExportButtonId, 3, 32);

  GetWindowRect(window, &proposed);
  SendMessageA(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&proposed));
  PumpMessages();
  ExpectLaidOutAt(LayoutDpi());
  EXPECT_EQ(ReadInt(kMainWindowId, 0, 2), 396);
  EXPECT_EQ(ReadInt(kMainWindowId, 0, 3), 501);
}

// Holding the drawing must not show a window the program keeps hidden.
TEST_F(MainWindowAtScale, AHiddenWindowStaysHiddenThroughAChangeOfScale) {
  const int next = ExpectedDpi() == 144 ? 192 : 144;
  HWND window = Unit(0);
  ShowWindow(window, SW_HIDE);
  RECT proposed;
  GetWindowRect(window, &proposed);
  SendMessageA(window, WM_DPICHANGED, MAKEWPARAM(next, next), reinterpret_cast<LPARAM>(&proposed));
  PumpMessages();
  EXPECT_FALSE(IsWindowVisible(window));
}

}  // namespace
