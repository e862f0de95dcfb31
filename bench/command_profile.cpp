// Where a list command's time goes: each command of the tool's list view
// unit beside the one control message it stands for, on the tool's own
// window, plus the Win32 calls that a command or a notification may add.
// Prints microseconds per call. With WINEDEBUG=+server the lines between
// the "profile:" debug strings count the Wine server requests of one step.
//
//   command_profile.exe [rows]   (default 2000)
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/globals.h"
#include "app/handler_table.h"
#include "app/main_window_template.h"
#include "app/program.h"
#include "app/runtime_calls.h"
#include "bench/bench_clock.h"
#include "ui/framework/host.h"
#include "ui/combo/combo_unit.h"
#include "ui/listview/extended_ui_library.h"
#include "ui/listview/listview_unit.h"
#include "ui/unit_type.h"
#include "ui/listview/listview_commands.h"

namespace {

ArgValue List() { return UnitArg(kMachineListId, kListViewTypeCode); }

HWND ListHandle() {
  return reinterpret_cast<UnitObject*>(RuntimeNotify(kNotifyResolveUnitMandatory, kMainWindowId, kMachineListId))
      ->hwnd;
}

void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

template <class Step>
void Time(const char* what, int n, Step step) {
  OutputDebugStringA((std::string("profile: begin ") + what).c_str());
  double t0 = bench::Now();
  for (int k = 0; k < n; k++) step(k);
  double us = (bench::Now() - t0) / n * 1e6;
  OutputDebugStringA((std::string("profile: end ") + what).c_str());
  Pump();
  printf("%-44s %9.2f us/call\n", what, us);
}

void SelectNone(HWND lv) {
  LVITEMA it{};
  it.stateMask = LVIS_SELECTED;
  SendMessageA(lv, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&it));
  Pump();
}

// n rows of one text, drawing held.
void Fill(HWND lv, int n) {
  char text[] = "机器-00001";
  SendMessageA(lv, WM_SETREDRAW, FALSE, 0);
  for (int k = 0; k < n; k++) {
    LVITEMA it{};
    it.mask = LVIF_TEXT;
    it.iItem = k;
    it.pszText = text;
    SendMessageA(lv, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&it));
  }
  SendMessageA(lv, WM_SETREDRAW, TRUE, 0);
  Pump();
}

}  // namespace

int main(int argc, char** argv) {
  const int n = argc > 1 ? atoi(argv[1]) : 2000;
  if (!RtInitializeForTests(&ProgramDescriptor(), &UnitFrameworkHost())) return 1;
  InitGlobals();
  EventSuppressCount()++;  // no database look-up from the created event
  bool loaded = UnitFrameworkHost().loadWindow(kMainWindowId, false, nullptr);
  EventSuppressCount()--;
  if (!loaded) return 1;
  WriteIntProperty(kCombo1Id, kComboSelection, 0);
  Pump();
  HWND lv = ListHandle();
  // The Win32 calls alone cost the same at any list size.
  const int calls = n < 2000 ? n : 2000;
  char text[] = "机器-00001";

  printf("%d rows\n", n);
  Time("raw LVM_INSERTITEM (drawing held)", n, [&](int k) {
    if (k == 0) SendMessageA(lv, WM_SETREDRAW, FALSE, 0);
    LVITEMA it{};
    it.mask = LVIF_TEXT;
    it.iItem = k;
    it.pszText = text;
    SendMessageA(lv, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&it));
    if (k == n - 1) SendMessageA(lv, WM_SETREDRAW, TRUE, 0);
  });
  Time("raw LVM_SETITEMTEXT", n, [&](int k) {
    LVITEMA it{};
    it.iSubItem = 1;
    it.pszText = text;
    SendMessageA(lv, LVM_SETITEMTEXTA, k, reinterpret_cast<LPARAM>(&it));
  });
  SendMessageA(lv, LVM_DELETEALLITEMS, 0, 0);
  Pump();
  Time("ListView::InsertItem", n, [&](int k) {
    CallLib(ListView::InsertItem, kExtendedUiLibraryNumber,
            {List(), IntArg(k), OmittedArg(), OmittedArg(), OmittedArg(), OmittedArg(), OmittedArg()});
  });
  Time("ListView::SetItemText", n, [&](int k) {
    CallLib(ListView::SetItemText, kExtendedUiLibraryNumber, {List(), IntArg(k), IntArg(1), TextArg(text)});
  });
  Time("ListView::GetItemCount", n, [&](int) { CallLib(ListView::GetItemCount, kExtendedUiLibraryNumber, {List()}); });

  SelectNone(lv);
  Time("raw LVM_SETITEMSTATE (select)", n, [&](int k) {
    LVITEMA it{};
    it.state = it.stateMask = LVIS_SELECTED;
    SendMessageA(lv, LVM_SETITEMSTATE, k, reinterpret_cast<LPARAM>(&it));
  });
  SelectNone(lv);
  Time("ListView::SelectItem", n, [&](int k) {
    CallLib(ListView::SelectItem, kExtendedUiLibraryNumber, {List(), IntArg(k)});
  });

  Time("raw LVM_GETITEMTEXT", n, [&](int k) {
    char buffer[512];
    LVITEMA it{};
    it.iSubItem = 0;
    it.pszText = buffer;
    it.cchTextMax = sizeof buffer;
    SendMessageA(lv, LVM_GETITEMTEXTA, k, reinterpret_cast<LPARAM>(&it));
  });
  Time("ListView::GetItemText", n, [&](int k) {
    RtFree(AsText(CallLib(ListView::GetItemText, kExtendedUiLibraryNumber, {List(), IntArg(k), IntArg(0)})));
  });
  Time("ListView::GetSelectedItems (per row)", 1, [&](int) {
    RtFree(AsArray(CallLib(ListView::GetSelectedItems, kExtendedUiLibraryNumber, {List()})));
  });
  HWND combo = GetDlgItem(GetParent(lv), 190);
  Time("raw CB_GETCURSEL", calls, [&](int) { SendMessageA(combo, CB_GETCURSEL, 0, 0); });
  Time("combo selection property read", calls, [&](int) { ReadIntProperty(kCombo1Id, kComboSelection); });

  Time("resolve the unit (RuntimeNotify 2007)", calls, [&](int) {
    RuntimeNotify(kNotifyResolveUnitMandatory, kMainWindowId, kMachineListId);
  });
  Time("GetPropA", calls, [&](int) { GetPropA(lv, "RtListViewUnit"); });
  Time("GetWindowLongA(GWL_STYLE)", calls, [&](int) { GetWindowLongA(lv, GWL_STYLE); });
  Time("IsWindow", calls, [&](int) { IsWindow(lv); });
  Time("GetParent", calls, [&](int) { GetParent(lv); });
  Time("PostMessageA + removal", calls, [&](int) {
    PostMessageA(lv, WM_NULL, 0, 0);
    MSG msg;
    PeekMessageW(&msg, lv, WM_NULL, WM_NULL, PM_REMOVE);
  });
  Time("WM_SETREDRAW off and on", 20, [&](int) {
    SendMessageA(lv, WM_SETREDRAW, FALSE, 0);
    SendMessageA(lv, WM_SETREDRAW, TRUE, 0);
  });
  Time("SetWindowLongA(GWL_STYLE, same)", calls, [&](int) {
    SetWindowLongA(lv, GWL_STYLE, GetWindowLongA(lv, GWL_STYLE));
  });
  Time("WM_NULL sent to the list", calls, [&](int) { SendMessageA(lv, WM_NULL, 0, 0); });

  // Ending a list: the unit's control, then a plain one in a plain window.
  double t0 = bench::Now();
  SendMessageA(lv, LVM_DELETEALLITEMS, 0, 0);
  printf("%-44s %9.2f ms\n", "LVM_DELETEALLITEMS, the unit's list", (bench::Now() - t0) * 1e3);
  Fill(lv, n);
  t0 = bench::Now();
  DestroyWindow(GetParent(lv));
  printf("%-44s %9.2f ms\n", "destroying the window", (bench::Now() - t0) * 1e3);

  HWND plainParent = CreateWindowExA(0, "STATIC", "plain", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400, 300,
                                     nullptr, nullptr, nullptr, nullptr);
  HWND plain = CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 0, 380, 280,
                               plainParent, nullptr, nullptr, nullptr);
  Fill(plain, n);
  Pump();
  Time("plain list: LVM_SETITEMSTATE (select)", n, [&](int k) {
    LVITEMA it{};
    it.state = it.stateMask = LVIS_SELECTED;
    SendMessageA(plain, LVM_SETITEMSTATE, k, reinterpret_cast<LPARAM>(&it));
  });
  Time("plain list: LVM_GETITEMTEXT", n, [&](int k) {
    char buffer[512];
    LVITEMA it{};
    it.pszText = buffer;
    it.cchTextMax = sizeof buffer;
    SendMessageA(plain, LVM_GETITEMTEXTA, k, reinterpret_cast<LPARAM>(&it));
  });
  t0 = bench::Now();
  DestroyWindow(plainParent);
  printf("%-44s %9.2f ms\n", "destroying a plain list's window", (bench::Now() - t0) * 1e3);
  return 0;
}
