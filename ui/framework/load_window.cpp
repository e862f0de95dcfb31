// LoadWindow in its fixed order: suppress events; create the window's own
// record, then the units from the last record to the second; re-parent,
// stack, load cursors, notify and show the units; resume events; fire the
// window's events 0, 3 and 4; show the window.
#include "ui/framework/load_window.h"

#include <vector>

#include "runtime/runtime.h"
#include "ui/framework/cursor_data.h"
#include "ui/framework/display_scale.h"
#include "ui/framework/events.h"
#include "ui/framework/focus_events.h"
#include "ui/framework/unit_types.h"
#include "ui/window/window_unit.h"
#include "ui/framework/window_list.h"

namespace {

constexpr UINT kFirstControlId = 100;
constexpr UINT kControlIdStep = 10;

// Records in table order, window's own record excluded, menu items skipped.
template <class F>
void ForEachUnit(LoadedWindow& win, bool lastFirst, F f) {
  const size_t n = win.tmpl->Count();
  for (size_t k = 1; k < n; ++k) {
    UnitRecord& rec = *win.tmpl->RecordAt(lastFirst ? n - k : k);
    if (!rec.isMenuItem) f(rec);
  }
}

// A unit's rectangle is its record's design rectangle at the DPI of the
// window it goes on. The window's own record stays in design units: only
// the window unit knows the frame that its outer size holds.
UnitObject* CreateRecord(const UnitRecord& rec, const UnitTypeInfo* type, HWND parent, UINT id,
                         uint32_t windowId, int reserved, bool ownRecord) {
  auto create = TypeOperation(type, kOpCreate);
  if (!create) return nullptr;
  const int dpi = ownRecord ? kDesignDpi : WindowDpi(parent);
  return create(rec.blob.data(), static_cast<int32_t>(rec.blob.size()),
                CreationStyle(rec.flags, type->flags), parent, id, nullptr, ToPixels(rec.left, dpi),
                ToPixels(rec.top, dpi), ToPixels(rec.width, dpi), ToPixels(rec.height, dpi), windowId, rec.id,
                0, reserved);
}

// Every unit and the window itself, created in their order. False (with
// whatever was created destroyed) when any creation fails.
bool CreateAll(LoadedWindow& win, HWND owner, bool modal) {
  UnitRecord& own = win.Own();
  const UnitTypeInfo* ownType = TypeInfoFor(own.type);
  if (!ownType) return false;
  own.object = CreateRecord(own, ownType, owner, 0, win.tmpl->id, modal ? 1 : 0, true);
  if (!own.object) return false;
  const HWND window = own.object->hwnd;

  bool ok = true;
  UINT controlId = kFirstControlId;
  ForEachUnit(win, /*lastFirst=*/true, [&](UnitRecord& rec) {
    if (!ok) return;
    const UnitTypeInfo* type = TypeInfoFor(rec.type);
    rec.object = type ? CreateRecord(rec, type, window, controlId, win.tmpl->id, 0, false) : nullptr;
    controlId += kControlIdStep;
    ok = rec.object != nullptr;
  });
  if (!ok) {
    DestroyWindow(window);
    win.ResetRecords();
  }
  return ok;
}

// Units held by a container move into it; those listed after the first 0
// of its children start hidden (the container's other pages).
void ReparentIntoContainers(LoadedWindow& win) {
  ForEachUnit(win, false, [&](UnitRecord& rec) {
    UnitRecord* container = rec.parent ? win.Record(rec.parent) : nullptr;
    if (!container || !IsLive(*container) || !IsLive(rec)) return;
    const UnitTypeInfo* type = TypeInfoFor(container->type);
    if (type && (type->flags & kTypeFlagContainer)) SetParent(rec.object->hwnd, container->object->hwnd);
  });
  ForEachUnit(win, false, [&](UnitRecord& rec) {
    const UnitTypeInfo* type = TypeInfoFor(rec.type);
    if (!type || !(type->flags & kTypeFlagContainer)) return;
    bool laterPage = false;
    for (uint32_t child : rec.children) {
      if (child == 0) laterPage = true;
      else if (UnitRecord* c = laterPage ? win.Record(child) : nullptr) c->flags &= ~kRecordVisible;
    }
  });
}

// Each unit goes directly below the nearest earlier record with the same
// parent, or to the top.
void StackUnits(LoadedWindow& win) {
  const size_t n = win.tmpl->Count();
  for (size_t i = 1; i < n; ++i) {
    UnitRecord& rec = *win.tmpl->RecordAt(i);
    if (rec.isMenuItem || !IsLive(rec)) continue;
    HWND after = HWND_TOP;
    for (size_t j = i - 1; j >= 1; --j) {
      UnitRecord& prev = *win.tmpl->RecordAt(j);
      if (!prev.isMenuItem && IsLive(prev) && prev.parent == rec.parent) {
        after = prev.object->hwnd;
        break;
      }
    }
    SetWindowPos(rec.object->hwnd, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
}

void PrepareUnits(LoadedWindow& win) {
  for (auto& rec : win.tmpl->records)
    if (!rec->isMenuItem) rec->cursor = LoadCursorFromData(rec->cursorData);
  ForEachUnit(win, true, [](UnitRecord& rec) {
    if (IsLive(rec)) SendMessageW(rec.object->hwnd, kMsgUnitsCreated, 0, 0);
  });
  SendMessageW(win.Handle(), kMsgWindowCreated, 0, 0);
  ForEachUnit(win, false, [](UnitRecord& rec) {
    if (IsLive(rec)) ShowWindow(rec.object->hwnd, rec.flags & kRecordVisible ? SW_SHOWNA : SW_HIDE);
  });
}

// The other top-level windows of the program, disabled while a modal
// window runs, with the state each had.
struct DisabledWindow {
  HWND hwnd;
  bool wasEnabled;
};

std::vector<DisabledWindow> DisableOtherWindows(HWND modal) {
  std::vector<DisabledWindow> disabled;
  for (auto& w : LoadedWindows()) {
    HWND h = w->Handle();
    if (!h || h == modal) continue;
    disabled.push_back({h, IsWindowEnabled(h) != FALSE});
    EnableWindow(h, FALSE);
  }
  return disabled;
}

// Runs the messages of the program until the modal window is gone.
void RunModal(LoadedWindow& win) {
  const uint32_t id = win.tmpl->id;
  const HWND hwnd = win.Handle();
  std::vector<DisabledWindow> disabled = DisableOtherWindows(hwnd);
  win.modalWaiting = true;
  MSG msg;
  for (;;) {
    LoadedWindow* w = FindLoadedWindow(id);
    if (!w || !w->modalWaiting || !IsWindow(hwnd)) break;
    BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // for the outer loop
      break;
    }
    if (got == -1) break;
    const WindowHost* host = RtWindowHost();
    if (!(host && host->preTranslate && host->preTranslate(&msg))) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  for (const auto& d : disabled)
    if (IsWindow(d.hwnd)) EnableWindow(d.hwnd, d.wasEnabled);
}

}  // namespace

uint32_t CreationStyle(uint32_t recordFlags, uint32_t typeFlags) {
  if (typeFlags & kTypeFlagNoWindow) return 0;
  uint32_t style = 0;
  if (recordFlags & kRecordDisabled) style |= WS_DISABLED;
  if (recordFlags & kRecordTabStop) style |= WS_TABSTOP;
  return style;
}

bool LoadWindow(uint32_t windowId, bool modal, HWND owner) {
  LoadedWindow* win = FindLoadedWindow(windowId);
  if (!win) return false;
  if (HWND live = win->Handle()) {
    if (IsIconic(live)) ShowWindow(live, SW_RESTORE);
    else SetActiveWindow(live);
    return true;
  }
  if (modal) owner = nullptr;
  else if (owner && !IsWindow(owner)) return false;

  {
    EventSuppression creating;
    if (!CreateAll(*win, owner, modal)) return false;
    ReparentIntoContainers(*win);
    StackUnits(*win);
    PrepareUnits(*win);
  }

  const HWND hwnd = win->Handle();
  for (int event : {kWindowCreated, kWindowMoved, kWindowResized}) {
    if (!IsWindow(hwnd)) return true;
    RaiseEvent(windowId, 0, event);
  }
  // The handlers may have closed the window or unloaded its records.
  win = FindLoadedWindow(windowId);
  if (!win || !IsWindow(hwnd)) return true;
  if (win->Own().flags & kRecordVisible) {
    const uint32_t focusEvents = FocusEventSerial();
    ShowWindow(hwnd, SW_SHOW);
    // The focused unit raised -7 itself if its focus notification came
    // while the window was shown; otherwise raise it here, once.
    HWND focus = GetFocus();
    if (focusEvents == FocusEventSerial() && focus && (focus == hwnd || IsChild(hwnd, focus)))
      RaiseFocusEvent(*win, focus, kEventGotFocus);
  }
  const HWND focusBefore = GetFocus();
  ForEachUnit(*win, true, [](UnitRecord& rec) {
    if (IsLive(rec)) SendMessageW(rec.object->hwnd, kMsgWindowShown, 0, 0);
  });
  if (GetFocus() != focusBefore && focusBefore && IsWindow(focusBefore)) SetFocus(focusBefore);
  if (modal && IsWindow(hwnd)) RunModal(*win);
  return true;
}

void OnUnitDestroyed(uint32_t windowId, uint32_t unitId) {
  if (RecreationDepth() > 0) return;
  LoadedWindow* win = FindLoadedWindow(windowId);
  if (!win) return;
  UnitRecord* rec = win->Record(unitId);
  if (unitId != 0 && !rec) return;
  if (rec && rec != &win->Own()) {
    if (rec->cursor) DestroyCursor(rec->cursor);
    rec->cursor = nullptr;
    rec->object = nullptr;
    return;
  }
  if (win->accelerators) DestroyAcceleratorTable(win->accelerators);
  win->accelerators = nullptr;
  for (auto& r : win->tmpl->records)
    if (r->cursor) DestroyCursor(r->cursor);
  win->ResetRecords();  // a later load starts afresh
  win->modalWaiting = false;
  if (!TemplatesReleasing()) RtAfterWindowDestroyed();
}

UnitObject* ResolveUnit(uint32_t windowId, uint32_t unitId, bool mandatory) {
  LoadedWindow* win = FindLoadedWindow(windowId);
  UnitRecord* rec = win ? win->Record(unitId) : nullptr;
  if (rec && !rec->isMenuItem && IsLive(*rec)) return rec->object;
  if (mandatory) FatalReport("指定窗口或窗口组件不存在或尚未载入", 0);
  return nullptr;
}
