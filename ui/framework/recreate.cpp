// Re-creation of a unit in place; see recreate.h.
#include "ui/framework/recreate.h"

#include "runtime/heap.h"
#include "ui/framework/events.h"
#include "ui/framework/unit_types.h"

namespace {

// Destruction notices are ignored for the depth's lifetime.
class RecreationScope {
 public:
  RecreationScope() { ++RecreationDepth(); }
  ~RecreationScope() { --RecreationDepth(); }
  RecreationScope(const RecreationScope&) = delete;
  RecreationScope& operator=(const RecreationScope&) = delete;
};

}  // namespace

void RecreateUnit(LoadedWindow& win, UnitRecord& rec) {
  if (&rec == &win.Own() || !IsLive(rec)) return;
  const UnitTypeInfo* type = TypeInfoFor(rec.type);
  auto getAll = TypeOperation(type, kOpGetAllProperties);
  auto create = TypeOperation(type, kOpCreate);
  if (!getAll || !create) return;

  EventSuppression suppressed;
  RecreationScope recreating;
  uint8_t* blob = nullptr;
  int32_t length = 0;
  if (!getAll(rec.object, &blob, &length)) return;

  const HWND old = rec.object->hwnd;
  const HWND parent = GetParent(old);
  RECT r{};
  GetWindowRect(old, &r);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  const LONG_PTR oldStyle = GetWindowLongPtrW(old, GWL_STYLE);
  const uint32_t style = static_cast<uint32_t>(oldStyle & (WS_DISABLED | WS_TABSTOP));
  const UINT controlId = static_cast<UINT>(GetDlgCtrlID(old));
  const HWND before = GetWindow(old, GW_HWNDPREV);
  const bool hadFocus = GetFocus() == old || IsChild(old, GetFocus());
  const uint32_t windowId = rec.object->windowId, unitId = rec.object->unitId;

  DestroyWindow(old);  // the unit frees its object; its notice is ignored
  rec.object = create(blob, length, style, parent, controlId, nullptr, r.left, r.top,
                      r.right - r.left, r.bottom - r.top, windowId, unitId, 0, 0);
  RtFree(blob);
  if (!rec.object) return;
  const HWND now = rec.object->hwnd;
  SetWindowPos(now, before ? before : HWND_TOP, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  if (oldStyle & WS_VISIBLE) ShowWindow(now, SW_SHOWNA);
  if (hadFocus) SetFocus(now);
}
