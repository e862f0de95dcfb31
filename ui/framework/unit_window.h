// The one way from a window to its unit object. The window carries its
// object in GWLP_USERDATA, which GetWindowLongPtr reads inside the process;
// window properties and comctl32's subclass data (itself a window
// property) would serve too, but under Wine every GetProp is a round trip
// to the Wine server, and a unit's procedure looks its object up on every
// message (a list view sends its parent two notifications for each row it
// selects). Measured on a BUTTON under Wine 8, per message passed on to the
// control: about 150 us for the subclass data, 0.2 to 0.4 us for the
// userdata read, the same as a search of a list of handles
// (bench/unit_lookup_profile.cpp).
//
// The unit's own window procedure is the class procedure of the runtime's
// own classes, or replaces a system class's procedure, which the unit
// keeps in UnitObject::baseProc and passes the messages it leaves on to.
//
// A handle names a window only while the window lives; Windows hands the
// same value to a later window. So a handle from outside the unit's own
// procedure resolves only to a live unit of the type whose window still
// carries it: a window that ended, or a new window that got the handle,
// never resolves to the old object, even when a later subclass kept
// WM_NCDESTROY from the unit. The unit's own procedure needs no such check:
// only a window that Attach gave the unit runs it.
#pragma once

#include <windows.h>

#include <algorithm>
#include <vector>

#include "ui/unit_type.h"

// The passing on of a message the unit leaves to its window's class.
inline LRESULT CallBase(const UnitObject* unit, HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  return CallWindowProcW(unit->baseProc, hwnd, msg, wp, lp);
}

// The live units of one type.
template <class Unit>
class UnitWindows {
 public:
  // The window carries the unit from here on and `proc` runs its messages.
  // Call once the window exists: a failed creation never reaches the unit.
  void Attach(Unit* unit, HWND hwnd, WNDPROC proc) {
    std::erase(live_, unit);
    unit->hwnd = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(static_cast<UnitObject*>(unit)));
    live_.push_back(unit);
    auto current = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_WNDPROC));
    unit->baseProc = current == proc ? &DefWindowProcW
                                     : reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
                                           hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc)));
  }

  // In the unit's own procedure (and what it alone calls): null only
  // before Attach and after End.
  static Unit* FromOwnProcedure(HWND hwnd) {
    return static_cast<Unit*>(reinterpret_cast<UnitObject*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA)));
  }

  // A handle from elsewhere: the unit of this type that its window carries,
  // else null. GetWindowLongPtr answers 0 for a handle that names no window.
  Unit* Find(HWND hwnd) const {
    if (!hwnd) return nullptr;
    auto carried = reinterpret_cast<const UnitObject*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    for (Unit* unit : live_)
      if (static_cast<const UnitObject*>(unit) == carried && unit->hwnd == hwnd) return unit;
    return nullptr;
  }
  // The unit behind an object of any type, when it is a live one of this
  // type on its own window.
  Unit* As(const UnitObject* object) const {
    Unit* unit = object ? Find(object->hwnd) : nullptr;
    return static_cast<const UnitObject*>(unit) == object ? unit : nullptr;
  }

  // WM_NCDESTROY: the class's handling first (a list view still notifies
  // its parent while it frees its items), then the window lets go of the
  // unit. The caller reports the end and frees the unit.
  LRESULT End(Unit* unit, HWND hwnd, WPARAM wp, LPARAM lp) {
    LRESULT result = CallBase(unit, hwnd, WM_NCDESTROY, wp, lp);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    std::erase(live_, unit);
    return result;
  }

 private:
  std::vector<Unit*> live_;
};

// The live units of a type.
template <class Unit>
UnitWindows<Unit>& LiveUnits() {
  static UnitWindows<Unit> units;
  return units;
}
