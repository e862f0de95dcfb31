// What it costs a unit's window procedure to find its object, per message,
// on a real BUTTON control: comctl32's subclass data (a window property),
// the object in GWLP_USERDATA behind a replaced procedure (the way the units
// take, ui/framework/unit_window.h), and a list of handles searched (with
// and without the check that the window still carries the object), beside
// the control with no unit at all. Prints nanoseconds per message and each
// way's cost beyond the control's as a ratio to the userdata read's.
//
//   unit_lookup_profile.exe [messages]   (default 200000)
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <algorithm>
#include <cstdlib>

#include <utility>
#include <vector>

#include "bench/bench_clock.h"

namespace {

struct Object {
  WNDPROC base = nullptr;
  int seen = 0;
};

// Messages a procedure answers itself would not show the pass-on; this one
// is passed on like most of a control's messages.
constexpr UINT kProbe = WM_NULL;

LRESULT CALLBACK BySubclass(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR data) {
  reinterpret_cast<Object*>(data)->seen++;
  return DefSubclassProc(hwnd, msg, wp, lp);
}

LRESULT CALLBACK ByUserData(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* object = reinterpret_cast<Object*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  object->seen++;
  return CallWindowProcA(object->base, hwnd, msg, wp, lp);
}

// The objects listed by their window's handle; each window also carries
// its object in GWLP_USERDATA for the check.
struct HandleList {
  std::vector<std::pair<HWND, Object*>> entries;
  void Add(HWND hwnd, Object* object) {
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(object));
    entries.emplace_back(hwnd, object);
  }
  Object* FindFromOwnProcedure(HWND hwnd) const {
    for (const auto& e : entries)
      if (e.first == hwnd) return e.second;
    return nullptr;
  }
  Object* Find(HWND hwnd) const {
    Object* object = FindFromOwnProcedure(hwnd);
    return object && GetWindowLongPtrA(hwnd, GWLP_USERDATA) == reinterpret_cast<LONG_PTR>(object) ? object
                                                                                              : nullptr;
  }
};

HandleList& Table() {
  static HandleList table;
  return table;
}

LRESULT CALLBACK ByTable(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  Object* object = Table().FindFromOwnProcedure(hwnd);
  object->seen++;
  return CallWindowProcA(object->base, hwnd, msg, wp, lp);
}

LRESULT CALLBACK ByCheckedTable(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  Object* object = Table().Find(hwnd);
  object->seen++;
  return CallWindowProcA(object->base, hwnd, msg, wp, lp);
}

HWND NewButton(HWND parent) {
  return CreateWindowExA(0, "BUTTON", "x", WS_CHILD | BS_PUSHBUTTON, 0, 0, 50, 20, parent, nullptr,
                         GetModuleHandleA(nullptr), nullptr);
}

double NsPerMessage(HWND hwnd, int n) {
  for (int k = 0; k < 1000; k++) SendMessageA(hwnd, kProbe, 0, 0);  // warm up
  double t0 = bench::Now();
  for (int k = 0; k < n; k++) SendMessageA(hwnd, kProbe, 0, 0);
  return (bench::Now() - t0) / n * 1e9;
}

WNDPROC Replace(HWND hwnd, WNDPROC proc) {
  return reinterpret_cast<WNDPROC>(SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc)));
}

}  // namespace

int main(int argc, char** argv) {
  const int n = argc > 1 ? atoi(argv[1]) : 200000;
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);
  HWND parent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
  // A handful of other listed windows, as a process holds.
  Object others[4];
  for (Object& o : others) Table().Add(NewButton(parent), &o);

  HWND plain = NewButton(parent);
  Object a, b, c;
  HWND sub = NewButton(parent);
  SetWindowSubclass(sub, BySubclass, 0, reinterpret_cast<DWORD_PTR>(&a));
  HWND user = NewButton(parent);
  SetWindowLongPtrA(user, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&b));
  b.base = Replace(user, ByUserData);
  HWND table = NewButton(parent);
  Table().Add(table, &c);
  c.base = Replace(table, ByTable);
  HWND checked = NewButton(parent);
  Object d;
  Table().Add(checked, &d);
  d.base = Replace(checked, ByCheckedTable);

  struct Row {
    const char* what;
    HWND hwnd;
    int count;
    double ns;
  } rows[] = {
      {"no unit (the control alone)", plain, 1, 1e30},
      {"SetWindowSubclass data", sub, n > 100 ? n / 100 : 1, 1e30},
      {"GWLP_USERDATA, replaced procedure", user, n, 1e30},
      {"handle list, own procedure", table, n, 1e30},
      {"handle list, checked (from outside)", checked, n, 1e30},
  };
  rows[0].count = n;
  // Rounds interleaved, the fastest round of each kept: a busy machine
  // only ever adds time.
  for (int round = 0; round < 5; round++)
    for (Row& row : rows) row.ns = std::min(row.ns, NsPerMessage(row.hwnd, row.count));

  const double base = rows[0].ns, userNs = rows[2].ns - base;
  printf("%-40s %10s %14s %12s\n", "lookup", "ns/msg", "beyond alone", "x userdata");
  for (const Row& row : rows) {
    const double extra = row.ns - base;
    printf("%-40s %10.0f %14.0f %12.1f\n", row.what, row.ns, extra, userNs > 0 ? extra / userNs : 0.0);
  }
  DestroyWindow(parent);
  return a.seen > 0 && b.seen > 0 && c.seen > 0 && d.seen > 0 ? 0 : 1;
}
