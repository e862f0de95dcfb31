// The eight common properties of every unit, and the four of a menu item.
//
// Left, top, width and height speak design units (pixels at 96 DPI) at
// every display scale, as the template does: a read converts the live
// pixels back and rounds, a write stores the design value in the record
// and gives the live window that value at its DPI. A top-level window's
// width and height are its outer size, whose frame does not scale with
// its client area: they convert through the frame the system draws.
#include <windows.h>

#include "runtime/heap.h"
#include "ui/framework/cursor_data.h"
#include "ui/framework/display_scale.h"
#include "ui/framework/properties.h"
#include "ui/framework/window_list.h"

namespace {

// The live window rectangle, in the parent's client coordinates for a
// child window and in screen coordinates for a top-level one.
RECT LiveRect(HWND hwnd) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  if (GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_CHILD)
    MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

void SetFlag(uint32_t& flags, uint32_t bit, bool on) { flags = on ? flags | bit : flags & ~bit; }

bool IsTopLevel(HWND hwnd) { return !(GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_CHILD); }

// A top-level window's outer size between pixels and design units.
SIZE OuterSize(HWND hwnd, SIZE size, bool toPixels) {
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE));
  const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_EXSTYLE));
  const bool menu = GetMenu(hwnd) != nullptr;
  const int dpi = WindowDpi(hwnd), frameDpi = MonitorDpi(hwnd);
  return toPixels ? OuterSizeToPixels(size, style, exStyle, menu, dpi, frameDpi)
                  : OuterSizeToDesign(size, style, exStyle, menu, dpi, frameDpi);
}

// The live rectangle's size in design units.
SIZE DesignSize(HWND hwnd, const RECT& r) {
  const SIZE pixels{r.right - r.left, r.bottom - r.top};
  if (IsTopLevel(hwnd)) return OuterSize(hwnd, pixels, false);
  const int dpi = WindowDpi(hwnd);
  return {ToDesign(pixels.cx, dpi), ToDesign(pixels.cy, dpi)};
}

}  // namespace

uint64_t ReadCommonProperty(const UnitRecord& rec, int index) {
  const bool live = IsLive(rec);
  const HWND hwnd = live ? rec.object->hwnd : nullptr;
  auto integer = [](int32_t v) { return static_cast<uint64_t>(static_cast<uint32_t>(v)); };
  switch (index) {
    case kCommonLeft: return integer(live ? ToDesign(LiveRect(hwnd).left, WindowDpi(hwnd)) : rec.left);
    case kCommonTop: return integer(live ? ToDesign(LiveRect(hwnd).top, WindowDpi(hwnd)) : rec.top);
    case kCommonWidth: return integer(live ? DesignSize(hwnd, LiveRect(hwnd)).cx : rec.width);
    case kCommonHeight: return integer(live ? DesignSize(hwnd, LiveRect(hwnd)).cy : rec.height);
    case kCommonTag: return ValueOf(RtCopyText(rec.tag.c_str()));
    case kCommonVisible: return live ? (IsWindowVisible(hwnd) ? 1 : 0) : (rec.flags & kRecordVisible ? 1 : 0);
    case kCommonDisabled: return live ? (IsWindowEnabled(hwnd) ? 0 : 1) : (rec.flags & kRecordDisabled ? 1 : 0);
    case kCommonCursor: {
      std::vector<uint8_t> data = CursorDataForProgram(rec.cursorData);
      return ValueOf(RtNewBytes(data.data(), static_cast<int32_t>(data.size())));
    }
    default: return 0;
  }
}

void WriteCommonProperty(UnitRecord& rec, bool isWindowRecord, int index, uint64_t value) {
  const bool live = IsLive(rec);
  const HWND hwnd = live ? rec.object->hwnd : nullptr;
  const int32_t v = static_cast<int32_t>(value);
  switch (index) {
    case kCommonLeft:
    case kCommonTop: {
      (index == kCommonLeft ? rec.left : rec.top) = ClampPosition(v);
      if (!live) return;
      RECT r = LiveRect(hwnd);
      const int dpi = WindowDpi(hwnd);
      int x = index == kCommonLeft ? ToPixels(rec.left, dpi) : r.left;
      int y = index == kCommonTop ? ToPixels(rec.top, dpi) : r.top;
      SetWindowPos(hwnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      return;
    }
    case kCommonWidth:
    case kCommonHeight: {
      (index == kCommonWidth ? rec.width : rec.height) = ClampSize(v);
      if (!live) return;
      RECT r = LiveRect(hwnd);
      // The written side at the window's scale; the other keeps its pixels.
      SIZE design = DesignSize(hwnd, r);
      (index == kCommonWidth ? design.cx : design.cy) = index == kCommonWidth ? rec.width : rec.height;
      const int dpi = WindowDpi(hwnd);
      const SIZE pixels = IsTopLevel(hwnd) ? OuterSize(hwnd, design, true)
                                           : SIZE{ToPixels(design.cx, dpi), ToPixels(design.cy, dpi)};
      int w = index == kCommonWidth ? pixels.cx : r.right - r.left;
      int h = index == kCommonHeight ? pixels.cy : r.bottom - r.top;
      SetWindowPos(hwnd, nullptr, 0, 0, w, h, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
      return;
    }
    case kCommonTag: {
      const char* t = static_cast<const char*>(PointerOf(value));
      rec.tag = t ? t : "";
      return;
    }
    case kCommonVisible:
      SetFlag(rec.flags, kRecordVisible, value != 0);
      if (live) ShowWindow(hwnd, value == 0 ? SW_HIDE : isWindowRecord ? SW_SHOW : SW_SHOWNA);
      return;
    case kCommonDisabled:
      SetFlag(rec.flags, kRecordDisabled, value != 0);
      if (live) EnableWindow(hwnd, value == 0);
      return;
    case kCommonCursor: {
      const auto* bytes = static_cast<const RtArray*>(PointerOf(value));
      void* first = nullptr;
      int32_t n = RtArrayCountOrNull(bytes, &first);
      if (n < 0) n = 0;  // a malformed size holds no data
      const auto* data = static_cast<const uint8_t*>(first);
      rec.cursorData = CursorDataForStore(std::vector<uint8_t>(data, data + n));
      if (rec.cursor) DestroyCursor(rec.cursor);
      rec.cursor = nullptr;
      // Only a live unit holds a cursor handle: the window's load takes
      // the data of a unit that is not there yet.
      if (!live) return;
      rec.cursor = LoadCursorFromData(rec.cursorData);
      // Moving the mouse to where it is makes Windows ask for the cursor again.
      POINT p;
      if (GetCursorPos(&p)) SetCursorPos(p.x, p.y);
      return;
    }
    default:
      return;
  }
}

// Menu items: 0 caption, 1 check mark, 2 disabled, 3 visible. The first
// menu word holds bit 0 hidden, bit 1 disabled, bit 2 checked.
uint64_t ReadMenuItemProperty(const UnitRecord& rec, int index) {
  const uint32_t flags = rec.menu.words[0];
  switch (index) {
    case 0: return ValueOf(RtCopyText(rec.menu.caption.c_str()));
    case 1: return flags & 4 ? 1 : 0;
    case 2: return flags & 2 ? 1 : 0;
    case 3: return flags & 1 ? 0 : 1;
    default: return 0;
  }
}

void WriteMenuItemProperty(UnitRecord& rec, int index, uint64_t value) {
  uint32_t& flags = rec.menu.words[0];
  switch (index) {
    case 0: {
      const char* t = static_cast<const char*>(PointerOf(value));
      if (RtTextCompare(t, rec.menu.caption.c_str()) != 0) rec.menu.caption = t ? t : "";
      return;
    }
    case 1: SetFlag(flags, 4, value != 0); return;
    case 2: SetFlag(flags, 2, value != 0); return;
    case 3: SetFlag(flags, 1, value == 0); return;
    default: return;
  }
}
