// Shared unit control behaviour; see unit_control.h.
#include "ui/framework/unit_control.h"

#include <cstring>

#include "runtime/gbk_boundary.h"
#include "runtime/heap.h"
#include "runtime/runtime.h"
#include "ui/framework/window_list.h"

HCURSOR UnitCursor(const UnitObject* unit) {
  LoadedWindow* win;
  UnitRecord* rec;
  return LocateUnit(unit, &win, &rec) ? rec->cursor : nullptr;
}

void ReportUnitDestroyed(const UnitObject* unit) {
  RuntimeNotify(kNotifyDestroyed, static_cast<intptr_t>(unit->windowId),
                static_cast<intptr_t>(unit->unitId));
}

bool HandleCommonUnitMessage(UnitObject* unit, HWND hwnd, UINT msg, WPARAM wp, LPARAM lp,
                             LRESULT* result) {
  switch (msg) {
    case kMsgGetUnitObject:
      *result = reinterpret_cast<LRESULT>(unit);
      return true;
    case WM_SETCURSOR: {
      // Children (a combo box's edit) ask their parent first.
      HWND over = reinterpret_cast<HWND>(wp);
      HCURSOR cursor = UnitCursor(unit);
      if (!cursor || LOWORD(lp) != HTCLIENT || (over != hwnd && !IsChild(hwnd, over))) return false;
      SetCursor(cursor);
      *result = TRUE;
      return true;
    }
    default:
      return false;
  }
}

bool HandOverBlob(const std::vector<uint8_t>& bytes, uint8_t** blob, int32_t* length) {
  *blob = static_cast<uint8_t*>(RtAlloc(static_cast<uint32_t>(bytes.size())));
  if (!bytes.empty()) memcpy(*blob, bytes.data(), bytes.size());
  *length = static_cast<int32_t>(bytes.size());
  return true;
}

bool RegisterUnitClass(const char* name, UINT style, WNDPROC proc) {
  return EnsureWindowClassGbk(RtInstance(), name, style, proc);
}
